// Recalculation of the whole document and the presentation of its results.
#include <QCoreApplication>
#include <QLabel>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>

#include "app/MainForm.h"
#include "document/KeyRules.h"
#include "document/Presentation.h"
#include "document/StatementExtraction.h"
#include "document/StatementLines.h"
#include "engine/DigitGrouping.h"
#include "shell/DisplayBreaks.h"
#include "shell/DocumentLoader.h"
#include "shell/ResultField.h"
#include "shell/ResultPane.h"
#include "shell/RichEdit.h"
#include "shell/StatementMark.h"

namespace tallyrix {

namespace {

// Bytes of statement text a slice of the calculation takes: a few
// milliseconds. A document of a few thousand lines is done in one.
constexpr std::size_t CalculationSlice = 512 * 1024;

}  // namespace

void TMainForm::Recalculate()
{
    // A calculation still going is for a text that has changed since.
    CalculationSlices->stop();
    MathBoxes.Clear();
    Bands.OutputEdit->clear();
    StatementMark->Clear();
    if (Loader->Loading()) {
        // Values of a part of the document would mislead.
        Panes.reResult->clear();
        StatusPanel(3)->setText(QStringLiteral("読み込み中…"));
        return;
    }

    // The editor keeps its paragraphs as they change: no copy of the whole
    // document per key. The engine holds the same text, not a copy.
    std::shared_ptr<const std::string> text = Panes.reExpression->Paragraphs().EngineInput();
    Engine.RecordStatementEnds = Menu.Options.mAligned->isChecked();
    // Each list of the engine takes about as much memory as the document:
    // only the one the pane shows is written (the aligned pane shows the
    // statements' values).
    Engine.RecordVariableLines = Menu.Options.mVariable->isChecked();
    Engine.RecordExpressionValues = !Engine.RecordVariableLines;
    if (text->empty()) {
        // An empty editor: a message left by the previous run is stale.
        Engine.ResetVariables(FixedVariableCount);
        Engine.ExpressionValues.clear();
        Engine.MessageText.clear();
        StatusPanel(3)->clear();
        ShowCalculationDone(*text);
        return;
    }
    // What precedes the edit is not evaluated again. The pane keeps its
    // lines for the values that change, unless the run fails.
    try {
        ShowCalculationState(Engine.EvaluateResuming(std::move(text), FixedVariableCount, CalculationSlice));
    } catch (const EngineFailure&) {
        Panes.reResult->clear();
        throw;
    }
}

bool TMainForm::Calculating() const { return CalculationSlices->isActive(); }

void TMainForm::ContinueCalculation(std::size_t slice)
{
    CalculationSlices->stop();
    // A failure of the arithmetic leaves no "計算中…" behind.
    StatusPanel(3)->clear();
    ShowCalculationState(Engine.ContinueResuming(slice));
}

// The values of a finished run, or the next slice of one still going.
void TMainForm::ShowCalculationState(bool done)
{
    if (done) {
        ShowCalculationDone(Engine.ResumedText());
        return;
    }
    // The values shown are for a text that has changed since.
    Panes.reResult->clear();
    StatusPanel(3)->setText(QStringLiteral("計算中…"));
    CalculationSlices->start();
}

void TMainForm::NextCalculationSlice() { ContinueCalculation(CalculationSlice); }

void TMainForm::FinishCalculating()
{
    if (Calculating()) ContinueCalculation(Evaluator::WholeRun);
}

void TMainForm::ShowCalculationDone(const std::string& input)
{
    Completion.TakeTable(Engine.Variables(), !Engine.MessageText.empty());
    if (!input.empty()) {
        StatusPanel(3)->setText(QString::fromStdString(Engine.MessageText));
        Bands.OutputEdit->ShowValue(QString::fromStdString(Engine.ResultText), Menu.Options.mGroupDigits->isChecked());
    }
    // The pane replaces the lines that changed and shows its end.
    const LineList& lines = Menu.Options.mEquation->isChecked() ? Engine.ExpressionValues : Engine.VariableList;
    const QString message =
        Engine.MessageText.empty() ? QString() : MessageLine(Engine.StatementCount, Engine.MessageText);
    // The origins of the lines read place each value in the aligned pane;
    // the editor keeps those of the text calculated until the next one.
    const StatementLines places(Panes.reExpression->Paragraphs().EngineInputOrigins(), input);
    if (ShowStatementPlaces(places, !input.empty() && Engine.StopOffset != 0, message)) return;
    std::string grouped;
    Panes.reResult->ShowLines(ShownValues(lines.Text(), grouped), EditorFormat(), message, CommentFormat());
}

std::string_view TMainForm::ShownValues(std::string_view lines, std::string& grouped) const
{
    if (!Menu.Options.mGroupDigits->isChecked()) return lines;
    grouped = GroupLineValues(lines);
    return grouped;
}

namespace {

struct CaretPlace {
    int line;
    int column;
    bool selection;
};

// No copy of the editor's cursor outlives this: changing the typing format
// while one exists detaches the editor's cursor, and inside a clear of the
// document Qt then keeps the freed copy in its list of cursors.
// A long line broken for display counts as one line.
CaretPlace CaretPlaceOf(const TRichEdit& editor)
{
    const QTextCursor cursor = editor.textCursor();
    const QTextDocument* document = editor.document();
    const auto block = static_cast<std::size_t>(document->findBlock(cursor.selectionStart()).blockNumber());
    const int line = static_cast<int>(editor.Paragraphs().LineOf(block)) + 1;
    const QTextBlock caretBlock = document->findBlock(cursor.position());
    const int column = OffsetInLine(caretBlock, cursor.selectionEnd() - caretBlock.position()) + 1;
    return {line, column, cursor.hasSelection()};
}

}  // namespace

void TMainForm::ShowCaretPosition()
{
    const CaretPlace caret = CaretPlaceOf(*Panes.reExpression);
    StatusPanel(0)->setText(
        CaretPositionText(caret.line, caret.column, Panes.reExpression->Paragraphs().Cp932Length()));

    const bool modified = Panes.reExpression->document()->isModified();
    // Text typed at the start of a line takes the editor font, even after a
    // line ending in a comment.
    if (caret.column == 1 && !caret.selection) Panes.reExpression->setCurrentCharFormat(EditorFormat());
    SetModified(modified);
}

void TMainForm::SetModified(bool flag)
{
    Panes.reExpression->document()->setModified(flag);
    StatusPanel(1)->setText(flag ? QStringLiteral("変更あり") : QString());
}

void TMainForm::reExpressionChange()
{
    // The pieces of a document being opened are no edit.
    if (!Loader->Loading()) SetModified(true);
}

// Releases already waiting behind this one are delivered first and share
// its recalculation; timers and sockets wait for the event loop.
void TMainForm::reExpressionKeyUp(int key, Qt::KeyboardModifiers shift)
{
    if (!RecalculatesOnKeyRelease(key, shift, Menu.Options.mEnter->isChecked())) return;
    EditorReleases.Released(
        [] { QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers | QEventLoop::X11ExcludeTimers); },
        [this] { Recalculate(); });
}

void TMainForm::RecalculateUnlessEnterOnly()
{
    if (!Menu.Options.mEnter->isChecked()) Recalculate();
}

void TMainForm::mRADClick()
{
    Engine.Radians = true;
    Menu.Options.mRAD->setChecked(true);
    ShowAngleMode();
    Recalculate();
}

void TMainForm::mDEGClick()
{
    Engine.Radians = false;
    Menu.Options.mDEG->setChecked(true);
    ShowAngleMode();
    Recalculate();
}

void TMainForm::ShowAngleMode()
{
    StatusPanel(2)->setText(Engine.Radians ? QStringLiteral("RAD") : QStringLiteral("DEG"));
}

void TMainForm::mEquationClick()
{
    Menu.Options.mEquation->setChecked(true);
    Recalculate();
}

void TMainForm::mVariableClick()
{
    Menu.Options.mVariable->setChecked(true);
    Recalculate();
}

// Qt has set the check mark; the values are shown again the new way.
void TMainForm::mGroupDigitsClick() { Recalculate(); }

}  // namespace tallyrix
