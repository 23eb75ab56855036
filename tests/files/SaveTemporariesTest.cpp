// A save clears its folder of the temporaries killed saves left, and of
// nothing else.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <string>

#include "files/SaveFile.h"

namespace tallyrix {
namespace {

enum Kind { File, Folder, Link };

void Make(const std::string& path, Kind kind, const std::string& linkTarget)
{
    if (kind == Folder) {
        ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
    } else if (kind == Link) {
        ASSERT_EQ(symlink(linkTarget.c_str(), path.c_str()), 0);
    } else {
        const int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        ASSERT_GE(descriptor, 0);
        ASSERT_EQ(write(descriptor, "half a save", 11), 11);
        close(descriptor);
    }
}

void MakeOld(const std::string& path)
{
    const timespec old{std::time(nullptr) - 120, 0};
    const timespec times[2] = {old, old};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0);
}

TEST(SaveTemporaries, ASaveRemovesOnlyStaleTemporariesOfItsOwn)
{
    QTemporaryDir dir;
    const auto in = [&](const char* name) { return QDir(dir.path()).filePath(name).toStdString(); };
    Make(in("other.txt"), File, {});
    MakeOld(in("other.txt"));
    const struct {
        const char* name;
        Kind kind;
        bool old;
        bool removed;
    } cases[] = {
        {".tallyrix-Ab12Cd", File, true, true},
        {".tallyrix-Fresh1", File, false, false},  // a save may be writing it
        {".tallyrix-Held01", File, true, false},   // locked below: a save is writing it
        {".tallyrix-Ab12C", File, true, false},
        {".tallyrix-Ab12Cd.txt", File, true, false},
        {"tallyrix-Ab12Cd", File, true, false},
        {".tallyrix-Fold01", Folder, true, false},
        {".tallyrix-Link01", Link, true, false},
        {".tallyrix-Other1", File, true, false},  // another user's, when root can make one
    };
    for (const auto& c : cases) {
        Make(in(c.name), c.kind, in("other.txt"));
        if (c.old) MakeOld(in(c.name));
    }
    const int held = open(in(".tallyrix-Held01").c_str(), O_RDONLY);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    const bool root = geteuid() == 0;
    if (root) {
        ASSERT_EQ(lchown(in(".tallyrix-Other1").c_str(), 12345, 12345), 0);
    }

    SaveWholeFile(in("doc.txt"), "saved");
    close(held);

    for (const auto& c : cases) {
        const bool removed = c.removed || (!root && std::string(c.name) == ".tallyrix-Other1");
        EXPECT_EQ(QFileInfo(QString::fromStdString(in(c.name))).isSymLink() ||
                      QFileInfo::exists(QString::fromStdString(in(c.name))),
                  !removed)
            << c.name;
    }
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(in("other.txt"))));
}

}  // namespace
}  // namespace tallyrix
