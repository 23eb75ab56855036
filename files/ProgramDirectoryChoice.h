// Choosing the program's directory without Qt, for tallyrix-calc, which
// starts faster without it; the window's ChooseProgramDirectory gives the
// same answer through these functions.
#pragma once

#include <string>
#include <string_view>

namespace tallyrix {

// Whether the executable's directory may hold the program's files, as a
// portable copy unpacked or built in a folder of the user's own does: the
// folder belongs to the running user (ownerUid == userUid) and lies outside
// the system's install trees (/usr, /usr/local, /opt, /bin, /sbin, /lib,
// /snap).
// An installed program shares its folder with every user and the package
// system, so its files go to the per-user data directory even when root
// could write there. dir is an absolute path, cleaned lexically.
bool IsPortableProgramFolder(std::string_view dir, unsigned ownerUid, unsigned userUid);

// The same rule for a directory on disk, with its owner and the effective
// user of this process; false when it cannot be examined.
bool IsPortableProgramDirectory(const std::string& dir);

// homeOverride when it is not empty, else executableDir when it is a
// portable program directory; when the one taken is not a directory in which
// a file can be created, or the executable's directory is an install folder,
// userDataDir. The result is cleaned lexically ("a//b/./c/" gives "a/b/c").
// Nothing is left behind.
std::string ProgramDirectoryFor(const std::string& executableDir, const std::string& homeOverride,
                                const std::string& userDataDir);

// The same choice as far as reading the file fileName from the chosen
// directory goes: when neither candidate holds that file, which of them is
// chosen makes no difference and the first one is given without the trial
// of creating a file in it (a trial costs more than starting the command
// line program).
std::string ProgramDirectoryForReading(std::string_view fileName, const std::string& executableDir,
                                       const std::string& homeOverride, const std::string& userDataDir);

// The per-user data directory of an application as the platform names it on
// Linux: $XDG_DATA_HOME, else $HOME/.local/share (the root directory without
// a home), followed by "/" and the application's name.
std::string UserDataDirectory(std::string_view applicationName);

}  // namespace tallyrix
