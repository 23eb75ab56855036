// The register dialog opened from the Tools menu: its grid, the row rules,
// the pop-up commands, and what OK and Cancel leave behind.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include "tests/registry_window/RegisteredWindowFixture.h"

namespace tallyrix::test {
namespace {

using Rows = QList<QStringList>;

void ClickOk(TRegisterForm& form) { QTest::mouseClick(form.OkBtn, Qt::LeftButton); }

void ClickCancel(TRegisterForm& form) { QTest::mouseClick(form.CancelBtn, Qt::LeftButton); }

void Trigger(TRegisterForm& form, const char* action)
{
    QAction* item = form.PopupMenu1->findChild<QAction*>(QString::fromUtf8(action));
    ASSERT_NE(item, nullptr) << action;
    item->trigger();
}

TEST_F(RegisteredWindowTest, DialogShowsTheEntries)
{
    StartWith({"g,9.80665,重力加速度", R"("a,b",2,"say ""hi""")", "x,1,h,lost", "only"});
    InDialog([](TRegisterForm& form) {
        EXPECT_EQ(form.windowTitle(), QStringLiteral("定数・文字列の登録"));
        EXPECT_EQ(form.size(), QSize(603, 334));
        EXPECT_EQ(form.sgRegister->geometry(), QRect(9, 8, 584, 281));
        const QHeaderView* header = form.sgRegister->horizontalHeader();
        const QStringList titles = {"登録名", "変数の値・文字列", "ボタンに表示するヒント"};
        const int widths[] = {56, 272, 233};
        for (int column = 0; column < 3; ++column) {
            EXPECT_EQ(form.sgRegister->horizontalHeaderItem(column)->text(), titles[column]);
            EXPECT_EQ(header->sectionSize(column), widths[column]);
        }
        EXPECT_TRUE(header->sectionsMovable());
        EXPECT_TRUE(form.sgRegister->verticalHeader()->sectionsMovable());
        EXPECT_EQ(form.sgRegister->rowHeight(0), 20);
        EXPECT_EQ(GridRows(form), (Rows{{"g", "9.80665", "重力加速度"},
                                        {"a,b", "2", R"(say "hi")"},
                                        {"x", "1", "h"},
                                        {"only", "", ""},
                                        {"", "", ""}}));
        EXPECT_EQ(form.lbNumber->text(), QStringLiteral("現在の登録変数： 4"));
        EXPECT_EQ(form.sgRegister->currentRow(), 0);
        EXPECT_EQ(form.sgRegister->currentColumn(), 0);
        EXPECT_TRUE(form.OkBtn->isDefault());
        EXPECT_EQ(form.DeleteBtn->text(), QStringLiteral("選択行の削除"));
        QStringList menu;
        for (const QAction* action : form.PopupMenu1->actions())
            menu.append(action->isSeparator() ? "-" : action->text());
        EXPECT_EQ(menu, (QStringList{"切り取り", "コピー", "張り付け", "-", "選択行の複製", "選択行の削除"}));
        ClickCancel(form);
    });
}

TEST_F(RegisteredWindowTest, DialogWithoutAFile)
{
    StartWithoutFile();
    InDialog([](TRegisterForm& form) {
        EXPECT_EQ(GridRows(form), (Rows{{"", "", ""}}));
        EXPECT_EQ(form.lbNumber->text(), QStringLiteral("現在の登録変数： 0"));
    });
    EXPECT_FALSE(QFile::exists(RegisteredPath()));
}

TEST_F(RegisteredWindowTest, TypingIntoTheLastRowAddsARow)
{
    StartWithoutFile();
    const QString before = Output();
    InDialog([](TRegisterForm& form) {
        TypeIntoCell(form, 0, 0, QStringLiteral("x"));
        EXPECT_EQ(form.sgRegister->rowCount(), 2);
        EXPECT_EQ(form.lbNumber->text(), QStringLiteral("現在の登録数： 0"));
        TypeIntoCell(form, 0, 0, QStringLiteral("y"));
        EXPECT_EQ(form.sgRegister->rowCount(), 2);
        TypeIntoCell(form, 1, 1, QStringLiteral("5"));
        EXPECT_EQ(GridRows(form), (Rows{{"xy", "", ""}, {"", "5", ""}, {"", "", ""}}));
        EXPECT_EQ(form.lbNumber->text(), QStringLiteral("現在の登録数： 1"));
        // Enter in the cell editor is the default button's.
        QTest::keyClick(form.sgRegister->indexWidget(form.sgRegister->currentIndex()), Qt::Key_Return);
    });
    // The row without a name is dropped; the other keeps its trailing comma.
    EXPECT_EQ(FileBytes(), QByteArray("xy,,\r\n"));
    EXPECT_EQ(Captions(), QStringList{"xy"});
    EXPECT_EQ(Output(), before);  // OK does not recalculate
}

TEST_F(RegisteredWindowTest, OkRewritesAHandEditedFileSorted)
{
    StartWithBytes("b,2\r\n\r\nC,1,h,extra\r\n\"c d\",3\r\na,4");
    ASSERT_EQ(Form->RegisteredLines.size(), 5u);
    InDialog(ClickOk);
    // The whole line is compared, so a quoted name comes first.
    EXPECT_EQ(FileBytes(), QByteArray("\"c d\",3,\r\na,4,\r\nb,2,\r\nC,1,h\r\n"));
    EXPECT_EQ(Form->RegisteredLines, (std::vector<std::string>{"\"c d\",3,", "a,4,", "b,2,", "C,1,h"}));
    EXPECT_EQ(Captions(), (QStringList{"c d", "a", "b", "C"}));
}

TEST_F(RegisteredWindowTest, DeleteCompactsAndSortsWhateverTheAnswer)
{
    struct Case {
        const char* name;
        QMessageBox::StandardButton answer;
        int currentRow;
        Rows expected;
        const char* label;
    };
    // clang-format off
    const Case cases[] = {
        {"No still drops rows without a value", QMessageBox::No, 0,
         {{"a", "1", ""}, {"c", "3", ""}, {"", "", ""}}, "現在の登録変数： 2"},
        {"Yes empties the row first", QMessageBox::Yes, 0, {{"a", "1", ""}, {"", "", ""}}, "現在の登録変数： 1"},
        {"the empty last row", QMessageBox::Yes, 3, {{"a", "1", ""}, {"c", "3", ""}, {"", "", ""}}, "現在の登録変数： 2"},
    };
    // clang-format on
    StartWith({"c,3,", "b,,note", "a,1,"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Dialogs->MessageAnswers = {c.answer};
        InDialog([&](TRegisterForm& form) {
            EXPECT_EQ(GridRows(form).size(), 4);
            form.sgRegister->setCurrentCell(c.currentRow, 1);
            QTest::mouseClick(form.DeleteBtn, Qt::LeftButton);
            EXPECT_EQ(GridRows(form), c.expected);
            EXPECT_EQ(form.lbNumber->text(), QString::fromUtf8(c.label));
            ClickCancel(form);
        });
    }
    const MessageRequest& question = Dialogs->Messages.back();
    EXPECT_EQ(question.text, QStringLiteral("選択行を削除しますか？"));
    EXPECT_EQ(question.caption, QStringLiteral("Tallyrix"));
    EXPECT_EQ(question.icon, QMessageBox::Critical);
    EXPECT_EQ(question.buttons, QMessageBox::Yes | QMessageBox::No);
}

TEST_F(RegisteredWindowTest, DeletingTheEmptyRowSortsWhatWasTyped)
{
    StartWithoutFile();
    Dialogs->MessageAnswers = {QMessageBox::Yes};
    InDialog([](TRegisterForm& form) {
        TypeIntoCell(form, 0, 0, QStringLiteral("z"));
        TypeIntoCell(form, 0, 1, QStringLiteral("2"));
        TypeIntoCell(form, 0, 2, QStringLiteral("h"));
        TypeIntoCell(form, 1, 0, QStringLiteral("a"));
        TypeIntoCell(form, 1, 1, QStringLiteral("1"));
        form.sgRegister->setCurrentCell(2, 0);
        Trigger(form, "RowDelete");
        EXPECT_EQ(GridRows(form), (Rows{{"a", "1", ""}, {"z", "2", "h"}, {"", "", ""}}));
        ClickOk(form);
    });
    EXPECT_EQ(FileBytes(), QByteArray("a,1,\r\nz,2,h\r\n"));
}

TEST_F(RegisteredWindowTest, DeletingTheOnlyEntryAndOkLeavesAnEmptyFile)
{
    StartWith({"g,9.80665,"});
    Dialogs->MessageAnswers = {QMessageBox::Yes};
    InDialog([](TRegisterForm& form) {
        // Right after opening the question is about the first entry.
        QTest::mouseClick(form.DeleteBtn, Qt::LeftButton);
        EXPECT_EQ(GridRows(form), (Rows{{"", "", ""}}));
        EXPECT_EQ(form.lbNumber->text(), QStringLiteral("現在の登録変数： 0"));
        ClickOk(form);
    });
    EXPECT_TRUE(QFile::exists(RegisteredPath()));
    EXPECT_EQ(FileBytes(), QByteArray());
    EXPECT_TRUE(RegisteredButtons().isEmpty());
    EXPECT_EQ(Form->FixedVariableCount, 1);
    EXPECT_FALSE(Form->Engine.IsDefined("g"));
}

TEST_F(RegisteredWindowTest, CancelLeavesEverythingByteForByte)
{
    const QByteArray original("z,1,\x8f\x64\x97\xcd\r\n\r\na,2\n");
    StartWithBytes(original);
    const std::vector<std::string> lines = Form->RegisteredLines;
    Dialogs->MessageAnswers = {QMessageBox::Yes};
    for (void (*close)(TRegisterForm&) : {ClickCancel, static_cast<void (*)(TRegisterForm&)>(nullptr)}) {
        InDialog([close](TRegisterForm& form) {
            TypeIntoCell(form, 3, 0, QStringLiteral("new"));
            TypeIntoCell(form, 3, 1, QStringLiteral("7"));
            Trigger(form, "RowCopy");
            Trigger(form, "RowDelete");
            if (close) close(form);  // otherwise the close box
        });
        EXPECT_EQ(FileBytes(), original);
        EXPECT_EQ(Form->RegisteredLines, lines);
        EXPECT_EQ(Captions(), (QStringList{"z", "", "a"}));
        EXPECT_FALSE(Form->Engine.IsDefined("new"));
    }
}

TEST_F(RegisteredWindowTest, DuplicatedRowsGiveTwoButtons)
{
    StartWith({"a,1,", "g,9.80665,重力"});
    InDialog([](TRegisterForm& form) {
        form.sgRegister->setCurrentCell(1, 2);
        Trigger(form, "RowCopy");
        EXPECT_EQ(GridRows(form),
                  (Rows{{"a", "1", ""}, {"g", "9.80665", "重力"}, {"g", "9.80665", "重力"}, {"", "", ""}}));
        EXPECT_EQ(form.lbNumber->text(), QStringLiteral("現在の登録変数： 2"));  // not updated
        ClickOk(form);
    });
    EXPECT_EQ(Captions(), (QStringList{"a", "g", "g"}));
    EXPECT_EQ(Form->RegisteredLines, (std::vector<std::string>{"a,1,", "g,9.80665,重力", "g,9.80665,重力"}));
    EXPECT_EQ(Form->FixedVariableCount, 3);
}

TEST_F(RegisteredWindowTest, CutCopyAndPasteTakeWholeCells)
{
    StartWith({"a,1,one", "b,2,"});
    QClipboard* clipboard = QGuiApplication::clipboard();
    InDialog([clipboard](TRegisterForm& form) {
        form.sgRegister->setCurrentCell(0, 2);
        Trigger(form, "Copy1");
        EXPECT_EQ(clipboard->text(), QStringLiteral("one"));
        form.sgRegister->setCurrentCell(0, 1);
        Trigger(form, "Cut1");
        EXPECT_EQ(clipboard->text(), QStringLiteral("1"));
        form.sgRegister->setCurrentCell(1, 2);
        Trigger(form, "Paste1");
        EXPECT_EQ(GridRows(form), (Rows{{"a", "", "one"}, {"b", "2", "1"}, {"", "", ""}}));
        // Pasting into the empty last row makes it an entry with a new row below.
        clipboard->setText(QStringLiteral("pasted"));
        form.sgRegister->setCurrentCell(2, 0);
        Trigger(form, "Paste1");
        EXPECT_EQ(form.sgRegister->rowCount(), 4);
        clipboard->clear();
        form.sgRegister->setCurrentCell(1, 1);
        Trigger(form, "Paste1");
        EXPECT_EQ(GridRows(form).value(1), (QStringList{"b", "", "1"}));
        ClickOk(form);
    });
    EXPECT_EQ(FileBytes(), QByteArray("a,,one\r\nb,,1\r\npasted,,\r\n"));
}

// A dragged column is only shown elsewhere: what is typed under its title
// is still a name, a value or a hint. A dragged row takes its cells along.
TEST_F(RegisteredWindowTest, DraggedColumnsKeepTheirMeaning)
{
    StartWith({"a,1,ha", "b,2,"});
    InDialog([](TRegisterForm& form) {
        QTableWidget* grid = form.sgRegister;
        grid->horizontalHeader()->moveSection(1, 0);
        EXPECT_EQ(grid->horizontalHeader()->logicalIndex(0), 1);
        // The first place on screen, then Tab to the second: a value, then a name.
        TypeIntoCell(form, 2, 1, QStringLiteral("7"));
        QTest::keyClick(grid->indexWidget(grid->currentIndex()), Qt::Key_Tab);
        EXPECT_EQ(grid->currentColumn(), 0);
        TypeIntoCell(form, 2, grid->currentColumn(), QStringLiteral("n"));
        // A row dragged below the empty row does not become the unsaved last row.
        grid->verticalHeader()->moveSection(0, 3);
        EXPECT_EQ(GridRows(form), (Rows{{"b", "2", ""}, {"n", "7", ""}, {"", "", ""}, {"a", "1", "ha"}, {"", "", ""}}));
        ClickOk(form);
    });
    EXPECT_EQ(FileBytes(), QByteArray("a,1,ha\r\nb,2,\r\nn,7,\r\n"));
}

TEST_F(RegisteredWindowTest, OkReplacesTheConstantsWithoutRecalculating)
{
    StartWith({"g,9.80665,"});
    Type(QStringLiteral("g"));
    ASSERT_EQ(Output(), QStringLiteral("9.80665"));
    Dialogs->MessageAnswers = {QMessageBox::Yes};
    InDialog([](TRegisterForm& form) {
        Trigger(form, "RowDelete");
        TypeIntoCell(form, 0, 0, QStringLiteral("h"));
        TypeIntoCell(form, 0, 1, QStringLiteral("5"));
        ClickOk(form);
    });
    EXPECT_EQ(Output(), QStringLiteral("9.80665"));
    Form->Recalculate();
    EXPECT_EQ(Panel(3), QStringLiteral("変数名が未定義"));
    SetDocument(QString());
    Type(QStringLiteral("h*2"));
    EXPECT_EQ(Output(), QStringLiteral("10"));
}

TEST_F(RegisteredWindowTest, AFailedWriteChangesNothing)
{
    StartWith({"g,9.80665,"});
    Dialogs->MessageAnswers = {QMessageBox::Yes};  // replace what took the file's place
    InDialog([](TRegisterForm& form) {
        TypeIntoCell(form, 1, 0, QStringLiteral("h"));
        TypeIntoCell(form, 1, 1, QStringLiteral("5"));
        // The file's place is taken by a directory, which no write can replace.
        ASSERT_TRUE(QFile::remove(RegisteredPath()));
        ASSERT_TRUE(QDir().mkdir(RegisteredPath()));
        ClickOk(form);
    });
    ASSERT_EQ(Dialogs->Messages.size(), 2u);
    EXPECT_EQ(Dialogs->Messages[1].icon, QMessageBox::Critical);
    EXPECT_EQ(Dialogs->Messages[1].caption, QStringLiteral("Tallyrix"));
    EXPECT_EQ(Form->RegisteredLines, std::vector<std::string>{"g,9.80665,"});
    EXPECT_EQ(Captions(), QStringList{"g"});
    EXPECT_EQ(Form->FixedVariableCount, 2);
    EXPECT_TRUE(Form->Engine.IsDefined("g"));
    EXPECT_FALSE(Form->Engine.IsDefined("h"));
}

}  // namespace
}  // namespace tallyrix::test
