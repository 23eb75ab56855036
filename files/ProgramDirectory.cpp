#include "files/ProgramDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include "files/ProgramDirectoryChoice.h"
#include "files/SaveFile.h"

namespace tallyrix {

QString ChooseProgramDirectory(const QString& executableDir, const QString& homeOverride,
                               const QString& userDataDir) {
    return QString::fromStdString(ProgramDirectoryFor(executableDir.toStdString(), homeOverride.toStdString(),
                                                      userDataDir.toStdString()));
}

ProgramDirectories ResolveProgramDirectories(const QString& executableDir, const QString& homeOverride,
                                             const QString& userDataDir) {
    // mkpath creates the per-user directory together with its CAL.
    const QString progDir = ChooseProgramDirectory(executableDir, homeOverride, userDataDir);
    return {progDir, CreateCalDirectory(progDir)};
}

QString CreateCalDirectory(const QString& progDir) {
    const QString calDir = progDir + "/CAL";
    if (!QDir().mkpath(calDir)) {
        throw FileError("ディレクトリを作成できません: " + calDir.toStdString());
    }
    return calDir;
}

QString ProgramDirectoryOfThisProcess() {
    return ChooseProgramDirectory(QCoreApplication::applicationDirPath(), qEnvironmentVariable("TALLYRIX_HOME"),
                                  QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

}  // namespace tallyrix
