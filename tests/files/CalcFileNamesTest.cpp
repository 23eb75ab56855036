// The plain rules behind the file commands.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "files/CalcFileNames.h"

namespace tallyrix {
namespace {

TEST(CalcFileNames, NamePartsAndTheUntitledName)
{
    struct Case {
        const char* path;
        const char* name;
        const char* directory;
        bool untitled;
    };
    const Case cases[] = {
        {"新規.txt", "新規.txt", "", true},
        {"/home/u/CAL/新規.txt", "新規.txt", "/home/u/CAL", true},
        {"/home/u/CAL/", "", "/home/u/CAL", true},
        {"/home/u/CAL/a.txt", "a.txt", "/home/u/CAL", false},
        {"/新規.txt.bak", "新規.txt.bak", "/", false},
        {"/x/新規.TXT", "新規.TXT", "/x", false},
    };
    for (const Case& c : cases) {
        const QString path = QString::fromUtf8(c.path);
        EXPECT_EQ(FileNamePart(path), QString::fromUtf8(c.name)) << c.path;
        EXPECT_EQ(DirectoryPart(path), QString::fromUtf8(c.directory)) << c.path;
        EXPECT_EQ(IsUntitled(path), c.untitled) << c.path;
    }
    EXPECT_EQ(CaptionFor(QStringLiteral("Tallyrix"), QStringLiteral("/d/x.txt")), QStringLiteral("Tallyrix - x.txt"));
}

TEST(CalcFileNames, DialogFiltersComeInPairs)
{
    struct Case {
        const char* filter;
        QStringList expected;
    };
    const Case cases[] = {
        {"ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|すべてのﾌｧｲﾙ (*.*)|*.*", {"ﾃｷｽﾄﾌｧｲﾙ (*.txt)", "すべてのﾌｧｲﾙ (*.*)"}},
        {"Text|*.txt", {"Text (*.txt)"}},
        {"Text|*.txt|dangling", {"Text (*.txt)"}},
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DialogNameFilters(QString::fromUtf8(c.filter)), c.expected) << c.filter;
}

TEST(CalcFileNames, StatusMessages)
{
    const QString path = QStringLiteral("/d/a.txt");
    EXPECT_EQ(CreatedMessage(QStringLiteral("新規.txt")), QStringLiteral("新規.txtを作成して下さい"));
    EXPECT_EQ(OpenedMessage(path, 0), QStringLiteral("/d/a.txtを開きました"));
    EXPECT_EQ(OpenedMessage(path, 3), QStringLiteral("/d/a.txtを開きました (読み取れないバイト 3 個)"));
    EXPECT_EQ(SavedMessage(path), QStringLiteral("/d/a.txtを保存しました。"));
    EXPECT_EQ(SavedMessage(path, SaveMethod::WrittenInPlace),
              QStringLiteral("/d/a.txtを保存しました。(一時ファイルを使わずに直接上書きしました)"));
}

TEST(CalcFileNames, ReplacingAnotherFile)
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.txt"));
    const QString b = dir.filePath(QStringLiteral("b.txt"));
    for (const QString& path : {a, b}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QFile::link(a, dir.filePath(QStringLiteral("link.txt"))));
    QDir::setCurrent(dir.path());
    struct Case {
        QString target;
        QString current;
        bool replaces;
    };
    const Case cases[] = {
        {a, a, false},
        {dir.filePath(QStringLiteral("sub/../a.txt")), a, false},
        {dir.filePath(QStringLiteral("link.txt")), a, false},
        {b, a, true},
        {dir.filePath(QStringLiteral("new.txt")), a, false},
        // The untitled name is no file, even when the current directory holds one of that name.
        {a, QStringLiteral("a.txt"), true},
        {a, dir.filePath(QStringLiteral("deleted.txt")), true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReplacesAnotherFile(c.target, c.current), c.replaces)
            << c.target.toStdString() << " over " << c.current.toStdString();
}

}  // namespace
}  // namespace tallyrix
