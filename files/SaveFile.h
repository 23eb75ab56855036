// Replacing a whole file so that a failed write leaves the old one whole.
#pragma once

#include <string>
#include <string_view>

#include "files/FileError.h"

namespace tallyrix {

// How the bytes reached the file.
enum class SaveMethod {
    Replaced,        // through a temporary renamed over the file
    WrittenInPlace,  // straight into the file: a rename was impossible
};

// Writes bytes to a temporary with a short name beside path, flushes it to
// the disk and renames it over path, so the file is the old one or the new
// one whole, whatever happens in between, and a name near the file system's
// length limit saves like any other. A link is followed: the file it points
// to is replaced. The file keeps its mode, owner and group.
//
// A file whose mode does not let the user write it is refused, whoever the
// user is ("書き込みが許可されていません"). A file in a folder that takes no
// new name, or one that a rename would hand from another user to this one,
// is written in place: the space is reserved first, so a full disk or a size
// limit leaves the old file whole; only a crash during the write itself can
// leave it part new. Stale temporaries of earlier saves in the folder are
// removed first.
//
// Throws FileError naming the file and the reason in words; the old file is
// then untouched and no temporary is left. The path is UTF-8.
SaveMethod SaveWholeFile(const std::string& path, std::string_view bytes);

// Why a write failed, for the user: "ディスクがいっぱいです" for ENOSPC and so
// on; an error number without a text of its own is named by its number.
std::string WriteFailureText(int errorNumber);

}  // namespace tallyrix
