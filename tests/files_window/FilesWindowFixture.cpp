#include "tests/files_window/FilesWindowFixture.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QListView>
#include <QTest>
#include <QTextEdit>

#include "shell/FileListBox.h"
#include "shell/FilePane.h"

namespace tallyrix::test {

void FilesWindowTest::SetUp()
{
    ASSERT_TRUE(Home.isValid());
    PreviousHome = qgetenv("TALLYRIX_HOME");
    qputenv("TALLYRIX_HOME", Home.path().toUtf8());
    WindowTest::SetUp();
}

void FilesWindowTest::TearDown()
{
    WindowTest::TearDown();
    qputenv("TALLYRIX_HOME", PreviousHome);
}

void FilesWindowTest::Restart()
{
    Form.reset();
    WindowTest::SetUp();
}

QString FilesWindowTest::HomePath(const QString& relative) const { return QDir(Home.path()).filePath(relative); }

QString FilesWindowTest::CalPath(const QString& name) const { return HomePath(QStringLiteral("CAL/") + name); }

void FilesWindowTest::WriteBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray FilesWindowTest::ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void FilesWindowTest::OpenWith(const QString& path, const QByteArray& bytes)
{
    WriteBytes(path, bytes);
    Form->RunHandler([&] { Form->OpenFile(path); });
}

void FilesWindowTest::TypeAtEnd(const QString& text)
{
    Form->Panes.reExpression->moveCursor(QTextCursor::End);
    Type(text);
}

bool FilesWindowTest::Modified() const { return Form->Panes.reExpression->document()->isModified(); }

QListView* FilesWindowTest::FileList() const { return Form->Panes.LeftPanel->FileListBox; }

void FilesWindowTest::WaitUntilListed(const QString& name, bool listed)
{
    EXPECT_TRUE(WaitFor([&] { return Form->Panes.LeftPanel->ListedFiles().contains(name) == listed; }))
        << name.toStdString() << (listed ? " never listed" : " still listed");
}

void FilesWindowTest::ClickFile(const QString& name, bool twice)
{
    WaitUntilListed(name);
    const QModelIndex index =
        Form->Panes.LeftPanel->FileModel->index(QDir(Form->Panes.LeftPanel->Directory()).filePath(name));
    ASSERT_TRUE(index.isValid()) << name.toStdString();
    FileList()->scrollTo(index);
    const QPoint at = FileList()->visualRect(index).center();
    QTest::mouseClick(FileList()->viewport(), Qt::LeftButton, {}, at);
    // The platform's double click: a click, then a double-click press and its release.
    if (twice) {
        QTest::mouseDClick(FileList()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(FileList()->viewport(), Qt::LeftButton, {}, at);
    }
}

bool WaitFor(const std::function<bool()>& done)
{
    QDeadlineTimer deadline(30000);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QTest::qWait(5);
    }
    return true;
}

}  // namespace tallyrix::test
