// The side pane's "各行の値" mode and the mark of the failing statement.
#include <QLabel>
#include <QTextEdit>

#include "app/MainForm.h"
#include "document/StatementLines.h"
#include "shell/LineFollower.h"
#include "shell/ResultPane.h"
#include "shell/StatementMark.h"

namespace tallyrix {

void TMainForm::CreateStatementMarks()
{
    LineFollower = new TLineFollower(reExpression, reResult);
    StatementMark = new TStatementMark(reExpression);
    StatementMark->WatchDoubleClicks(StatusPanel(3));
    Bind(StatementMark, &TStatementMark::SelectionRequested, &TMainForm::SelectFailingStatement);
    Bind(reResult, &TResultPane::MessageLineDoubleClicked, &TMainForm::SelectFailingStatement);
}

bool TMainForm::ShowStatementPlaces(const StatementLines& places, bool stopped, const QString& message)
{
    const DocumentSpan failing = places.ErrorSpan(Engine.StatementStart, Engine.FailedTokenEnd);
    if (stopped) StatementMark->Show(failing);
    LineFollower->SetActive(mAligned->isChecked());
    if (!mAligned->isChecked()) return false;

    const std::size_t lineCount = static_cast<std::size_t>(reExpression->document()->blockCount());
    const std::size_t messageLine = stopped ? failing.to.line : lineCount;
    const LineValues values = places.ValuesBesideLines(Engine.StatementEnds, Engine.ExpressionValues, lineCount,
                                                       messageLine, stopped ? message.toStdString() : std::string());
    std::vector<TResultPane::LineNote> notes;
    notes.reserve(values.notes.size());
    for (const auto& [line, text] : values.notes)
        notes.push_back({static_cast<int>(line), QString::fromStdString(text)});
    reResult->SetAlignedContent(QString::fromStdString(values.text), EditorFormat(),
                                messageLine < lineCount ? static_cast<int>(messageLine) : -1, CommentFormat(),
                                std::move(notes));
    return true;
}

void TMainForm::SelectFailingStatement() { StatementMark->SelectInEditor(); }

void TMainForm::mAlignedClick()
{
    mAligned->setChecked(true);
    Recalculate();
}

}  // namespace tallyrix
