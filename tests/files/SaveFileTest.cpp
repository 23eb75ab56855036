#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <csignal>
#include <string>

#include "files/SaveFile.h"

namespace tallyrix {
namespace {

class SaveWholeFileTest : public ::testing::Test {
protected:
    std::string Path() const { return QDir(Dir.path()).filePath("doc.txt").toStdString(); }

    std::string Bytes() const
    {
        QFile file(QString::fromStdString(Path()));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<missing>";
    }

    QTemporaryDir Dir;
};

TEST_F(SaveWholeFileTest, ReplacesTheFile)
{
    const std::string contents[] = {"first\r\n", std::string("a\0b", 3), ""};
    for (const std::string& bytes : contents) {
        SaveWholeFile(Path(), bytes);
        EXPECT_EQ(Bytes(), bytes);
    }
}

// A write cut short (here by the file-size limit, which binds root too, as a
// full disk would) must not put a cut file in place of the old one.
TEST_F(SaveWholeFileTest, AShortWriteKeepsTheOldFile)
{
    SaveWholeFile(Path(), "old\r\n");
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    EXPECT_THROW(SaveWholeFile(Path(), std::string(4000, 'x')), FileError);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(Bytes(), "old\r\n");
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files), QStringList{"doc.txt"});
}

TEST_F(SaveWholeFileTest, UnwritablePlaceThrowsNamingTheFile)
{
    const std::string inside = QDir(Dir.path()).filePath("missing/doc.txt").toStdString();
    try {
        SaveWholeFile(inside, "x");
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_NE(std::string(error.what()).find(inside), std::string::npos) << error.what();
    }
}

}  // namespace
}  // namespace tallyrix
