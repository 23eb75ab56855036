// The program's directory chosen without Qt, as the command line does it,
// against the platform's own answers.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdlib>
#include <string>

#include "files/ProgramDirectoryChoice.h"

namespace tallyrix {
namespace {

// Sets an environment variable for the lifetime of the object.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string& value) : Name(name)
    {
        if (const char* old = std::getenv(name)) Old = old;
        if (value.empty()) {
            unsetenv(name);
        } else {
            setenv(name, value.c_str(), 1);
        }
    }
    ~ScopedVariable()
    {
        if (Old.empty()) {
            unsetenv(Name);
        } else {
            setenv(Name, Old.c_str(), 1);
        }
    }

private:
    const char* Name;
    std::string Old;
};

TEST(UserDataDirectory, IsThePlatformsAppDataLocation)
{
    QCoreApplication::setApplicationName(QStringLiteral("Tallyrix"));
    const struct {
        const char* name;
        std::string xdgDataHome;
        std::string home;
    } cases[] = {
        {"XDG_DATA_HOME", "/tmp/tallyrix-xdg-data", "/tmp/tallyrix-home"},
        {"HOME only", "", "/tmp/tallyrix-home"},
        {"HOME with a trailing slash", "", "/tmp/tallyrix-home/"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ScopedVariable xdg("XDG_DATA_HOME", c.xdgDataHome);
        const ScopedVariable home("HOME", c.home);
        EXPECT_EQ(UserDataDirectory("Tallyrix"),
                  QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString());
    }
}

// A program run from an install tree, or from a folder of another user,
// keeps its files in the per-user directory, root included; a build or an
// unpacked copy in a folder of the user's own keeps them beside it.
TEST(IsPortableProgramFolder, OnlyFoldersOfTheUserOutsideTheInstallTrees)
{
    constexpr unsigned root = 0, alice = 1000, bob = 1001;
    const struct {
        const char* dir;
        unsigned owner, user;
        bool portable;
    } cases[] = {
        {"/usr/bin", root, root, false},
        {"/usr/local/bin", root, root, false},
        {"/usr", root, root, false},
        {"/opt/tallyrix", root, root, false},
        {"/opt/tallyrix", alice, alice, false},
        {"/bin", root, root, false},
        {"/snap/tallyrix/12/bin", root, root, false},
        {"/usr/bin", root, alice, false},
        {"/home/alice/tallyrix/build/app", alice, alice, true},
        {"/home/alice/tallyrix/build/app", alice, bob, false},
        {"/home/alice/tallyrix/build/app", alice, root, false},
        {"/root/build/app", root, root, true},
        {"/tmp/unpacked", alice, alice, true},
        {"/media/alice/STICK/Tallyrix", alice, alice, true},
        {"/usrlocal/app", alice, alice, true},
        {"/home/alice/usr/bin", alice, alice, true},
        {"/home/alice/opt", alice, alice, true},
        {"/", root, root, false},
        {"", alice, alice, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsPortableProgramFolder(c.dir, c.owner, c.user), c.portable)
            << c.dir << " owner " << c.owner << " user " << c.user;
}

// Reading needs no trial file where no Registered.txt can be found; where
// one can, the choice is the full one.
TEST(ProgramDirectoryForReading, TriesTheDirectoryOnlyWhenTheFileIsThere)
{
    QTemporaryDir exe, user;
    const std::string notADirectory = exe.filePath("file").toStdString();
    QFile(QString::fromStdString(notADirectory)).open(QIODevice::WriteOnly);
    const std::string userData = user.path().toStdString();
    const std::string home = exe.path().toStdString();

    // Neither holds the file: the override is given untried, although the
    // full choice would refuse it.
    EXPECT_EQ(ProgramDirectoryForReading("Registered.txt", home, notADirectory, userData), notADirectory);
    EXPECT_EQ(ProgramDirectoryFor(home, notADirectory, userData), userData);

    QFile(user.filePath("Registered.txt")).open(QIODevice::WriteOnly);
    EXPECT_EQ(ProgramDirectoryForReading("Registered.txt", home, notADirectory, userData), userData);
    EXPECT_EQ(ProgramDirectoryForReading("Registered.txt", home + "//", "", userData),
              QDir::cleanPath(exe.path()).toStdString());
    EXPECT_EQ(QDir(exe.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("file")});
}

}  // namespace
}  // namespace tallyrix
