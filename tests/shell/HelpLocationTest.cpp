// The help page of an installed program: beside the program's files in a
// build tree, in the shared data directory when installed.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "shell/HelpWindow.h"

namespace tallyrix {
namespace {

TEST(HelpLocation, FindsThePageWhereverTheProgramWasPut)
{
    const struct {
        const char* page;  // where the page is, under the root
        const char* found;
    } cases[] = {
        {"home/Tallyrix.html", "home/Tallyrix.html"},
        {"usr/bin/Tallyrix.html", "usr/bin/Tallyrix.html"},
        {"usr/share/tallyrix/Tallyrix.html", "usr/share/tallyrix/Tallyrix.html"},
        {"usr/share/doc/tallyrix/Tallyrix.html", "usr/share/doc/tallyrix/Tallyrix.html"},
    };
    for (const auto& c : cases) {
        QTemporaryDir root;
        const QString page = QDir(root.path()).filePath(c.page);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(page).absolutePath()));
        QFile(page).open(QIODevice::WriteOnly);
        QDir().mkpath(root.filePath("usr/bin"));
        const QStringList directories = HelpDirectories(root.filePath("home"), root.filePath("usr/bin"));
        EXPECT_EQ(LocateHelpFile(directories), QDir(root.path()).filePath(c.found)) << c.page;
    }
}

}  // namespace
}  // namespace tallyrix
