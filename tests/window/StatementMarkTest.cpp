// The side pane's "各行の値" mode beside the editor's lines, and the mark of
// the statement a run stopped in.
#include <QAction>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <functional>

#include "shell/LineFollower.h"
#include "shell/ResultPane.h"
#include "shell/StatementMark.h"
#include "tests/window/WindowFixture.h"

namespace tallyrix::test {
namespace {

QString Numbered(int lines)
{
    QStringList text;
    for (int i = 1; i <= lines; ++i)
        text << QStringLiteral("%1;").arg(i);
    return text.join(u'\n');
}

int EditorTopLine(const TMainForm& form) { return form.LineFollower->EditorTopLine(); }

int PaneTopLine(const TMainForm& form) { return form.Panes.reResult->verticalScrollBar()->value(); }

bool CaretInView(const QPlainTextEdit& editor) { return editor.viewport()->rect().contains(editor.cursorRect()); }

// Where the editor shows a line's first row, in the pane's viewport.
QRect EditorRowInPane(const TMainForm& form, int line)
{
    const QTextBlock block = form.Panes.reExpression->document()->findBlockByNumber(line);
    const QRect row = form.Panes.reExpression->cursorRect(QTextCursor(block));
    const QPoint global = form.Panes.reExpression->viewport()->mapToGlobal(row.topLeft());
    return {form.Panes.reResult->viewport()->mapFromGlobal(global), row.size()};
}

TEST_F(WindowTest, AlignedPaneHasALineForEachEditorLine)
{
    SetDocument(QStringLiteral("a=2; b=3;\n// note\na*\nb\n\n"));
    Form->Menu.Options.mAligned->trigger();
    const QStringList expected = {QStringLiteral("3"), QString(), QString(), QStringLiteral("6"), QString(), QString()};
    ASSERT_EQ(Form->Panes.reResult->LineCount(), Form->Panes.reExpression->document()->blockCount());
    for (int line = 0; line < expected.size(); ++line)
        EXPECT_EQ(Form->Panes.reResult->LineText(line), expected[line]) << line;
    // Back in the values mode the pane lists the statements again.
    Form->Menu.Options.mEquation->trigger();
    EXPECT_EQ(ResultLines(), (QStringList{QStringLiteral("1: 2"), QStringLiteral("2: 3"), QStringLiteral("3: 6")}));
}

TEST_F(WindowTest, AlignedPaneScrollsWithTheEditorBothWays)
{
    SetDocument(Numbered(300));
    // Switching to the mode leaves the editor where it was.
    Form->Menu.Options.mVariable->trigger();
    QScrollBar* editorBar = Form->Panes.reExpression->verticalScrollBar();
    editorBar->setValue(editorBar->maximum() * 2 / 3);
    const int shown = EditorTopLine(*Form);
    ASSERT_GT(shown, 100);
    Form->Menu.Options.mAligned->trigger();
    EXPECT_EQ(EditorTopLine(*Form), shown);
    EXPECT_EQ(PaneTopLine(*Form), shown);
    for (const int value : {editorBar->maximum() / 2, editorBar->maximum(), editorBar->maximum() / 3, 0}) {
        editorBar->setValue(value);
        EXPECT_EQ(PaneTopLine(*Form), EditorTopLine(*Form)) << value;
    }
    EXPECT_EQ(Form->Panes.reResult->LineText(PaneTopLine(*Form)), QStringLiteral("1"));
    // Scrolling the pane moves the editor.
    for (const int line : {120, 17, 250}) {
        Form->Panes.reResult->verticalScrollBar()->setValue(line);
        EXPECT_EQ(EditorTopLine(*Form), line);
        EXPECT_EQ(PaneTopLine(*Form), line);
    }
    // A larger editor font changes the editor's line heights; the pane keeps
    // standing beside the same lines.
    editorBar->setValue(editorBar->maximum() / 2);
    const int before = EditorTopLine(*Form);
    Dialogs->FontAnswers = {FontChoice{QStringLiteral("IPAGothic"), 30}};
    Form->EditorFontClick();
    EXPECT_EQ(Form->Panes.reResult->font().pixelSize(), 30);
    EXPECT_EQ(PaneTopLine(*Form), EditorTopLine(*Form));
    editorBar->setValue(editorBar->maximum() / 4);
    EXPECT_NE(EditorTopLine(*Form), before);
    EXPECT_EQ(PaneTopLine(*Form), EditorTopLine(*Form));
}

struct KeptPlaceCase {
    const char* name;
    std::function<void()> move;  // takes the caret far down
    std::function<void()> edit;  // recalculates
};

TEST_F(WindowTest, AlignedPaneKeepsTheEditorWhereItIsThroughRecalculations)
{
    const KeptPlaceCase cases[] = {
        {"Ctrl+End", [this] { PressAndRelease(Qt::Key_End, Qt::ControlModifier); },
         [this] {
             // Letting go of Ctrl recalculates.
             QTest::simulateEvent(Form->Panes.reExpression, false, Qt::Key_Control, Qt::NoModifier, QString(), false);
         }},
        {"a digit typed on line 300",
         [this] {
             Form->Panes.reExpression->setTextCursor(
                 QTextCursor(Form->Panes.reExpression->document()->findBlockByNumber(299)));
             Form->Panes.reExpression->ensureCursorVisible();
         },
         [this] { Type(QStringLiteral("7")); }},
    };
    for (const KeptPlaceCase& c : cases) {
        SetDocument(Numbered(1000));
        Form->Menu.Options.mAligned->trigger();
        c.move();
        ASSERT_TRUE(QTest::qWaitFor([&] { return EditorTopLine(*Form) > 250; })) << c.name;
        const int top = EditorTopLine(*Form);
        c.edit();
        EXPECT_EQ(EditorTopLine(*Form), top) << c.name;
        EXPECT_TRUE(CaretInView(*Form->Panes.reExpression)) << c.name;
        EXPECT_EQ(PaneTopLine(*Form), top) << c.name;
        EXPECT_EQ(Form->Panes.reResult->LineText(top), QString::number(top + 1)) << c.name;
    }
    EXPECT_EQ(Form->Panes.reResult->LineText(299), QStringLiteral("7300"));
}

TEST_F(WindowTest, AlignedValuesStandOnTheirEditorLines)
{
    // Every third line a comment, in a comment font taller than the editor's.
    QStringList lines;
    for (int i = 1; i <= 90; ++i)
        lines << (i % 3 == 0 ? QStringLiteral("%1; // note").arg(i) : QStringLiteral("%1;").arg(i));
    SetDocument(lines.join(u'\n'));
    for (const auto& [commentPixels, topLine] :
         {std::pair{PointsToPixels(22), 0}, {PointsToPixels(22), 13}, {PointsToPixels(9), 40}}) {
        Dialogs->FontAnswers = {FontChoice{QStringLiteral("IPAGothic"), commentPixels}};
        Form->CommentFontClick();
        Form->Menu.Options.mAligned->trigger();
        Form->Panes.reExpression->verticalScrollBar()->setValue(topLine);
        ASSERT_EQ(EditorTopLine(*Form), topLine);
        int shown = 0;
        for (int line = topLine; line < 90; ++line) {
            const QRect row = EditorRowInPane(*Form, line);
            if (row.top() >= Form->Panes.reResult->viewport()->height()) break;
            const QRect text = Form->Panes.reResult->AlignedTextRect(line);
            EXPECT_EQ(text.top(), row.top()) << commentPixels << " line " << line;
            EXPECT_EQ(text.height(), row.height()) << commentPixels << " line " << line;
            ++shown;
        }
        EXPECT_GT(shown, 3) << commentPixels;
    }
}

TEST_F(WindowTest, AFailedRunMarksItsStatementUntilACleanRun)
{
    SetDocument(QStringLiteral("1; // one\n  y+\n  2;\n3"));
    Type(QStringLiteral(" "));  // a key release recalculates
    const int undoSteps = Form->Panes.reExpression->document()->availableUndoSteps();
    const bool modified = Form->Panes.reExpression->document()->isModified();
    const QString text = Document();
    Form->Recalculate();
    EXPECT_EQ(Panel(3), QStringLiteral("変数名が未定義"));
    ASSERT_TRUE(Form->StatementMark->IsShown());
    EXPECT_EQ(Form->StatementMark->MarkedText(), QStringLiteral("y"));
    const QList<QTextEdit::ExtraSelection> marks = Form->Panes.reExpression->extraSelections();
    ASSERT_EQ(marks.size(), 1);
    EXPECT_EQ(marks[0].format.underlineStyle(), QTextCharFormat::WaveUnderline);
    EXPECT_EQ(marks[0].format.underlineColor(), QColor(Qt::red));
    // The mark is no edit: no undo step, no modified flag, the text as it was.
    EXPECT_EQ(Form->Panes.reExpression->document()->availableUndoSteps(), undoSteps);
    EXPECT_EQ(Form->Panes.reExpression->document()->isModified(), modified);
    EXPECT_EQ(Document(), text);
    EXPECT_EQ(FormatAt(Form->Panes.reExpression, 12).underlineStyle(), QTextCharFormat::NoUnderline);

    // Defining y ends the error: the mark goes.
    QTextCursor start(Form->Panes.reExpression->document());
    start.insertText(QStringLiteral("y=1;"));
    Form->Recalculate();
    EXPECT_EQ(Panel(3), QString());
    EXPECT_FALSE(Form->StatementMark->IsShown());
    EXPECT_TRUE(Form->Panes.reExpression->extraSelections().isEmpty());
}

TEST_F(WindowTest, DoubleClickingTheMessageSelectsTheFailingStatement)
{
    SetDocument(Numbered(200) + QStringLiteral("\n4*\n(5+"));
    Form->Menu.Options.mAligned->trigger();
    ASSERT_EQ(Panel(3), QStringLiteral("入力・修正待ち"));
    // The message stands on the statement's last line, in the comment font.
    EXPECT_EQ(Form->Panes.reResult->LineText(201), QStringLiteral("201; 入力・修正待ち"));
    EXPECT_EQ(Form->Panes.reResult->LineFormat(201).font(), Form->CommentFormat().font());
    EXPECT_EQ(Form->Panes.reResult->LineText(199), QStringLiteral("200"));

    // From the status bar, with the editor at its top.
    Form->Panes.reExpression->moveCursor(QTextCursor::Start);
    ASSERT_EQ(EditorTopLine(*Form), 0);
    QTest::mouseDClick(Form->StatusPanel(3), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(Form->Panes.reExpression->textCursor().selectedText(), QStringLiteral("4*\u2029(5+"));
    EXPECT_GE(EditorTopLine(*Form), 150);
    // From the pane's message line.
    Form->Panes.reExpression->moveCursor(QTextCursor::Start);
    Form->Panes.reResult->verticalScrollBar()->setValue(Form->Panes.reResult->verticalScrollBar()->maximum());
    ASSERT_GT(EditorTopLine(*Form), 150);
    QTest::mouseDClick(Form->Panes.reResult->viewport(), Qt::LeftButton, {},
                       Form->Panes.reResult->AlignedTextRect(201).center());
    EXPECT_EQ(Form->Panes.reExpression->textCursor().selectedText(), QStringLiteral("4*\u2029(5+"));
}

}  // namespace
}  // namespace tallyrix::test
