#include "files/ProgramDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "files/ProgramDirectoryChoice.h"
#include "files/SaveFile.h"

namespace tallyrix {
namespace {

// The choice before it is made: the directory the program would use if it
// could, and the choice itself with the refused one noted.
ProgramDirectories Choose(const QString& executableDir, const QString& homeOverride, const QString& userDataDir)
{
    const QString progDir = ChooseProgramDirectory(executableDir, homeOverride, userDataDir);
    const QString wanted = QDir::cleanPath(homeOverride.isEmpty() ? executableDir : homeOverride);
    if (progDir == wanted) return {progDir, QString(), QString()};
    const bool installed = homeOverride.isEmpty() && QFileInfo(executableDir).isDir() &&
                           !IsPortableProgramDirectory(executableDir.toStdString());
    return {progDir, QString(), wanted, installed};
}

// A directory in the home directory is named from "~", so that the notice
// fits the status bar whatever the user's name.
QString ShownDirectory(const QString& dir)
{
    const QString home = QDir::cleanPath(QDir::homePath());
    if (home != QStringLiteral("/") && (dir == home || dir.startsWith(home + u'/')))
        return QDir::toNativeSeparators(u'~' + dir.mid(home.size()));
    return QDir::toNativeSeparators(dir);
}

}  // namespace

QString FallbackNotice(const ProgramDirectories& directories)
{
    if (directories.refusedDir.isEmpty()) return QString();
    const QString notice = directories.refusedAsInstalled
                               ? QStringLiteral("%1 はインストール先のため、ファイルは %2 に置きます")
                               : QStringLiteral("%1 に書き込めないため、ファイルは %2 に置きます");
    return notice.arg(ShownDirectory(directories.refusedDir), ShownDirectory(directories.progDir));
}

QString ChooseProgramDirectory(const QString& executableDir, const QString& homeOverride, const QString& userDataDir)
{
    return QString::fromStdString(
        ProgramDirectoryFor(executableDir.toStdString(), homeOverride.toStdString(), userDataDir.toStdString()));
}

ProgramDirectories ResolveProgramDirectories(const QString& executableDir, const QString& homeOverride,
                                             const QString& userDataDir)
{
    ProgramDirectories directories = Choose(executableDir, homeOverride, userDataDir);
    directories.calDir = CreateCalDirectory(directories.progDir);
    return directories;
}

QString CreateCalDirectory(const QString& progDir)
{
    // mkpath creates the per-user directory together with its CAL.
    const QString calDir = progDir + "/CAL";
    if (!QDir().mkpath(calDir)) {
        throw FileError("ディレクトリを作成できません: " + calDir.toStdString());
    }
    return calDir;
}

ProgramDirectories ProgramDirectoriesOfThisProcess()
{
    return Choose(QCoreApplication::applicationDirPath(), qEnvironmentVariable("TALLYRIX_HOME"),
                  QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

}  // namespace tallyrix
