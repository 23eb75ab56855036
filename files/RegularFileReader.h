// Reading a whole file whose name a user gave: it may be a pipe, a device,
// a link to /dev/zero or a file of gigabytes. Only a regular file (or a link
// to one) within a size limit is read; anything else is refused before it is
// opened, so a reader never waits on a pipe nor fills the memory.
#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <string>

#include "files/FileError.h"

namespace tallyrix {

inline constexpr std::size_t Megabyte = std::size_t{1024} * 1024;

// Calculation documents; the program's own small files (the registered
// entries, the settings, the help page) have the lower limit.
inline constexpr std::size_t DocumentSizeLimit = 256 * Megabyte;
inline constexpr std::size_t SmallFileSizeLimit = 16 * Megabyte;

// What opening a file to read came to: the open descriptor of a regular
// file, which the caller closes; or the errno of the step that failed; or,
// with neither, what was found instead of a regular file.
struct RegularFileOpening {
    int descriptor = -1;
    int error = 0;
    struct stat info {};  // of the name, or of the file once open
};

// Opens the file at path to read when it is a regular file or a link to
// one. It is looked at before it is opened, so that opening never waits on
// a pipe, and opened without waiting and looked at again, as something else
// may have been put in its place in between.
RegularFileOpening OpenRegularFile(const std::string& path);

// The bytes of the file at path (UTF-8). Throws FileError naming the file and
// the reason in words when it is not a regular file, holds more than limit
// bytes, or cannot be opened or read.
std::string ReadRegularFile(const std::string& path, std::size_t limit);

// Why reading failed, for the user: "ファイルが見つかりません" for ENOENT and
// so on; other error numbers by the system's text.
std::string ReadFailureText(int errorNumber);

}  // namespace tallyrix
