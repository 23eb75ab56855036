// Where the program keeps its files: CAL, Tallyrix.ini, EditorStyle.dat and
// Registered.txt.
#pragma once

#include <QString>

namespace tallyrix {

struct ProgramDirectories {
    QString progDir;  // no trailing separator
    QString calDir;   // progDir + "/CAL"
    // Set when the program's own directory could not be written and the
    // per-user data directory is used instead: the one that was refused.
    QString refusedDir;
    // The refused one is an install folder (a system folder or another
    // user's), not a directory that could not be written.
    bool refusedAsInstalled = false;
};

// What the window says once when the files are not where the program is:
// which directory is in use and why, a directory in the home directory named
// from "~"; empty when there was no fallback.
QString FallbackNotice(const ProgramDirectories& directories);

// The directory named by TALLYRIX_HOME when it is set, else the executable's
// directory when it is a portable one (IsPortableProgramDirectory); when the
// one taken cannot be written, or the program runs from an install folder,
// the per-user data directory.
// Nothing is created: readers such as tallyrix-calc use it as it is.
QString ChooseProgramDirectory(const QString& executableDir, const QString& homeOverride, const QString& userDataDir);

// The chosen directory, with CAL created when missing. Throws FileError when
// no usable directory can be created.
ProgramDirectories ResolveProgramDirectories(const QString& executableDir, const QString& homeOverride,
                                             const QString& userDataDir);

// The choice with the values of this process (the executable's directory,
// the environment variable and the platform's per-user data directory);
// nothing is created, calDir stays empty.
ProgramDirectories ProgramDirectoriesOfThisProcess();

// progDir + "/CAL", created when missing. Throws FileError naming it when it
// cannot be (a file of that name, no permission).
QString CreateCalDirectory(const QString& progDir);

}  // namespace tallyrix
