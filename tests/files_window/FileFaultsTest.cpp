// Documents against what went wrong in use: characters the editor takes for
// breaks, a file changed by another program, a long name, and a program
// directory that cannot be written.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <thread>

#include "tests/files_window/FilesWindowFixture.h"

namespace tallyrix::test {
namespace {

const QString ChangedQuestion = QStringLiteral("は他のプログラムによって変更されています。\n上書きしますか？");

TEST_F(FilesWindowTest, EveryCharacterButLineBreaksIsSavedAsItWasRead)
{
    const QByteArray documents[] = {
        QByteArray("\xEF\xBB\xBF"
                   "a=1;\xE2\x80\xA9"
                   "b=2\r\nc=3 \xE2\x80\xA8 d\r\n"),
        QByteArray("x=1; // \xE2\x80\xA9\xEF\xB7\x90\r\n\xE2\x80\xA9"),
    };
    for (const QByteArray& bytes : documents) {
        OpenWith(CalPath("para.txt"), bytes);
        TypeAtEnd(QStringLiteral("1"));
        Form->RunHandler([&] { Form->FileSave(); });
        EXPECT_EQ(ReadBytes(CalPath("para.txt")), bytes + "1");
    }
}

struct ChangedCase {
    const char* what;
    QMessageBox::StandardButton answer;
    std::optional<QString> saveAsName;  // the Save As dialog's answer after No
    const char* fileAfter;
    bool modifiedAfter;
};

TEST_F(FilesWindowTest, AFileChangedOnDiskIsNotOverwrittenSilently)
{
    const ChangedCase cases[] = {
        {"overwrite", QMessageBox::Yes, std::nullopt, "1+1;\r\n2", false},
        {"keep both, other name", QMessageBox::No, QStringLiteral("copy.txt"), "theirs\r\n", false},
        {"keep both, cancelled", QMessageBox::No, std::nullopt, "theirs\r\n", true},
    };
    for (const ChangedCase& c : cases) {
        OpenWith(CalPath("shared.txt"), "1+1;\r\n");
        TypeAtEnd(QStringLiteral("2"));
        WriteBytes(CalPath("shared.txt"), "theirs\r\n");
        Dialogs->Messages.clear();
        Dialogs->MessageAnswers = {c.answer};
        if (c.saveAsName)
            Dialogs->FileAnswers.push_back(CalPath(*c.saveAsName));
        else if (c.answer == QMessageBox::No)
            Dialogs->FileAnswers.push_back(std::nullopt);
        Form->RunHandler([&] { Form->FileSave(); });
        ASSERT_EQ(Dialogs->Messages.size(), 1u) << c.what;
        EXPECT_EQ(Dialogs->Messages.front().text, CalPath("shared.txt") + ChangedQuestion) << c.what;
        EXPECT_EQ(Dialogs->Messages.front().defaultButton, QMessageBox::No) << c.what;
        EXPECT_EQ(ReadBytes(CalPath("shared.txt")), QByteArray(c.fileAfter)) << c.what;
        EXPECT_EQ(Modified(), c.modifiedAfter) << c.what;
        if (c.saveAsName) {
            EXPECT_EQ(ReadBytes(CalPath(*c.saveAsName)), QByteArray("1+1;\r\n2")) << c.what;
        }
    }
    // Once saved, the next save does not ask again.
    OpenWith(CalPath("shared.txt"), "3;\r\n");
    TypeAtEnd(QStringLiteral("4"));
    Dialogs->Messages.clear();
    Form->RunHandler([&] { Form->FileSave(); });
    Form->RunHandler([&] { Form->FileSave(); });
    EXPECT_TRUE(Dialogs->Messages.empty());
}

TEST_F(FilesWindowTest, ALongNameSavesAgain)
{
    const QString name = QString(251, u'l') + ".txt";
    OpenWith(CalPath(name), "1;\r\n");
    TypeAtEnd(QStringLiteral("2"));
    Form->RunHandler([&] { Form->FileSave(); });
    EXPECT_TRUE(Dialogs->Messages.empty()) << Dialogs->Messages.front().text.toStdString();
    EXPECT_EQ(ReadBytes(CalPath(name)), QByteArray("1;\r\n2"));
    EXPECT_FALSE(Modified());
}

// A program directory that cannot be used: the window says where its files
// went instead, across the status bar, whole at the design size, until the
// first key gives the panels back.
TEST_F(FilesWindowTest, AFallbackDirectoryIsNamedInTheStatusBar)
{
    // The per-user directory in the home directory, as it is outside tests.
    const QByteArray previousData = qgetenv("XDG_DATA_HOME");
    const QByteArray previousHome = qgetenv("HOME");
    qputenv("HOME", Home.path().toUtf8());
    qputenv("XDG_DATA_HOME", HomePath(".local/share").toUtf8());
    WriteBytes(HomePath("blocked"), "a file, not a directory");
    qputenv("TALLYRIX_HOME", HomePath("blocked").toUtf8());
    Restart();
    qputenv("XDG_DATA_HOME", previousData);
    qputenv("HOME", previousHome);
    EXPECT_TRUE(Form->ProgDir.startsWith(HomePath(".local/share/"))) << Form->ProgDir.toStdString();
    const QString notice = QStringLiteral("~/blocked に書き込めないため、ファイルは ~/.local/share/%1 に置きます")
                               .arg(QFileInfo(Form->ProgDir).fileName());
    EXPECT_EQ(Form->Status.StatusBar->currentMessage(), notice);
    EXPECT_LT(Form->Status.StatusBar->fontMetrics().horizontalAdvance(notice), Form->Status.StatusBar->width() - 20);
    EXPECT_FALSE(Form->StatusPanel(0)->isVisible());
    Type(QStringLiteral("1"));
    EXPECT_EQ(Form->Status.StatusBar->currentMessage(), QString());
    EXPECT_TRUE(Form->StatusPanel(0)->isVisible());
}

// The pipe is refused before it is opened. Were it opened, the writer below
// would let the open return with an empty text, and the test fail instead of
// hanging; the writer is let go at the end whatever happened.
TEST_F(FilesWindowTest, OpeningAPipeIsRefusedAtOnce)
{
    OpenWith(CalPath("doc.txt"), "1+1;\r\n");
    const QString pipe = CalPath("pipe.txt");
    ASSERT_EQ(mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    std::thread writer([&] {
        const int descriptor = open(pipe.toLocal8Bit().constData(), O_WRONLY);
        if (descriptor >= 0) close(descriptor);
    });
    Dialogs->FileAnswers = {pipe};
    Form->RunHandler([&] { Form->FileOpen(); });
    const int reader = open(pipe.toLocal8Bit().constData(), O_RDONLY | O_NONBLOCK);
    writer.join();
    close(reader);
    ASSERT_EQ(Dialogs->Messages.size(), 1u);
    EXPECT_EQ(Dialogs->Messages[0].text,
              QStringLiteral("ファイルを開けません: %1 (通常のファイルではなく名前付きパイプです)").arg(pipe));
    EXPECT_EQ(Document(), QStringLiteral("1+1;\n"));
    EXPECT_EQ(Form->CurFileName, CalPath("doc.txt"));
}

}  // namespace
}  // namespace tallyrix::test
