// Input buttons, editing commands and the clipboard.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <functional>
#include <memory>

#include "shell/ResultField.h"
#include "shell/ResultPane.h"
#include "tests/window/WindowFixture.h"

namespace tallyrix::test {
namespace {

struct EditCase {
    const char* document;
    int selectionStart, selectionEnd;
    const char* button;
    const char* expected;
    int caret;
    bool hasResult;
};

class InputButtonTest : public WindowTest {
protected:
    void Check(const EditCase& c)
    {
        SetDocument(QString::fromUtf8(c.document));
        Select(c.selectionStart, c.selectionEnd);
        Form->Bands.OutputEdit->clear();
        Click(QString::fromUtf8(c.button));
        SCOPED_TRACE(std::string(c.button) + " on " + c.document);
        EXPECT_EQ(Document(), QString::fromUtf8(c.expected));
        EXPECT_EQ(Form->Panes.reExpression->textCursor().position(), c.caret);
        EXPECT_FALSE(Form->Panes.reExpression->textCursor().hasSelection());
        EXPECT_EQ(Output().isEmpty(), !c.hasResult) << Output().toStdString();
    }
};

// Symbols replace the selection; functions wrap it, the caret before ")".
TEST_F(InputButtonTest, InsertButtons)
{
    const EditCase cases[] = {
        {"", 0, 0, "1", "1", 1, true},
        {"1+2", 2, 3, "9", "1+9", 3, true},
        {"2", 0, 0, "pi", "pi2", 2, false},  // "pi2" is an unknown name: no result
        {"2", 1, 1, "^", "2^", 2, false},
        {"2*", 2, 2, "(", "2*(", 3, false},
        {"x+1", 0, 3, "sqrt()", "sqrt(x+1)", 8, false},
        {"4", 0, 1, "sqrt()", "sqrt(4)", 6, true},
        {"", 0, 0, "()", "()", 1, false},
        {"1+\n2", 0, 4, "abs()", "abs(1+\n2)", 8, true},  // a selection over lines, line break included
        {"a\nb", 2, 3, "log10()", "a\nlog10(b)", 9, false},
    };
    for (const EditCase& c : cases)
        Check(c);
}

TEST_F(InputButtonTest, KeyButtons)
{
    const EditCase cases[] = {
        {"123", 2, 2, "BS", "13", 1, true},           {"123", 0, 2, "BS", "3", 0, true},
        {"123", 1, 1, "Del", "13", 1, true},          {"123", 1, 3, "Del", "1", 1, true},
        {"12", 1, 1, "Tab", "1\t2", 2, false},        {"12", 0, 2, "Tab", "\t", 1, false},
        {"1+2", 2, 2, "CR", "1+\n2", 3, false},       {"1+2", 1, 2, "CR", "1\n2", 2, false},
        {"ab\ncd", 4, 4, "Home", "ab\ncd", 0, false}, {"ab\ncd", 0, 0, "End", "ab\ncd", 5, false},
    };
    for (const EditCase& c : cases)
        Check(c);
    // The CR button is no Enter key: no semicolon with the option on.
    Form->Menu.Options.mEnterToSemicolon->trigger();
    Check({"1", 1, 1, "CR", "1\n", 2, false});
}

TEST_F(WindowTest, InsertedTextTakesTheEditorFont)
{
    SetDocument(QStringLiteral("1 // a"));
    Form->Menu.Tools.mUpdate1->trigger();
    Select(6, 6);
    Click(QStringLiteral("2"));
    Click(QStringLiteral("exp()"));
    EXPECT_EQ(Document(), QStringLiteral("1 // a2exp()"));
    for (int i = 6; i < 12; ++i)
        EXPECT_TRUE(IsEditorFormat(FormatAt(Form->Panes.reExpression, i))) << i;
}

TEST_F(WindowTest, CaseConversionOfTheSelection)
{
    struct Case {
        const char* document;
        int selectionStart, selectionEnd;
        const char* command;  // the menu item's object name
        const char* expected;
    };
    const Case cases[] = {
        {"Sin X あＡ", 0, 8, "mUpperCase", "SIN X あＡ"},
        {"ABC DEF", 0, 3, "mLowerCase", "abc DEF"},
        {"ABC", 1, 1, "mLowerCase", "ABC"},
        {"A\nB", 0, 3, "mLowerCase", "a\nb"},
    };
    for (const Case& c : cases) {
        SetDocument(QString::fromUtf8(c.document));
        Select(c.selectionStart, c.selectionEnd);
        Form->findChild<QAction*>(QString::fromUtf8(c.command))->trigger();
        EXPECT_EQ(Document(), QString::fromUtf8(c.expected));
        EXPECT_FALSE(Form->Panes.reExpression->textCursor().hasSelection());
        EXPECT_EQ(Form->Panes.reExpression->textCursor().position(), c.selectionEnd);
    }
    SetDocument(QStringLiteral("PI"));
    Select(0, 2);
    Form->findChild<QAction*>(QStringLiteral("pmLowerCase"))->trigger();
    EXPECT_EQ(Output(), QStringLiteral("3.14159265358979"));
}

TEST_F(WindowTest, UndoCutPasteRecalculate)
{
    SetDocument(QStringLiteral("5"));
    Select(1, 1);
    Click(QStringLiteral("1"));
    EXPECT_EQ(Output(), QStringLiteral("51"));
    Form->Menu.Edit.mUndo->trigger();
    EXPECT_EQ(Document(), QStringLiteral("5"));
    EXPECT_EQ(Output(), QStringLiteral("5"));

    SetDocument(QStringLiteral("12"));
    Select(1, 2);
    Form->Menu.Edit.mCut->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("2"));
    EXPECT_EQ(Output(), QStringLiteral("1"));

    // Pasting takes the text only, in the editor font.
    auto* data = new QMimeData;
    data->setHtml(QStringLiteral("<b style=\"color:red\">9</b>"));
    data->setText(QStringLiteral("9"));
    QGuiApplication::clipboard()->setMimeData(data);
    Form->Menu.Edit.mPaste->trigger();
    EXPECT_EQ(Document(), QStringLiteral("19"));
    EXPECT_EQ(Output(), QStringLiteral("19"));
    EXPECT_TRUE(IsEditorFormat(FormatAt(Form->Panes.reExpression, 1)));
}

TEST_F(WindowTest, CopyCommandsDoNotRecalculate)
{
    SetDocument(QStringLiteral("12+3"));
    Select(0, 2);
    Form->Menu.Edit.mCopy->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("12"));
    EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasHtml());
    Form->Menu.Edit.mSelectAll->trigger();
    EXPECT_EQ(Form->Panes.reExpression->textCursor().selectedText(), QStringLiteral("12+3"));
    EXPECT_EQ(Output(), QString());

    Form->Menu.Options.mEquation->trigger();
    Form->Panes.reResult->selectAll();
    Form->findChild<QAction*>(QStringLiteral("Copy2"))->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("1: 15"));
}

TEST_F(WindowTest, CopyWithResultTakesWhatTheResultFieldShows)
{
    struct Case {
        QStringList typedLines;
        const char* clipboard;
    };
    const Case cases[] = {
        {{"1+2"}, "1+2\r\n=3"},
        {{"1+"}, "1+\r\n="},  // incomplete: "=" alone
        {{"1+", "2 // c"}, "1+\r\n2 // c\r\n=3"},
    };
    for (const Case& c : cases) {
        Form->Panes.reExpression->clear();
        for (const QString& line : c.typedLines) {
            if (line != c.typedLines.front()) QTest::keyClick(Form->Panes.reExpression, Qt::Key_Return);
            Type(line);
        }
        Select(0, 1);  // the selection plays no part
        Form->Menu.Edit.mCopyWithResult->trigger();
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8(c.clipboard)) << c.clipboard;
    }
}

// With 3桁区切りで表示 every view shows the digits grouped, and every copy
// gives the values as the engine wrote them.
TEST_F(WindowTest, GroupedValuesAreCopiedWithoutSeparators)
{
    SetDocument(QStringLiteral("price = 25000000;\nprice * -2"));
    Form->Menu.Options.mGroupDigits->trigger();
    EXPECT_EQ(Output(), QStringLiteral("-50,000,000"));
    // clang-format off
    const std::pair<QAction*, const char*> panes[] = {
        {Form->Menu.Options.mVariable, "price: 25,000,000"}, {Form->Menu.Options.mAligned, "-50,000,000"}, {Form->Menu.Options.mEquation, "2: -50,000,000"}};
    // clang-format on
    for (const auto& [mode, lastLine] : panes) {
        mode->trigger();
        EXPECT_EQ(ResultLines().constLast(), QString::fromUtf8(lastLine));
    }
    Form->Panes.reResult->selectAll();
    Form->findChild<QAction*>(QStringLiteral("Copy2"))->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("1: 25000000\n2: -50000000"));

    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    Form->Bands.OutputEdit->setFocus();
    Form->Bands.OutputEdit->selectAll();
    QTest::keyClick(Form->Bands.OutputEdit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("-50000000"));
    QGuiApplication::clipboard()->clear();
    std::unique_ptr<QMenu>(Form->Bands.OutputEdit->CreateValueMenu())->actions().value(0)->trigger();  // "コピー"
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("-50000000"));
    Form->Menu.Edit.mCopyWithResult->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("price = 25000000;\r\nprice * -2\r\n=-50000000"));
}

TEST_F(WindowTest, EnterOnlyOptionStopsEveryEditCommandFromRecalculating)
{
    const std::vector<std::pair<const char*, std::function<void()>>> commands = {
        {"number", [this] { Click(QStringLiteral("7")); }},
        {"function", [this] { Click(QStringLiteral("abs()")); }},
        {"BS", [this] { Click(QStringLiteral("BS")); }},
        {"Del", [this] { Click(QStringLiteral("Del")); }},
        {"upper case", [this] { Form->Menu.Edit.mUpperCase->trigger(); }},
        {"lower case", [this] { Form->Menu.Edit.mLowerCase->trigger(); }},
        {"undo", [this] { Form->Menu.Edit.mUndo->trigger(); }},
        {"cut", [this] { Form->Menu.Edit.mCut->trigger(); }},
        {"paste", [this] { Form->Menu.Edit.mPaste->trigger(); }},
    };
    Form->Menu.Options.mEnter->trigger();
    for (const auto& [name, command] : commands) {
        QGuiApplication::clipboard()->setText(QStringLiteral("4"));
        SetDocument(QStringLiteral("a+B"));
        Click(QStringLiteral("1"));  // something to undo
        Select(1, 4);
        const QString before = Document();
        Form->Bands.OutputEdit->setText(QStringLiteral("kept"));  // a run would empty it
        command();
        EXPECT_NE(Document(), before) << name;
        EXPECT_EQ(Output(), QStringLiteral("kept")) << name;
    }
}

// The clipboard and undo keys reach the menu commands, not only the editor.
TEST_F(WindowTest, EditShortcutsRunTheMenuCommands)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    Form->Panes.reExpression->setFocus();
    QGuiApplication::clipboard()->setText(QStringLiteral("42"));
    QTest::keyClick(Form->Panes.reExpression, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Document(), QStringLiteral("42"));
    EXPECT_EQ(Output(), QStringLiteral("42"));
    QTest::keyClick(Form->Panes.reExpression, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("42\r\n=42"));
    QTest::keyClick(Form->Panes.reExpression, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Document(), QString());
    EXPECT_EQ(Output(), QString());
}

// With the pane focused, Ctrl+A and Ctrl+C act on it, not on the editor.
TEST_F(WindowTest, CopyKeysInTheFocusedSidePane)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    SetDocument(QStringLiteral("7*6"));
    Form->Menu.Options.mEquation->trigger();
    Form->Panes.reResult->setFocus();
    QTest::keyClick(Form->Panes.reResult, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(Form->Panes.reResult, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("1: 42"));
    EXPECT_FALSE(Form->Panes.reExpression->textCursor().hasSelection());
}

}  // namespace
}  // namespace tallyrix::test
