#include "files/ProgramDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include "files/SaveFile.h"

namespace tallyrix {

namespace {

// Permission bits do not tell (root writes anywhere, read-only mounts show
// write bits), so writability is tried.
bool CanCreateFilesIn(const QString& dir) {
    if (!QFileInfo(dir).isDir()) return false;
    QTemporaryFile probe(dir + "/.tallyrix-write-test-XXXXXX");
    return probe.open();
}

QString WithoutTrailingSeparator(QString dir) {
    dir = QDir::cleanPath(dir);
    while (dir.size() > 1 && dir.endsWith('/')) dir.chop(1);
    return dir;
}

}  // namespace

QString ChooseProgramDirectory(const QString& executableDir, const QString& homeOverride,
                               const QString& userDataDir) {
    const QString progDir = homeOverride.isEmpty() ? executableDir : homeOverride;
    return WithoutTrailingSeparator(CanCreateFilesIn(progDir) ? progDir : userDataDir);
}

ProgramDirectories ResolveProgramDirectories(const QString& executableDir, const QString& homeOverride,
                                             const QString& userDataDir) {
    // mkpath creates the per-user directory together with its CAL.
    const QString progDir = ChooseProgramDirectory(executableDir, homeOverride, userDataDir);
    const QString calDir = progDir + "/CAL";
    if (!QDir().mkpath(calDir)) {
        throw FileError("ディレクトリを作成できません: " + calDir.toStdString());
    }
    const QString wanted = WithoutTrailingSeparator(homeOverride.isEmpty() ? executableDir : homeOverride);
    return {progDir, calDir, progDir == wanted ? QString() : wanted};
}

QString FallbackNotice(const ProgramDirectories& directories)
{
    if (directories.refusedDir.isEmpty()) return QString();
    return QStringLiteral("%1 に書き込めないため、ファイルは %2 に置きます")
        .arg(QDir::toNativeSeparators(directories.refusedDir), QDir::toNativeSeparators(directories.progDir));
}

ProgramDirectories ProgramDirectoriesOfThisProcess() {
    return ResolveProgramDirectories(QCoreApplication::applicationDirPath(), qEnvironmentVariable("TALLYRIX_HOME"),
                                     QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

}  // namespace tallyrix
