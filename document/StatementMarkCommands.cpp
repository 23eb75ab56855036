// The side pane's "各行の値" mode and the mark of the failing statement.
#include <QLabel>
#include <QTextEdit>

#include "app/MainForm.h"
#include "document/StatementLines.h"
#include "shell/LineFollower.h"
#include "shell/ResultPane.h"
#include "shell/RichEdit.h"
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
    // Lines broken for display are placed by their pieces.
    const TPlainParagraphs& paragraphs = reExpression->Paragraphs();
    const DocumentSpan failing = paragraphs.InParagraphs(places.ErrorSpan(Engine.StatementStart, Engine.StopOffset));
    if (stopped) StatementMark->Show(failing);
    LineFollower->SetActive(mAligned->isChecked());
    if (!mAligned->isChecked()) return false;

    const std::size_t lineCount = static_cast<std::size_t>(reExpression->document()->blockCount());
    std::vector<std::string_view> values = paragraphs.ByParagraph(
        places.ValuesByLine(Engine.StatementEnds, Engine.ExpressionValues, paragraphs.LineOf(lineCount - 1) + 1));
    const std::string messageText = message.toStdString();
    if (stopped && failing.to.line < lineCount) values[failing.to.line] = messageText;
    std::string body;
    body.reserve(Engine.ExpressionValues.Text().size() + messageText.size() + lineCount);
    for (const std::string_view value : values) body.append(value).append(1, '\n');
    body.pop_back();
    LineFollower->ReplacePaneLines([&] {
        reResult->SetAlignedContent(QString::fromStdString(body), EditorFormat(),
                                    stopped ? static_cast<int>(failing.to.line) : -1, CommentFormat());
    });
    return true;
}

void TMainForm::SelectFailingStatement() { StatementMark->SelectInEditor(); }

void TMainForm::mAlignedClick()
{
    mAligned->setChecked(true);
    Recalculate();
}

}  // namespace tallyrix
