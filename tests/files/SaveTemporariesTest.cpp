// A save clears its folder of the temporaries killed saves left, and of
// nothing else.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>

#include "files/SaveFile.h"

namespace tallyrix {
namespace {

TEST(SaveTemporaries, ASaveRemovesOnlyStaleTemporariesOfItsOwn)
{
    QTemporaryDir dir;
    const bool root = geteuid() == 0;
    const struct {
        const char* name;
        bool old;
        bool removed;
    } cases[] = {
        {".tallyrix-Ab12Cd", true, true},  {".tallyrix-Fresh1", false, false},  // a save may be writing it
        {".tallyrix-Held01", true, false},                                      // locked below: a save is writing it
        {".tallyrix-Other1", true, !root},                                      // given to another user, when root can
        {".tallyrix-Ab12C", true, false},  {".tallyrix-Ab12Cd.txt", true, false}, {"tallyrix-Ab12Cd", true, false},
    };
    const timespec old[2] = {{std::time(nullptr) - 120, 0}, {std::time(nullptr) - 120, 0}};
    for (const auto& c : cases) {
        QFile file(dir.filePath(c.name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        if (c.old) {
            ASSERT_EQ(utimensat(AT_FDCWD, dir.filePath(c.name).toLocal8Bit().constData(), old, 0), 0);
        }
    }
    const int held = open(dir.filePath(".tallyrix-Held01").toLocal8Bit().constData(), O_RDONLY);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    if (root) {
        ASSERT_EQ(chown(dir.filePath(".tallyrix-Other1").toLocal8Bit().constData(), 12345, 12345), 0);
    }

    SaveWholeFile(dir.filePath("doc.txt").toStdString(), "saved");
    close(held);

    for (const auto& c : cases)
        EXPECT_EQ(QFile::exists(dir.filePath(c.name)), !c.removed) << c.name;
}

}  // namespace
}  // namespace tallyrix
