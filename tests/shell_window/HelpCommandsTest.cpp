// Help, the about box and the explorer command in the real window.
#include <QAction>
#include <QDesktopServices>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "shell/FilePane.h"
#include "shell/HelpWindow.h"
#include "tests/window/WindowFixture.h"

namespace tallyrix::test {
namespace {

class UrlRecorder : public QObject {
    Q_OBJECT
public slots:
    void Open(const QUrl& url) { Urls << url; }

public:
    QList<QUrl> Urls;
};

using HelpCommandsTest = WindowTest;

TEST_F(HelpCommandsTest, F1WithoutHelpFileNamesTheFile)
{
    QTemporaryDir empty;
    Form->ProgDir = empty.path();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    QTest::keyClick(Form.get(), Qt::Key_F1);
    ASSERT_EQ(Dialogs->Messages.size(), 1u);
    EXPECT_TRUE(Dialogs->Messages[0].text.contains(QDir(empty.path()).filePath("Tallyrix.html")))
        << Dialogs->Messages[0].text.toStdString();
}

TEST_F(HelpCommandsTest, F1ShowsTheHelpPageBesideTheProgram)
{
    QTemporaryDir dir;
    QFile page(dir.filePath("Tallyrix.html"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<html><body><h1>ヘルプ</h1></body></html>");
    page.close();
    Form->ProgDir = dir.path();
    Form->Menu.Help.Topics->trigger();
    ASSERT_NE(Form->HelpWindow, nullptr);
    EXPECT_TRUE(Form->HelpWindow->isVisible());
    EXPECT_TRUE(Form->HelpWindow->toPlainText().contains("ヘルプ"));
    EXPECT_TRUE(Dialogs->Messages.empty());
}

// Installed, the program keeps its files in the per-user directory and its
// page in a shared data directory.
TEST_F(HelpCommandsTest, F1FindsTheInstalledHelpPage)
{
    QTemporaryDir files, shared;
    ASSERT_TRUE(QDir(shared.path()).mkpath("tallyrix"));
    QFile page(shared.filePath("tallyrix/Tallyrix.html"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<html><body><h1>インストール済み</h1></body></html>");
    page.close();
    const QByteArray previous = qgetenv("XDG_DATA_DIRS");
    qputenv("XDG_DATA_DIRS", shared.path().toUtf8());
    Form->ProgDir = files.path();
    Form->Menu.Help.Topics->trigger();
    qputenv("XDG_DATA_DIRS", previous);
    EXPECT_TRUE(Dialogs->Messages.empty());
    ASSERT_NE(Form->HelpWindow, nullptr);
    EXPECT_TRUE(Form->HelpWindow->toPlainText().contains("インストール済み"));
}

// A fresh box at each opening, with OK holding the focus.
TEST_F(HelpCommandsTest, AboutBoxOpensWithOkFocusedAndIsDestroyedAfter)
{
    std::vector<QPointer<QDialog>> boxes;
    Dialogs->DialogDriver = [&](QDialog& dialog) {
        boxes.emplace_back(&dialog);
        EXPECT_EQ(dialog.focusWidget(), dialog.findChild<QPushButton*>("OKButton"));
        dialog.accept();
    };
    Form->Menu.Help.About1->trigger();
    Form->Menu.Help.About1->trigger();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(boxes[0].isNull());
    EXPECT_TRUE(boxes[1].isNull());
}

TEST_F(HelpCommandsTest, ExplorerOpensTheFilePaneDirectoryAsUrl)
{
    QTemporaryDir dir;
    const QString blanks = dir.filePath("a b #1");
    ASSERT_TRUE(QDir().mkpath(blanks));
    Form->Panes.LeftPanel->SetDirectory(blanks);
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler("file", &recorder, "Open");
    Form->Menu.Tools.mExplorer1->trigger();
    QTest::mouseClick(Button("ExplorerBtn"), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler("file");
    ASSERT_EQ(recorder.Urls.size(), 2);
    EXPECT_EQ(recorder.Urls[0].toLocalFile(), QDir(blanks).absolutePath());
    EXPECT_EQ(recorder.Urls[1], recorder.Urls[0]);
}

}  // namespace
}  // namespace tallyrix::test

#include "HelpCommandsTest.moc"
