// Writes the file system refuses or that sit at its limits: the old file
// stays whole, no temporary is left, and the reason reads as words.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "files/SaveFile.h"

namespace tallyrix {
namespace {

std::string ErrorOf(const std::string& path, const std::string& bytes)
{
    try {
        SaveWholeFile(path, bytes);
    } catch (const FileError& error) {
        return error.what();
    }
    return "<no error>";
}

std::string Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<missing>";
}

class SaveFailureTest : public ::testing::Test {
protected:
    QString In(const QString& name) const { return QDir(Dir.path()).filePath(name); }
    // Every entry of the directory, hidden ones (a left temporary) included.
    QStringList Entries() const
    {
        return QDir(Dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    QTemporaryDir Dir;
};

TEST(WriteFailureText, NamesTheCauseInWords)
{
    const struct {
        int errorNumber;
        const char* expected;
    } cases[] = {
        {ENOSPC, "ディスクがいっぱいです"},   {EFBIG, "ファイルが大きすぎます"},
        {EACCES, "書き込みが許可されていません"}, {EROFS, "読み取り専用のディスクです"},
        {ENAMETOOLONG, "ファイル名が長すぎます"}, {ENOENT, "フォルダが見つかりません"},
        {EISDIR, "同じ名前のフォルダがあります"}, {4242, "書き込みに失敗しました (エラー番号 4242)"},
    };
    for (const auto& c : cases) EXPECT_EQ(WriteFailureText(c.errorNumber), c.expected) << c.errorNumber;
}

// The longest names a file system takes: the temporary's name must not be
// longer than the document's.
TEST_F(SaveFailureTest, NamesUpToTheLimitSaveAgainAndAgain)
{
    for (const int length : {249, 250, 254, 255}) {
        const QString name = QString(length - 4, u'n') + ".txt";
        const std::string path = In(name).toStdString();
        SaveWholeFile(path, "first");
        SaveWholeFile(path, "second");
        EXPECT_EQ(Read(In(name)), "second") << length;
        EXPECT_TRUE(QFile::remove(In(name)));
    }
    EXPECT_TRUE(Entries().isEmpty()) << Entries().join(' ').toStdString();
}

TEST_F(SaveFailureTest, AFullDiskKeepsTheOldFileAndSaysSo)
{
    const std::string path = In("doc.txt").toStdString();
    SaveWholeFile(path, "old\r\n");
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 512;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string error = ErrorOf(path, std::string(8000, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(error, "ファイルに書き込めません: " + path + " (ファイルが大きすぎます)");
    EXPECT_EQ(Read(In("doc.txt")), "old\r\n");
    EXPECT_EQ(Entries(), QStringList{"doc.txt"});
}

TEST_F(SaveFailureTest, RefusedPlacesLeaveEverythingAsItWas)
{
    ASSERT_TRUE(QDir(Dir.path()).mkdir("folder"));
    const struct {
        const char* name;
        const char* reason;
    } cases[] = {
        {"missing/doc.txt", "フォルダが見つかりません"},
        {"folder", "同じ名前のフォルダがあります"},
    };
    for (const auto& c : cases) {
        const std::string path = In(c.name).toStdString();
        EXPECT_EQ(ErrorOf(path, "x"), "ファイルに書き込めません: " + path + " (" + c.reason + ")");
    }
    EXPECT_EQ(Entries(), QStringList{"folder"});
}

// Root writes into any folder whatever its mode, so this holds for users.
TEST_F(SaveFailureTest, AReadOnlyFolderKeepsTheOldFile)
{
    if (geteuid() == 0) GTEST_SKIP() << "root is never refused by a folder's mode";
    const std::string path = In("doc.txt").toStdString();
    SaveWholeFile(path, "old");
    ASSERT_EQ(chmod(Dir.path().toLocal8Bit().constData(), 0555), 0);
    const std::string error = ErrorOf(path, "new");
    chmod(Dir.path().toLocal8Bit().constData(), 0755);
    EXPECT_EQ(error, "ファイルに書き込めません: " + path + " (書き込みが許可されていません)");
    EXPECT_EQ(Read(In("doc.txt")), "old");
}

TEST_F(SaveFailureTest, KeepsTheModeAndTheLink)
{
    const std::string target = In("real.txt").toStdString();
    SaveWholeFile(target, "one");
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);
    ASSERT_EQ(symlink(target.c_str(), In("link.txt").toLocal8Bit().constData()), 0);
    SaveWholeFile(In("link.txt").toStdString(), "two");
    struct stat info {};
    ASSERT_EQ(lstat(In("link.txt").toLocal8Bit().constData(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(Read(In("real.txt")), "two");
}

}  // namespace
}  // namespace tallyrix
