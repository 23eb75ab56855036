// Registered.txt in the window: the toolbar's buttons, the engine's
// constants and what a press of a registered button inserts.
#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include "registry/FieldList.h"
#include "shell/ButtonBar.h"
#include "shell/ResultField.h"
#include "tests/registry_window/RegisteredWindowFixture.h"

namespace tallyrix::test {
namespace {

TEST_F(RegisteredWindowTest, OneButtonPerLineInLineOrder)
{
    StartWith({
        "g,9.80665,重力加速度",
        "half,1/2,",
        R"("a,b",2,"say ""hi""")",
        "c2, 1.5E+2 ,",
        "k,0,zero",
        "円周率,3.14,円|円周率の値",
        "s,,",
        "g,10,",
    });
    struct Expected {
        QString caption, tooltip, statusTip;
    };
    const Expected expected[] = {
        {"g", "重力加速度", "重力加速度"},
        {"half", "", ""},
        {"a,b", R"(say "hi")", R"(say "hi")"},
        {"c2", "", ""},
        {"k", "zero", "zero"},
        {"円周率", "円", "円周率の値"},
        {"s", "", ""},
        {"g", "", ""},
    };
    const QList<QToolButton*> buttons = RegisteredButtons();
    ASSERT_EQ(buttons.size(), std::size(expected));
    for (int i = 0; i < buttons.size(); ++i) {
        SCOPED_TRACE(expected[i].caption.toStdString());
        EXPECT_EQ(buttons[i]->text(), expected[i].caption);
        EXPECT_EQ(buttons[i]->toolTip(), expected[i].tooltip);
        EXPECT_EQ(buttons[i]->statusTip(), expected[i].statusTip);
        EXPECT_EQ(buttons[i]->property("Tag").toInt(), i);
        EXPECT_TRUE(buttons[i]->isVisible());
    }
    // pi, g (twice, one constant), a,b, c2 and 円周率.
    EXPECT_EQ(Form->FixedVariableCount, 5);
    EXPECT_EQ(Form->RegisteredLines.size(), std::size(expected));
}

// A long name is cut on its button only: the tooltip shows it whole, and
// the window gets no wider.
TEST_F(RegisteredWindowTest, ALongNameIsCutOnItsButton)
{
    StartWith({"g,1,"});
    const int narrowest = Form->minimumSizeHint().width();
    const QString name = QStringLiteral("R&D ") + QString(196, u'長');
    Form->RegisteredLines = {JoinFields({name.toStdString(), "1", "tip"})};
    Form->UpdateRegisterToolBar();
    // A new size reaches the window one level of layouts per round of events.
    for (QWidget* widget = Form->Bands.tbRegister; widget; widget = widget->parentWidget())
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    EXPECT_EQ(Form->minimumSizeHint().width(), narrowest);
    QToolButton* button = RegisteredButtons().value(0);
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->text().startsWith(QStringLiteral("R&&D "))) << button->text().toStdString();
    EXPECT_TRUE(button->text().endsWith(u'…')) << button->text().toStdString();
    EXPECT_EQ(button->toolTip(), name + QStringLiteral("\ntip"));
}

TEST_F(RegisteredWindowTest, WithoutTheFileThereIsNothing)
{
    StartWithoutFile();
    EXPECT_TRUE(RegisteredButtons().isEmpty());
    EXPECT_TRUE(Form->RegisteredLines.empty());
    EXPECT_EQ(Form->FixedVariableCount, 1);
    EXPECT_TRUE(Dialogs->Messages.empty());
}

TEST_F(RegisteredWindowTest, AFileThatCannotBeReadIsReported)
{
    ASSERT_TRUE(QDir().mkdir(RegisteredPath()));
    WindowTest::SetUp();
    ASSERT_EQ(Dialogs->Messages.size(), 1u);
    EXPECT_EQ(Dialogs->Messages[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(Dialogs->Messages[0].text.contains(QStringLiteral("Registered.txt")));
    EXPECT_TRUE(RegisteredButtons().isEmpty());
    EXPECT_EQ(Form->FixedVariableCount, 1);
    Type(QStringLiteral("1+1"));
    EXPECT_EQ(Output(), QStringLiteral("2"));
}

TEST_F(RegisteredWindowTest, ShiftJisFileWithEveryKindOfLineBreak)
{
    // 重力 in code page 932; CR LF, a lone CR, a lone LF, and a NUL that
    // ends the text.
    StartWithBytes(QByteArray("\x8f\x64\x97\xcd,9.8,\r\nh,2\rq,3\nz,4\r\n\0x,5\r\n", 30));
    EXPECT_EQ(Captions(), (QStringList{"重力", "h", "q", "z"}));
    EXPECT_EQ(Form->FixedVariableCount, 5);
}

TEST_F(RegisteredWindowTest, NumericEntriesAreConstantsOfEveryRecalculation)
{
    StartWith({"g,9.80665,", "c2, 1.5E+2 ,", "half,1/2,", "k,0,zero"});
    // clang-format off
    const struct {
        const char* document;
        const char* output;
        const char* message;
    } cases[] = {
        {"g*2", "19.6133", ""},
        {"c2", "150", ""},
        {"x=g*2;y=c2;x", "19.6133", ""},
        {"g", "9.80665", ""},
        {"half", "", "変数名が未定義"},
        {"k", "", "変数名が未定義"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.document);
        SetDocument(QString());
        Type(QString::fromUtf8(c.document));
        EXPECT_EQ(Output(), QString::fromUtf8(c.output));
        EXPECT_EQ(Panel(3), QString::fromUtf8(c.message));
    }
    // The variables view lists the constants after pi.
    EXPECT_TRUE(ResultLines().contains(QStringLiteral("g: 9.80665"))) << ResultLines().join(u'|').toStdString();
}

TEST_F(RegisteredWindowTest, AnEntryNamedPiUpdatesPi)
{
    StartWith({"pi,3,"});
    EXPECT_EQ(Form->FixedVariableCount, 1);
    Type(QStringLiteral("pi*2"));
    EXPECT_EQ(Output(), QStringLiteral("6"));
}

struct PressCase {
    const char* name;
    const char* document;
    int selectionStart, selectionEnd;
    const char* button;
    bool insertValue, enterOnly;
    const char* expectedDocument;
    const char* expectedOutput;  // after the press; "" also when nothing recalculated
};

TEST_F(RegisteredWindowTest, PressInsertsTheNameOrTheText)
{
    StartWith(
        {"g,9.80665,重力加速度", "half,1/2,", "k,0,zero", "s,,", "t,text,", "c2, 1.5E+2 ,", R"(q,"say ""hi""",)"});
    const PressCase cases[] = {
        {"a constant inserts its name", "", 0, 0, "g", false, false, "g", "9.80665"},
        {"or its value with the option", "", 0, 0, "g", true, false, "9.80665", "9.80665"},
        {"the value as the file spells it", "", 0, 0, "c2", true, false, "1.5E+2", "150"},
        {"a formula inserts its text", "2*", 2, 2, "half", false, false, "2*1/2", "1"},
        {"a zero inserts its text", "", 0, 0, "k", false, false, "0", "0"},
        {"an empty text inserts nothing and recalculates", "7", 1, 1, "s", false, false, "7", "7"},
        {"quotes are not inserted", "", 0, 0, "q", false, false, R"(say "hi")", ""},
        {"a name the document assigned goes in as the name", "t=3;", 4, 4, "t", false, false, "t=3;t", "3"},
        {"the selection is replaced", "1+2", 2, 3, "g", false, false, "1+g", "10.80665"},
        {"no recalculation with evaluation on Enter only", "", 0, 0, "g", false, true, "g", ""},
    };
    for (const PressCase& c : cases) {
        SCOPED_TRACE(c.name);
        Form->Menu.Options.mInsertRegisteredValue->setChecked(c.insertValue);
        Form->Menu.Options.mEnter->setChecked(c.enterOnly);
        SetDocument(QString::fromUtf8(c.document));
        Form->Recalculate();  // the engine knows what the document assigns
        Form->Bands.OutputEdit->clear();
        Select(c.selectionStart, c.selectionEnd);
        QTest::mouseClick(RegisteredButton(QString::fromUtf8(c.button)), Qt::LeftButton);
        EXPECT_EQ(Document(), QString::fromUtf8(c.expectedDocument));
        EXPECT_EQ(Form->Panes.reExpression->textCursor().position(), QString::fromUtf8(c.expectedDocument).size());
        EXPECT_EQ(Output(), QString::fromUtf8(c.expectedOutput));
    }
}

TEST_F(RegisteredWindowTest, InsertedTextDoesNotContinueAComment)
{
    StartWith({"g,9.80665,"});
    Type(QStringLiteral("1 // note"));
    Form->RestyleComments();
    QTextCursor cursor = Form->Panes.reExpression->textCursor();
    cursor.movePosition(QTextCursor::End);
    Form->Panes.reExpression->setTextCursor(cursor);
    const int end = static_cast<int>(Document().size());
    QTest::mouseClick(RegisteredButton(QStringLiteral("g")), Qt::LeftButton);
    EXPECT_TRUE(IsEditorFormat(FormatAt(Form->Panes.reExpression, end)));
}

TEST_F(RegisteredWindowTest, ManyButtonsWrapOntoRows)
{
    std::vector<std::string> lines;
    for (int i = 0; i < 40; ++i)
        lines.push_back("entry" + std::to_string(i) + "," + std::to_string(i + 1) + ",");
    StartWith(lines);
    QSet<int> rows;
    const QRect bar = Form->Bands.tbRegister->rect();
    for (const QToolButton* button : RegisteredButtons()) {
        EXPECT_TRUE(button->isVisible());
        EXPECT_TRUE(bar.contains(button->geometry())) << button->text().toStdString();
        rows.insert(button->y());
    }
    EXPECT_GT(rows.size(), 1);
    EXPECT_GE(Form->Bands.tbRegister->height(), rows.size() * RegisteredButtons().front()->height());
}

TEST_F(RegisteredWindowTest, MenuItemsWhereTheyBelong)
{
    StartWithoutFile();
    const QList<QAction*> tools = Form->menuBar()->findChild<QMenu*>(QStringLiteral("mTools"))->actions();
    ASSERT_GE(tools.size(), 3);
    EXPECT_EQ(tools[0], Form->Menu.Tools.mRegisterConst1);
    EXPECT_EQ(tools[0]->text(), QStringLiteral("定数・文字列の登録...(&R)"));
    EXPECT_TRUE(tools[1]->isSeparator());
    EXPECT_EQ(tools[2], Form->Menu.Tools.mUpdate1);

    const QList<QAction*> options = Form->menuBar()->findChild<QMenu*>(QStringLiteral("mOptions"))->actions();
    const qsizetype semicolon = options.indexOf(Form->Menu.Options.mEnterToSemicolon);
    ASSERT_GE(semicolon, 0);
    EXPECT_EQ(options.value(semicolon + 1), Form->Menu.Options.mInsertRegisteredValue);
    EXPECT_EQ(Form->Menu.Options.mInsertRegisteredValue->text(), QStringLiteral("定数の登録値を直接挿入(&C)"));
    EXPECT_EQ(Form->Menu.Options.mInsertRegisteredValue->objectName(), QStringLiteral("mInsertRegisteredValue"));
    EXPECT_FALSE(Form->Menu.Options.mInsertRegisteredValue->isChecked());
    Form->Menu.Options.mInsertRegisteredValue->trigger();
    EXPECT_TRUE(Form->Menu.Options.mInsertRegisteredValue->isChecked());
    Form->Menu.Options.mInsertRegisteredValue->trigger();
    EXPECT_FALSE(Form->Menu.Options.mInsertRegisteredValue->isChecked());
    EXPECT_EQ(Form->findChild<QObject*>(QStringLiteral("tbRegister")), Form->Bands.tbRegister);
}

}  // namespace
}  // namespace tallyrix::test
