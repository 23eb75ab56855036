// The Open dialog's names: the default extension only for a name that has
// none and names no file, and "すべてのﾌｧｲﾙ (*.*)" listing every file.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "files/CalcFileNames.h"
#include "files/ProgramDirectory.h"

namespace tallyrix {
namespace {

TEST(OpenedPath, AddsTheExtensionOnlyToANameOfNoFile)
{
    QTemporaryDir dir;
    for (const char* name : {"README", "memo.txt", "Makefile"})
        QFile(QDir(dir.path()).filePath(name)).open(QIODevice::WriteOnly);
    const struct {
        const char* typed;
        const char* opened;
    } cases[] = {
        {"README", "README"},                                  // exists without an extension
        {"memo", "memo.txt"},                                  // no such file: the default extension
        {"memo.txt", "memo.txt"}, {"notes.cal", "notes.cal"},  // has an extension, even when missing
        {"Makefile", "Makefile"}, {".profile", ".profile"},
    };
    for (const auto& c : cases) {
        const QString typed = QDir(dir.path()).filePath(c.typed);
        EXPECT_EQ(OpenedPath(typed, "txt"), QDir(dir.path()).filePath(c.opened)) << c.typed;
    }
    EXPECT_EQ(OpenedPath(QDir(dir.path()).filePath("memo"), QString()), QDir(dir.path()).filePath("memo"));
}

TEST(ListingFilter, ShowsTheTextAndListsWhatTheMaskMeans)
{
    const struct {
        const char* filter;
        const char* listing;
    } cases[] = {
        {"ﾃｷｽﾄﾌｧｲﾙ (*.txt)", "ﾃｷｽﾄﾌｧｲﾙ (*.txt) (*.txt)"},
        {"すべてのﾌｧｲﾙ (*.*)", "すべてのﾌｧｲﾙ (*.*) (*)"},
        {"計算 (*.txt;*.cal)", "計算 (*.txt;*.cal) (*.txt *.cal)"},
        {"no mask", "no mask"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ListingFilter(QString::fromUtf8(c.filter)), QString::fromUtf8(c.listing)) << c.filter;
}

// The patterns as a directory listing takes them: every file for "*.*".
TEST(ListingFilter, AllFilesListsNamesWithoutADot)
{
    QTemporaryDir dir;
    for (const char* name : {"README", "a.txt", "b.cal"})
        QFile(QDir(dir.path()).filePath(name)).open(QIODevice::WriteOnly);
    const QString filter = ListingFilter(DialogNameFilters(QStringLiteral("すべてのﾌｧｲﾙ (*.*)|*.*")).constFirst());
    const QString patterns = filter.mid(filter.lastIndexOf(u'(') + 1).chopped(1);
    EXPECT_EQ(QDir(dir.path()).entryList(patterns.split(u' '), QDir::Files, QDir::Name),
              (QStringList{"README", "a.txt", "b.cal"}));
}

TEST(FallbackNotice, SaysOnceWhichDirectoryIsInUse)
{
    QTemporaryDir exe, user;
    const QString userData = user.path() + "/data";
    const QString unusable = exe.path() + "/not-a-directory";
    QFile(unusable).open(QIODevice::WriteOnly);
    const ProgramDirectories fallback = ResolveProgramDirectories(exe.path(), unusable, userData);
    EXPECT_EQ(
        FallbackNotice(fallback),
        QStringLiteral("%1 に書き込めないため、ファイルは %2 に置きます").arg(unusable, QDir::cleanPath(userData)));
    EXPECT_EQ(FallbackNotice(ResolveProgramDirectories(exe.path(), QString(), userData)), QString());
    EXPECT_EQ(FallbackNotice(ResolveProgramDirectories(exe.path(), exe.path() + "/", userData)), QString());
}

// Run from /usr/bin, by root as by anyone, the files go to the per-user
// directory and nothing is made beside the program.
TEST(FallbackNotice, AnInstalledProgramKeepsItsFilesPerUser)
{
    QTemporaryDir user;
    const QString userData = user.path() + "/data";
    const ProgramDirectories installed = ResolveProgramDirectories(QStringLiteral("/usr/bin"), QString(), userData);
    EXPECT_EQ(installed.progDir, QDir::cleanPath(userData));
    EXPECT_EQ(installed.calDir, QDir::cleanPath(userData) + "/CAL");
    EXPECT_FALSE(QDir(QStringLiteral("/usr/bin/CAL")).exists());
    EXPECT_EQ(
        FallbackNotice(installed),
        QStringLiteral("/usr/bin はインストール先のため、ファイルは %1 に置きます").arg(QDir::cleanPath(userData)));
    // In the home directory, as the per-user directory is outside tests.
    const QByteArray previousHome = qgetenv("HOME");
    qputenv("HOME", user.path().toUtf8());
    const QString notice = FallbackNotice(installed);
    qputenv("HOME", previousHome);
    EXPECT_EQ(notice, QStringLiteral("/usr/bin はインストール先のため、ファイルは ~/data に置きます"));
    // The override still wins.
    EXPECT_EQ(ResolveProgramDirectories(QStringLiteral("/usr/bin"), user.path(), userData).progDir,
              QDir::cleanPath(user.path()));
}

}  // namespace
}  // namespace tallyrix
