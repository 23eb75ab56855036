// Recalculation on key release and the presentation of its results.
#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <cmath>
#include <functional>

#include "shell/ResultField.h"
#include "shell/ResultPane.h"
#include "tests/window/WindowFixture.h"

namespace tallyrix::test {
namespace {

TEST_F(WindowTest, ReleasingAKeyShowsTheResult)
{
    Type(QStringLiteral("1+2*3"));
    EXPECT_EQ(Output(), QStringLiteral("7"));
    EXPECT_EQ(Panel(3), QString());
    EXPECT_EQ(Panel(1), QStringLiteral("変更あり"));
    EXPECT_EQ(ResultLines(), QStringList{QStringLiteral("pi: 3.14159265358979")});
}

// Keys typed while a recalculation runs wait in the queue: the release before
// them delivers them, and its recalculation already shows them all.
TEST_F(WindowTest, KeysWaitingAreShownByTheRecalculationBeforeThem)
{
    for (const char* typed : {"+", "2"}) {
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            const auto key = static_cast<Qt::Key>(QKeySequence(QString::fromLatin1(typed))[0].key());
            QCoreApplication::postEvent(Form->Panes.reExpression,
                                        new QKeyEvent(type, key, Qt::NoModifier, QString::fromLatin1(typed)));
        }
    }
    Type(QStringLiteral("1"));
    EXPECT_EQ(Document(), QStringLiteral("1+2"));
    EXPECT_EQ(Output(), QStringLiteral("3"));
}

// Releasing Ctrl or Alt itself recalculates: the modifier is no longer held.
TEST_F(WindowTest, AltOrCtrlHeldDoesNotRecalculate)
{
    struct Case {
        Qt::KeyboardModifiers modifiers;
        bool recalculates;
    };
    const Case cases[] = {
        {Qt::ControlModifier, false}, {Qt::AltModifier, false}, {Qt::ControlModifier | Qt::ShiftModifier, false},
        {Qt::ShiftModifier, true},    {Qt::NoModifier, true},
    };
    for (const Case& c : cases) {
        SetDocument(QStringLiteral("2*4"));
        Form->Bands.OutputEdit->clear();
        PressAndRelease(Qt::Key_End, c.modifiers);
        EXPECT_EQ(Output(), c.recalculates ? QStringLiteral("8") : QString()) << c.modifiers.toInt();
    }
    QTest::keyRelease(Form->Panes.reExpression, Qt::Key_Control);
    EXPECT_EQ(Output(), QStringLiteral("8"));
}

TEST_F(WindowTest, EnterOnlyOptionHoldsResultsUntilEnter)
{
    Form->Menu.Options.mEnter->trigger();
    ASSERT_TRUE(Form->Menu.Options.mEnter->isChecked());
    Type(QStringLiteral("5*5"));
    EXPECT_EQ(Output(), QString());
    Click(QStringLiteral("+"));
    Click(QStringLiteral("1"));
    EXPECT_EQ(Document(), QStringLiteral("5*5+1"));
    EXPECT_EQ(Output(), QString());
    QTest::keyClick(Form->Panes.reExpression, Qt::Key_Return);
    EXPECT_EQ(Output(), QStringLiteral("26"));
    // The angle and pane commands recalculate all the same.
    Type(QStringLiteral(";2"));
    Form->Menu.Options.mEquation->trigger();
    EXPECT_EQ(Output(), QStringLiteral("2"));
}

TEST_F(WindowTest, EnterKeySemicolonRules)
{
    struct Case {
        const char* document;
        int selectionStart, selectionEnd;
        Qt::KeyboardModifiers modifiers;
        bool enterToSemicolon;
        const char* expected;
        int caret;
        const char* output;
    };
    const Case cases[] = {
        {"1+2", 3, 3, Qt::ShiftModifier, false, "1+2;", 4, "3"},
        {"1+2", 3, 3, Qt::ShiftModifier, true, "1+2;", 4, "3"},
        {"1+2", 3, 3, Qt::NoModifier, true, "1+2;\n", 5, "3"},
        {"1+2", 3, 3, Qt::NoModifier, false, "1+2\n", 4, "3"},
        {"1+2", 0, 2, Qt::NoModifier, true, "1+;\n2", 4, ""},  // the selection stays, ";" after it
        {"1+2", 2, 3, Qt::ShiftModifier, false, "1+2;", 4, "3"},
        {"1+2", 3, 3, Qt::ControlModifier, false, "1+2;", 4, ""},  // Ctrl still held: no recalculation
        {"1+2", 3, 3, Qt::AltModifier, false, "1+2;", 4, ""},
    };
    for (const Case& c : cases) {
        SetDocument(QString::fromUtf8(c.document));
        if (Form->Menu.Options.mEnterToSemicolon->isChecked() != c.enterToSemicolon)
            Form->Menu.Options.mEnterToSemicolon->trigger();
        Select(c.selectionStart, c.selectionEnd);
        Form->Bands.OutputEdit->clear();
        PressAndRelease(Qt::Key_Return, c.modifiers);
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(Document(), QString::fromUtf8(c.expected));
        EXPECT_EQ(Form->Panes.reExpression->textCursor().position(), c.caret);
        EXPECT_EQ(Output(), QString::fromUtf8(c.output));
    }
}

TEST_F(WindowTest, ErrorKeepsEarlierValuesAndAddsTheMessageLine)
{
    SetDocument(QStringLiteral("1;\n2;\nx;\n4;"));
    Form->Menu.Options.mEquation->trigger();
    EXPECT_EQ(ResultLines(),
              (QStringList{QStringLiteral("1: 1"), QStringLiteral("2: 2"), QStringLiteral("3; 変数名が未定義")}));
    EXPECT_EQ(Panel(3), QStringLiteral("変数名が未定義"));
    EXPECT_EQ(Output(), QString());
    EXPECT_TRUE(IsCommentFormat(Form->Panes.reResult->LineFormat(2)));
    EXPECT_TRUE(IsEditorFormat(Form->Panes.reResult->LineFormat(0)));
    EXPECT_TRUE(IsEditorFormat(Form->Panes.reResult->LineFormat(1)));
}

TEST_F(WindowTest, SidePaneShowsVariablesOrStatementValues)
{
    SetDocument(QStringLiteral("a=2;\nb=a*3;"));
    Form->Menu.Options.mEquation->trigger();
    EXPECT_EQ(ResultLines(), (QStringList{QStringLiteral("1: 2"), QStringLiteral("2: 6")}));
    Form->Menu.Options.mVariable->trigger();
    EXPECT_TRUE(Form->Menu.Options.mVariable->isChecked());
    EXPECT_FALSE(Form->Menu.Options.mEquation->isChecked());
    EXPECT_EQ(ResultLines(),
              (QStringList{QStringLiteral("pi: 3.14159265358979"), QStringLiteral("a: 2"), QStringLiteral("b: 6")}));
    // Variables of one run are gone in the next.
    SetDocument(QStringLiteral("b*2;"));
    Form->Menu.Options.mVariable->trigger();
    EXPECT_EQ(Panel(3), QStringLiteral("変数名が未定義"));
}

TEST_F(WindowTest, EmptyEditorClearsThePreviousMessage)
{
    Type(QStringLiteral("1+"));
    EXPECT_EQ(Panel(3), QStringLiteral("入力・修正待ち"));
    QTest::keyClick(Form->Panes.reExpression, Qt::Key_Backspace);
    QTest::keyClick(Form->Panes.reExpression, Qt::Key_Backspace);
    ASSERT_EQ(Document(), QString());
    EXPECT_EQ(Panel(3), QString());
    EXPECT_EQ(Output(), QString());
    EXPECT_EQ(ResultLines(), QStringList{QStringLiteral("pi: 3.14159265358979")});
    Form->Menu.Options.mEquation->trigger();
    EXPECT_EQ(Form->Panes.reResult->toPlainText(), QString());
}

// A document that completes no statement shows nothing of the one before.
TEST_F(WindowTest, NoStatementShowsNoEarlierResult)
{
    const struct {
        const char* before;
        const char* after;
    } cases[] = {{"1+2*3", ";"}, {"x", " ; // note"}, {"1+", ";;"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.after);
        SetDocument(QString::fromUtf8(c.before));
        Form->Recalculate();
        ASSERT_NE(Output() + Panel(3), QString());
        SetDocument(QString::fromUtf8(c.after));
        Form->Recalculate();
        EXPECT_EQ(Output(), QString());
        EXPECT_EQ(Panel(3), QString());
    }
}

// A long document is calculated a slice at a time between keys: the window
// says so until the values are in, a key typed meanwhile starts again from
// its edit, and a command that needs the values has them finished first.
TEST_F(WindowTest, ALongCalculationGoesOnBetweenKeys)
{
    const auto finish = [this] {
        for (int i = 0; i < 100000 && Form->Calculating(); ++i)
            QCoreApplication::processEvents();
    };
    // Each case types its own digit into "a=0;", so that no run before it
    // has calculated its text.
    // clang-format off
    const struct {
        const char* what;
        const char* digit;
        std::function<void()> then;
        const char* output;
    } cases[] = {
        {"left to finish", "1", finish, "100010"},
        {"typed on", "2", [&] { Type(QStringLiteral("1")); finish(); }, "100210"},
        {"a command needs the values", "3",
         [this] {
             Form->Menu.Edit.mCopyWithResult->trigger();
             EXPECT_TRUE(QGuiApplication::clipboard()->text().endsWith(QStringLiteral("\r\n=100030")));
         },
         "100030"},
    };
    // clang-format on
    QString text = QStringLiteral("a=0;");
    for (int i = 0; i < 100000; ++i)
        text += QStringLiteral("a=a+1;");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetDocument(text);
        Select(2, 2);
        Type(QString::fromUtf8(c.digit));
        ASSERT_TRUE(Form->Calculating());
        EXPECT_EQ(Panel(3), QStringLiteral("計算中…"));
        EXPECT_EQ(Output(), QString());
        EXPECT_TRUE(ResultLines().isEmpty());
        c.then();
        EXPECT_FALSE(Form->Calculating());
        EXPECT_EQ(Output(), QString::fromUtf8(c.output));
        EXPECT_EQ(Panel(3), QString());
        EXPECT_EQ(ResultLines().value(ResultLines().size() - 1),
                  QStringLiteral("a: %1").arg(QString::fromUtf8(c.output)));
    }
}

TEST_F(WindowTest, AngleCommandsSwitchModeAndRecalculate)
{
    SetDocument(QStringLiteral("sin 30"));
    Form->Menu.Options.mDEG->trigger();
    EXPECT_EQ(Output(), QStringLiteral("0.5"));
    EXPECT_EQ(Panel(2), QStringLiteral("DEG"));
    EXPECT_TRUE(Form->Menu.Options.mDEG->isChecked());
    EXPECT_FALSE(Form->Menu.Options.mRAD->isChecked());
    Form->Menu.Options.mRAD->trigger();
    EXPECT_EQ(Output(), QString::fromStdString(FormatNumber(std::sin(30.0))));
    EXPECT_EQ(Panel(2), QStringLiteral("RAD"));
}

TEST_F(WindowTest, OverflowShowsTheStandardErrorReport)
{
    Type(QStringLiteral("1e200*1e20"));
    EXPECT_EQ(Output(), QStringLiteral("1E220"));
    Form->Menu.Options.mEquation->trigger();
    ASSERT_TRUE(Dialogs->Messages.empty());
    Type(QStringLiteral("0"));
    ASSERT_EQ(Dialogs->Messages.size(), 1u);
    const MessageRequest& box = Dialogs->Messages.front();
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(box.caption, QStringLiteral("Tallyrix"));
    EXPECT_EQ(box.text, QString::fromUtf8(OverflowText));
    // The run stopped inside Evaluate: the views stay emptied.
    EXPECT_EQ(Output(), QString());
    EXPECT_EQ(Form->Panes.reResult->toPlainText(), QString());
    // Raised again at every further recalculation.
    QTest::keyClick(Form->Panes.reExpression, Qt::Key_Left);
    EXPECT_EQ(Dialogs->Messages.size(), 2u);
}

TEST_F(WindowTest, MathErrorBoxCarriesTheProgramFileName)
{
    Type(QStringLiteral("exp 1000"));
    ASSERT_EQ(Dialogs->Messages.size(), 1u);
    EXPECT_EQ(Dialogs->Messages[0].text, QStringLiteral("exp: OVERFLOW error"));
    EXPECT_EQ(Dialogs->Messages[0].caption, QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    EXPECT_EQ(Output(), QStringLiteral("INF"));
    // Silent kinds show nothing.
    SetDocument(QStringLiteral("exp -1000"));
    QTest::keyClick(Form->Panes.reExpression, Qt::Key_End);
    EXPECT_EQ(Dialogs->Messages.size(), 1u);
    EXPECT_EQ(Output(), QStringLiteral("0"));
}

// The Enter or Escape that closes an error box is released over the
// editor; that release is the box's, so the box does not come back.
TEST_F(WindowTest, ReleaseOfTheKeyThatClosedABoxDoesNotRecalculate)
{
    Type(QStringLiteral("exp 1000"));
    ASSERT_EQ(Dialogs->Messages.size(), 1u);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Space}) {
        QTest::simulateEvent(Form->Panes.reExpression, false, key, Qt::NoModifier, QString(), false);
        EXPECT_EQ(Dialogs->Messages.size(), 1u) << key;
    }
    // The editor's own keystrokes still recalculate, once each.
    QTest::keyClick(Form->Panes.reExpression, Qt::Key_Left);
    EXPECT_EQ(Dialogs->Messages.size(), 2u);
}

// A function's error of one kind is shown once per recalculation, however
// often the document raises it.
TEST_F(WindowTest, EachMathErrorBoxOncePerRecalculation)
{
    QString powers = QStringLiteral("2");
    for (int i = 0; i < 2000; ++i)
        powers += QStringLiteral("^2");
    const struct {
        QString document;
        QStringList boxes;
    } cases[] = {
        {powers, {QStringLiteral("pow: OVERFLOW error")}},
        {QStringLiteral("exp 1000; sinh 1000; exp 1000; sinh 1000"),
         {QStringLiteral("exp: OVERFLOW error"), QStringLiteral("sinh: OVERFLOW error")}},
    };
    for (const auto& c : cases) {
        for (int run = 0; run < 2; ++run) {
            Dialogs->Messages.clear();
            SetDocument(c.document);
            Form->Recalculate();
            QStringList shown;
            for (const MessageRequest& box : Dialogs->Messages)
                shown << box.text;
            EXPECT_EQ(shown, c.boxes) << c.document.left(40).toStdString();
        }
    }
}

TEST_F(WindowTest, CaretPositionInStatusPanel)
{
    struct Case {
        const char* document;
        int selectionStart, selectionEnd;
        const char* expected;
    };
    const Case cases[] = {
        {"", 0, 0, "1行 1桁 計0文字"},
        {"ab\nあいう", 5, 5, "2行 3桁 計10文字"},  // double-byte characters and CR LF count two
        {"ab\nあいう", 1, 4, "1行 2桁 計10文字"},  // line of the start, column of the end
        {"12345\n\n", 7, 7, "3行 1桁 計9文字"},
        {"x = 1 // ｺﾒﾝﾄ", 13, 13, "1行 14桁 計13文字"},  // half-width katakana count one
    };
    for (const Case& c : cases) {
        SetDocument(QString::fromUtf8(c.document));
        Select(c.selectionStart, c.selectionEnd);
        EXPECT_EQ(Panel(0), QString::fromUtf8(c.expected)) << c.document;
    }
}

TEST_F(WindowTest, ModifiedMarkFollowsTheDocument)
{
    EXPECT_EQ(Panel(1), QString());
    Type(QStringLiteral("1"));
    EXPECT_EQ(Panel(1), QStringLiteral("変更あり"));
    EXPECT_TRUE(Form->Panes.reExpression->document()->isModified());
    // Moving the caret leaves the flag as it was.
    Form->SetModified(false);
    QTest::keyClick(Form->Panes.reExpression, Qt::Key_Home);
    EXPECT_EQ(Panel(1), QString());
    EXPECT_FALSE(Form->Panes.reExpression->document()->isModified());
}

TEST_F(WindowTest, TypingAtTheStartOfALineTakesTheEditorFont)
{
    SetDocument(QStringLiteral("a // c\n"));
    Form->Menu.Tools.mUpdate1->trigger();
    Select(6, 6);
    EXPECT_TRUE(IsCommentFormat(Form->Panes.reExpression->currentCharFormat()));
    Select(7, 7);
    Type(QStringLiteral("2"));
    EXPECT_TRUE(IsEditorFormat(FormatAt(Form->Panes.reExpression, 7)));
}

}  // namespace
}  // namespace tallyrix::test
