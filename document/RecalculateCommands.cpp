// Recalculation of the whole document and the presentation of its results.
#include <QLabel>
#include <QLineEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include "app/MainForm.h"
#include "document/KeyRules.h"
#include "document/Presentation.h"
#include "document/StatementExtraction.h"
#include "document/StatementLines.h"
#include "shell/StatementMark.h"
#include "files/TextCodec.h"
#include "shell/ResultPane.h"

namespace tallyrix {

void TMainForm::Recalculate()
{
    Engine.ResetVariables(FixedVariableCount);
    OutputEdit->clear();
    reResult->clear();
    StatementMark->Clear();

    // The editor is read once; extraction works on its UTF-8 copy and notes
    // where each line begins in the statement text.
    std::vector<LineOrigin> origins;
    const std::string input = BuildEngineInput(reExpression->toPlainText().toStdString(), origins);
    Engine.RecordStatementEnds = mAligned->isChecked();
    if (input.empty()) {
        // An empty editor: a message left by the previous run is stale.
        Engine.ExpressionValues.clear();
        Engine.MessageText.clear();
        StatusPanel(3)->clear();
    } else {
        Engine.Evaluate(input);
        StatusPanel(3)->setText(QString::fromStdString(Engine.MessageText));
        OutputEdit->setText(QString::fromStdString(Engine.ResultText));
    }

    // The pane takes all its lines as one string and shows its end.
    const LineList& lines = mEquation->isChecked() ? Engine.ExpressionValues : Engine.VariableList;
    const QString message =
        Engine.MessageText.empty() ? QString() : MessageLine(Engine.StatementCount, Engine.MessageText);
    if (ShowStatementPlaces(StatementLines(std::move(origins), input), !input.empty() && Engine.StopOffset != 0,
                            message))
        return;
    reResult->SetContent(QString::fromStdString(lines.Join("\n")), EditorFormat(), message, CommentFormat());
}

void TMainForm::ShowCaretPosition()
{
    const QTextCursor cursor = reExpression->textCursor();
    const QTextDocument* document = reExpression->document();
    const int line = document->findBlock(cursor.selectionStart()).blockNumber() + 1;
    const int column = cursor.selectionEnd() - document->findBlock(cursor.position()).position() + 1;
    const std::size_t length = Cp932Length(reExpression->toPlainText().toStdString());
    StatusPanel(0)->setText(CaretPositionText(line, column, length));

    const bool modified = document->isModified();
    // Text typed at the start of a line takes the editor font, even after a
    // line ending in a comment.
    if (column == 1 && !cursor.hasSelection()) reExpression->setCurrentCharFormat(EditorFormat());
    SetModified(modified);
}

void TMainForm::SetModified(bool flag)
{
    reExpression->document()->setModified(flag);
    StatusPanel(1)->setText(flag ? QStringLiteral("変更あり") : QString());
}

void TMainForm::reExpressionChange() { SetModified(true); }

void TMainForm::reExpressionKeyUp(int key, Qt::KeyboardModifiers shift)
{
    if (RecalculatesOnKeyRelease(key, shift, mEnter->isChecked())) Recalculate();
}

void TMainForm::RecalculateUnlessEnterOnly()
{
    if (!mEnter->isChecked()) Recalculate();
}

void TMainForm::mRADClick()
{
    Engine.Radians = true;
    mRAD->setChecked(true);
    ShowAngleMode();
    Recalculate();
}

void TMainForm::mDEGClick()
{
    Engine.Radians = false;
    mDEG->setChecked(true);
    ShowAngleMode();
    Recalculate();
}

void TMainForm::ShowAngleMode()
{
    StatusPanel(2)->setText(Engine.Radians ? QStringLiteral("RAD") : QStringLiteral("DEG"));
}

void TMainForm::mEquationClick()
{
    mEquation->setChecked(true);
    Recalculate();
}

void TMainForm::mVariableClick()
{
    mVariable->setChecked(true);
    Recalculate();
}

}  // namespace tallyrix
