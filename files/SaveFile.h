// Replacing a whole file so that a failed write leaves the old one whole.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace tallyrix {

// A file that cannot be read or written; the text names the file and why.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes bytes to a temporary beside path and renames it over path (QSaveFile).
// Throws FileError when anything fails; the old file is then untouched.
// The path is UTF-8.
void SaveWholeFile(const std::string& path, std::string_view bytes);

}  // namespace tallyrix
