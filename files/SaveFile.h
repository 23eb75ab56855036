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

// Writes bytes to a temporary with a short name beside path, flushes it to
// the disk and renames it over path, so the file is the old one or the new
// one whole, whatever happens in between, and a name near the file system's
// length limit saves like any other. A link is followed: the file it points
// to is replaced. The file keeps its permissions. Throws FileError naming
// the file and the reason in words; the old file is then untouched and no
// temporary is left. The path is UTF-8.
void SaveWholeFile(const std::string& path, std::string_view bytes);

// Why a write failed, for the user: "ディスクがいっぱいです" for ENOSPC and so
// on; an error number without a text of its own is named by its number.
std::string WriteFailureText(int errorNumber);

}  // namespace tallyrix
