// The side pane's "各行の値" mode and the mark of the failing statement.
#include <QLabel>
#include <QTextEdit>

#include "app/MainForm.h"
#include "document/StatementLines.h"
#include "shell/LineFollower.h"
#include "shell/PlainParagraphs.h"
#include "shell/ResultPane.h"
#include "shell/RichEdit.h"
#include "shell/StatementMark.h"

namespace tallyrix {

void TMainForm::CreateStatementMarks()
{
    LineFollower = new TLineFollower(Panes.reExpression, Panes.reResult);
    StatementMark = new TStatementMark(Panes.reExpression);
    StatementMark->WatchDoubleClicks(StatusPanel(3));
    Bind(StatementMark, &TStatementMark::SelectionRequested, &TMainForm::SelectFailingStatement);
    Bind(Panes.reResult, &TResultPane::MessageLineDoubleClicked, &TMainForm::SelectFailingStatement);
}

bool TMainForm::ShowStatementPlaces(const StatementLines& places, bool stopped, const QString& message)
{
    // Lines broken for display are placed by their pieces.
    const TPlainParagraphs& paragraphs = Panes.reExpression->Paragraphs();
    const DocumentSpan failingLines = places.ErrorSpan(Engine.StatementStart, Engine.FailedTokenEnd);
    const DocumentSpan failing = paragraphs.InParagraphs(failingLines);
    if (stopped) StatementMark->Show(failing);
    LineFollower->SetActive(Menu.Options.mAligned->isChecked());
    if (!Menu.Options.mAligned->isChecked()) return false;

    const std::size_t blockCount = static_cast<std::size_t>(Panes.reExpression->document()->blockCount());
    const std::size_t lineCount = paragraphs.LineOf(blockCount - 1) + 1;
    const std::size_t messageLine = stopped ? failingLines.to.line : lineCount;
    const LineValues values = places.ValuesBesideLines(Engine.StatementEnds, Engine.ExpressionValues, lineCount,
                                                       messageLine, stopped ? message.toStdString() : std::string());
    const auto firstPiece = [&](std::size_t line) {
        return static_cast<int>(paragraphs.InParagraphs(DocumentPoint{line, 0}).line);
    };
    std::vector<TResultPane::LineNote> notes;
    notes.reserve(values.notes.size());
    std::string grouped;
    for (const auto& [line, text] : values.notes) {
        const std::string_view note = ShownValues(text, grouped);
        notes.push_back({firstPiece(line), QString::fromUtf8(note.data(), static_cast<qsizetype>(note.size()))});
    }
    std::string shown = paragraphs.ByParagraphText(values.text);
    shown += '\n';
    Panes.reResult->ShowAlignedLines(ShownValues(shown, grouped), EditorFormat(),
                                     messageLine < lineCount ? firstPiece(messageLine) : -1, CommentFormat(),
                                     std::move(notes));
    return true;
}

void TMainForm::SelectFailingStatement() { StatementMark->SelectInEditor(); }

void TMainForm::mAlignedClick()
{
    Menu.Options.mAligned->setChecked(true);
    Recalculate();
}

}  // namespace tallyrix
