// The register dialog against what went wrong in use: pasted line breaks,
// a write of Registered.txt that fails, and a great many entries.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include "registry/FieldList.h"
#include "registry/RegisteredFile.h"
#include "shell/ButtonBar.h"
#include "tests/registry_window/RegisteredWindowFixture.h"

namespace tallyrix::test {
namespace {

void ClickOk(TRegisterForm& form) { QTest::mouseClick(form.OkBtn, Qt::LeftButton); }

// The pop-up menu's Paste and Ctrl+V in the cell editor alike.
TEST_F(RegisteredWindowTest, PastedLineBreaksBecomeSpaces)
{
    StartWith({"g,9.8"});
    QClipboard* clipboard = QGuiApplication::clipboard();
    InDialog([clipboard](TRegisterForm& form) {
        form.sgRegister->setCurrentCell(1, 0);
        clipboard->setText(QStringLiteral("two\r\nlines"));
        form.PopupMenu1->findChild<QAction*>(QStringLiteral("Paste1"))->trigger();
        TypeIntoCell(form, 1, 1, QString());
        auto* editor = qobject_cast<QLineEdit*>(form.sgRegister->indexWidget(form.sgRegister->model()->index(1, 1)));
        ASSERT_NE(editor, nullptr);
        clipboard->setText(QStringLiteral("a\tb\nc"));
        QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(editor->text(), QStringLiteral("a b c"));
        ClickOk(form);
    });
    const std::vector<std::string> lines = SplitRegisteredText(FileBytes().toStdString());
    EXPECT_EQ(lines, (std::vector<std::string>{"\"two lines\",\"a b c\",", "g,9.8,"}));
}

// The error is shown and the dialog stays open with what was typed, so OK
// can be pressed again once the cause is gone.
TEST_F(RegisteredWindowTest, AFailedWriteKeepsTheDialogOpen)
{
    StartWith({"g,9.8"});
    const QByteArray before = FileBytes();
    Dialogs->MessageAnswers = {QMessageBox::Yes};  // replace what took the file's place
    InDialog([this](TRegisterForm& form) {
        TypeIntoCell(form, 1, 0, QStringLiteral("c"));
        TypeIntoCell(form, 1, 1, QStringLiteral("3e8"));
        QFile::remove(RegisteredPath());
        ASSERT_TRUE(QDir().mkdir(RegisteredPath()));
        ClickOk(form);
        EXPECT_TRUE(form.isVisible());
        EXPECT_NE(form.result(), QDialog::Accepted);
        ASSERT_FALSE(Dialogs->Messages.empty());
        EXPECT_EQ(Dialogs->Messages.back().icon, QMessageBox::Critical);
        EXPECT_TRUE(Dialogs->Messages.back().text.contains(QStringLiteral("同じ名前のフォルダがあります")))
            << Dialogs->Messages.back().text.toStdString();
        EXPECT_EQ(GridRows(form).at(1), (QStringList{"c", "3e8", ""}));
        EXPECT_EQ(Captions(), QStringList{"g"});
        ASSERT_TRUE(QDir(RegisteredPath()).removeRecursively());
        ClickOk(form);
        EXPECT_EQ(form.result(), QDialog::Accepted);
    });
    EXPECT_NE(FileBytes(), before);
    EXPECT_EQ(Captions(), (QStringList{"c", "g"}));
}

// Another window or an editor changes Registered.txt while the dialog is
// open; the file starts as "a,1" and the other writer adds b.
TEST_F(RegisteredWindowTest, AnEntryWrittenMeanwhileIsNeverDroppedSilently)
{
    const QByteArray theirs("b,2,\r\na,1\r\n");
    const struct {
        const char* what;
        bool typeEntry;  // c,3 into the empty row
        bool outside;
        QMessageBox::StandardButton answer;  // NoButton: no question
        QByteArray fileAfter;
        QStringList captions;
    } cases[] = {
        {"an OK without changes writes the file back sorted", false, false, QMessageBox::NoButton, "a,1,\r\n", {"a"}},
        {"without changes the other's file stands", false, true, QMessageBox::NoButton, theirs, {"b", "a"}},
        {"Yes: the dialog's entries", true, true, QMessageBox::Yes, "a,1,\r\nc,3,\r\n", {"a", "c"}},
        {"No: both, after a second OK", true, true, QMessageBox::No, "a,1,\r\nb,2,\r\nc,3,\r\n", {"a", "b", "c"}},
        {"Cancel: back to the dialog", true, true, QMessageBox::Cancel, theirs, {"a"}},
    };
    StartWithoutFile();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PutFileBytes("a,1\r\n");
        Dialogs->Messages.clear();
        Dialogs->MessageAnswers = {c.answer};
        InDialog([&](TRegisterForm& form) {
            if (c.typeEntry) {
                TypeIntoCell(form, 1, 0, QStringLiteral("c"));
                TypeIntoCell(form, 1, 1, QStringLiteral("3"));
            }
            if (c.outside) PutFileBytes(theirs);
            ClickOk(form);
            if (c.answer == QMessageBox::No) {
                EXPECT_EQ(GridRows(form),
                          (QList<QStringList>{{"a", "1", ""}, {"b", "2", ""}, {"c", "3", ""}, {"", "", ""}}));
                ClickOk(form);
            }
            if (form.isVisible()) form.reject();
        });
        EXPECT_EQ(Dialogs->Messages.size(), c.answer == QMessageBox::NoButton ? 0u : 1u);
        EXPECT_EQ(FileBytes(), c.fileAfter);
        EXPECT_EQ(Captions(), c.captions);
    }
    const MessageRequest& question = Dialogs->Messages.front();
    EXPECT_EQ(question.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(question.defaultButton, QMessageBox::No);
}

// Every item under menu, nested menus opened as a user would open them.
QList<QAction*> MenuItems(QMenu* menu)
{
    emit menu->aboutToShow();
    QList<QAction*> items;
    for (QAction* action : menu->actions())
        items += action->menu() ? MenuItems(action->menu()) : QList{action};
    return items;
}

// More entries than the bar has room for: after OK the rows in view and the
// overflow menu offer the new entries, each once and in line order, and an
// entry goes into the document from the menu as from its button.
TEST_F(RegisteredWindowTest, AfterOkEveryOneOfManyEntriesIsReachable)
{
    const auto name = [](int entry) { return QStringLiteral("n%1").arg(entry, 3, 10, QChar(u'0')); };
    std::vector<std::string> lines;
    for (int entry = 0; entry < 600; ++entry)
        lines.push_back(JoinFields({"old" + std::to_string(entry), "s" + std::to_string(entry)}));
    StartWith(lines);
    InDialog([&name](TRegisterForm& form) {
        for (int row = 0; row < 600; ++row)
            form.sgRegister->item(row, 0)->setText(name(row));
        form.sgRegister->item(599, 1)->setText(QStringLiteral("42"));
        ClickOk(form);
    });
    QCoreApplication::processEvents();
    QStringList reached;
    for (const QToolButton* button : RegisteredButtons()) {
        if (button->isVisible()) reached.append(button->text());
    }
    const qsizetype inView = reached.size();
    QToolButton* overflow = Form->Bands.tbRegister->OverflowButton();
    ASSERT_TRUE(overflow->isVisible());
    const QList<QAction*> items = MenuItems(overflow->menu());
    for (const QAction* item : items)
        reached.append(item->text());
    QStringList expected;
    for (int entry = 0; entry < 600; ++entry)
        expected.append(name(entry));
    ASSERT_EQ(reached.join(u' ').toStdString(), expected.join(u' ').toStdString());

    const struct {
        int entry;
        bool insertValue;
        const char* inserted;
    } cases[] = {{599, false, "n599"}, {599, true, "42"}, {598, false, "s598"}, {0, false, "s0"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.inserted);
        SetDocument(QString());
        Form->Menu.Options.mInsertRegisteredValue->setChecked(c.insertValue);
        if (c.entry < inView) {
            QTest::mouseClick(RegisteredButton(name(c.entry)), Qt::LeftButton);
        } else {
            items.at(c.entry - inView)->trigger();
        }
        EXPECT_EQ(Document(), QString::fromUtf8(c.inserted));
    }
}

}  // namespace
}  // namespace tallyrix::test
