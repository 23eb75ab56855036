// The file pane's directory as the URL handed to the desktop.
#include <gtest/gtest.h>

#include <QDir>

#include "shell/ExplorerUrl.h"

namespace tallyrix {
namespace {

TEST(ExplorerUrlTest, EveryPathSurvivesAsAFileUrl)
{
    const QString cwd = QDir::currentPath();
    struct Case {
        QString directory;
        QString opened;
    };
    const Case cases[] = {
        {"/home/user/My Documents/CAL", "/home/user/My Documents/CAL"},
        {"/tmp/a#b/c?d", "/tmp/a#b/c?d"},
        {"/tmp/100%/%41%20", "/tmp/100%/%41%20"},
        {"/home/ユーザー/計算 ファイル", "/home/ユーザー/計算 ファイル"},
        {"-rf", cwd + "/-rf"},
        {"--help dir", cwd + "/--help dir"},
        {"~/CAL", cwd + "/~/CAL"},
        {"//server/share", "/server/share"},
        {"/tmp/CAL/", "/tmp/CAL"},
        {"/tmp/a;b&c|d`e$(f)'g\"h", "/tmp/a;b&c|d`e$(f)'g\"h"},
    };
    for (const Case& c : cases) {
        const QUrl url = DirectoryUrl(c.directory);
        SCOPED_TRACE(c.directory.toStdString());
        EXPECT_TRUE(url.isValid());
        EXPECT_TRUE(url.isLocalFile());
        EXPECT_TRUE(url.host().isEmpty());
        EXPECT_FALSE(url.hasQuery());
        EXPECT_FALSE(url.hasFragment());
        EXPECT_EQ(url.toLocalFile(), c.opened);
        // What the desktop receives parses back to the same directory.
        EXPECT_EQ(QUrl::fromEncoded(url.toEncoded()).toLocalFile(), c.opened);
    }
}

TEST(ExplorerUrlTest, NoDirectoryOpensNothing)
{
    EXPECT_TRUE(DirectoryUrl("").isEmpty());
    EXPECT_FALSE(OpenInFileManager(""));
}

}  // namespace
}  // namespace tallyrix
