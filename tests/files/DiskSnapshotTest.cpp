// Whether a document's file was changed by another program since it was
// read or saved.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>

#include <functional>
#include <string>

#include "files/DiskSnapshot.h"
#include "files/SaveFile.h"

namespace tallyrix {
namespace {

timespec ModifiedTime(const std::string& path)
{
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_mtim;
}

void SetModifiedTime(const std::string& path, timespec when)
{
    const timespec times[2] = {when, when};
    utimensat(AT_FDCWD, path.c_str(), times, 0);
}

TEST(DiskSnapshot, TellsAChangeByAnotherProgram)
{
    QTemporaryDir dir;
    const std::string path = QDir(dir.path()).filePath("doc.txt").toStdString();
    const std::string other = QDir(dir.path()).filePath("other.txt").toStdString();
    const struct {
        const char* what;
        std::function<void()> change;
        bool changed;
    } cases[] = {
        {"nothing", [] {}, false},
        {"longer", [&] { SaveWholeFile(path, "1+2;3"); }, true},
        {"same size, new time", [&] { SaveWholeFile(path, "9+9"); }, true},
        {"same size and time, other bytes",
         [&] {
             const timespec before = ModifiedTime(path);
             SaveWholeFile(path, "7+7");
             SetModifiedTime(path, before);
         },
         true},
        {"same bytes, time put back",
         [&] {
             const timespec before = ModifiedTime(path);
             SaveWholeFile(path, "1+2");
             SetModifiedTime(path, before);
         },
         false},
        {"deleted", [&] { QFile::remove(QString::fromStdString(path)); }, false},
    };
    for (const auto& c : cases) {
        SaveWholeFile(path, "1+2");
        const DiskSnapshot snapshot = DiskSnapshot::Of(path, "1+2");
        c.change();
        EXPECT_EQ(snapshot.ChangedOnDisk(path), c.changed) << c.what;
        EXPECT_FALSE(snapshot.ChangedOnDisk(other)) << c.what;
    }
    EXPECT_FALSE(DiskSnapshot().ChangedOnDisk(path));
}

}  // namespace
}  // namespace tallyrix
