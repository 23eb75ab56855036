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
    // The error of a save of 8000 bytes under a file-size limit of 512,
    // which binds root too, as a full disk would.
    static std::string ErrorOfATooLargeSave(const std::string& path)
    {
        rlimit saved{};
        if (getrlimit(RLIMIT_FSIZE, &saved) != 0) return "<no limit>";
        rlimit small = saved;
        small.rlim_cur = 512;
        if (setrlimit(RLIMIT_FSIZE, &small) != 0) return "<no limit>";
        const std::string error = ErrorOf(path, std::string(8000, 'x'));
        setrlimit(RLIMIT_FSIZE, &saved);
        return error;
    }
    // Every entry of the directory, hidden ones (a left temporary) included.
    QStringList Entries() const
    {
        return QDir(Dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    QTemporaryDir Dir;
};

TEST(WriteFailureText, NamesTheCauseInWords)
{
    // clang-format off
    const struct {
        int errorNumber;
        const char* expected;
    } cases[] = {
        {ENOSPC, "ディスクがいっぱいです"},   {EFBIG, "ファイルが大きすぎます"},
        {EACCES, "書き込みが許可されていません"}, {EROFS, "読み取り専用のディスクです"},
        {ENAMETOOLONG, "ファイル名が長すぎます"}, {ENOENT, "フォルダが見つかりません"},
        {EISDIR, "同じ名前のフォルダがあります"}, {4242, "書き込みに失敗しました (エラー番号 4242)"},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(WriteFailureText(c.errorNumber), c.expected) << c.errorNumber;
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
    EXPECT_EQ(ErrorOfATooLargeSave(path), "ファイルに書き込めません: " + path + " (ファイルが大きすぎます)");
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

// A folder that takes no new name: the file is written in place, and a
// write that cannot have its space leaves the old file as it was.
TEST_F(SaveFailureTest, AReadOnlyFolderIsWrittenInPlace)
{
    const std::string path = In("doc.txt").toStdString();
    SaveWholeFile(path, "old");
    const QByteArray folder = Dir.path().toLocal8Bit();
    ASSERT_EQ(chmod(folder.constData(), 0555), 0);
    const SaveMethod method = SaveWholeFile(path, "new, longer");
    const std::string newBytes = Read(In("doc.txt"));
    const std::string error = ErrorOfATooLargeSave(path);
    chmod(folder.constData(), 0755);
    EXPECT_EQ(method, SaveMethod::WrittenInPlace);
    EXPECT_EQ(newBytes, "new, longer");
    EXPECT_EQ(error, "ファイルに書き込めません: " + path + " (ファイルが大きすぎます)");
    EXPECT_EQ(Read(In("doc.txt")), "new, longer");
    EXPECT_EQ(Entries(), QStringList{"doc.txt"});
}

// Root may write anything, so the file's mode decides for root too.
TEST_F(SaveFailureTest, AReadOnlyFileIsRefusedAndKept)
{
    const std::string path = In("doc.txt").toStdString();
    SaveWholeFile(path, "old");
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    EXPECT_EQ(ErrorOf(path, "new"), "ファイルに書き込めません: " + path + " (書き込みが許可されていません)");
    EXPECT_EQ(Read(In("doc.txt")), "old");
    EXPECT_EQ(Entries(), QStringList{"doc.txt"});
}

// Root, who may write anything, gives the file back to its owner.
TEST_F(SaveFailureTest, KeepsTheModeTheOwnerAndTheLink)
{
    const std::string target = In("real.txt").toStdString();
    SaveWholeFile(target, "one");
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);
    const uid_t owner = geteuid() == 0 ? 12345 : geteuid();
    ASSERT_EQ(chown(target.c_str(), owner, static_cast<gid_t>(-1)), 0);
    ASSERT_EQ(symlink(target.c_str(), In("link.txt").toLocal8Bit().constData()), 0);
    SaveWholeFile(In("link.txt").toStdString(), "two");
    struct stat info {};
    ASSERT_EQ(lstat(In("link.txt").toLocal8Bit().constData(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(info.st_uid, owner);
    EXPECT_EQ(Read(In("real.txt")), "two");
}

}  // namespace
}  // namespace tallyrix
