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

}  // namespace
}  // namespace tallyrix::test
