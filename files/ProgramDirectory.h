// Where the program keeps its files: CAL, Tallyrix.ini, EditorStyle.dat and
// Registered.txt.
#pragma once

#include <QString>

namespace tallyrix {

struct ProgramDirectories {
    QString progDir;  // no trailing separator
    QString calDir;   // progDir + "/CAL"
};

// The directory named by TALLYRIX_HOME when it is set, else the executable's
// directory; when that one cannot be written, the per-user data directory.
// Nothing is created: readers such as tallyrix-calc use it as it is.
QString ChooseProgramDirectory(const QString& executableDir, const QString& homeOverride,
                               const QString& userDataDir);

// The chosen directory, with CAL created when missing. Throws FileError when
// no usable directory can be created.
ProgramDirectories ResolveProgramDirectories(const QString& executableDir, const QString& homeOverride,
                                             const QString& userDataDir);

// ChooseProgramDirectory with the values of this process: the executable's
// directory, the environment variable and the platform's per-user data
// directory. Nothing is created.
QString ProgramDirectoryOfThisProcess();

// progDir + "/CAL", created when missing. Throws FileError naming it when it
// cannot be (a file of that name, no permission).
QString CreateCalDirectory(const QString& progDir);

}  // namespace tallyrix
