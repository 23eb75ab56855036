// Reading and writing calculation documents: plain text, CR LF on disk and
// LF in the editor, code page 932 unless the file is UTF-8 or a character
// needs it.
#pragma once

#include <cstddef>
#include <string>

#include "files/DiskSnapshot.h"
#include "files/SaveFile.h"
#include "files/TextCodec.h"

namespace tallyrix {

// What a read gives the editor, and what the next save of the same document
// needs to write the file back as it was.
struct CalcDocument {
    std::string text;   // UTF-8, lines separated by LF
    TextFormat format;  // encoding, spelling and kept bytes
    std::size_t undecodableBytes = 0;
    DiskSnapshot onDisk;  // the file as it was read
};

// Throws FileError naming the file when it cannot be opened or read, is not
// a regular file or is larger than DocumentSizeLimit.
CalcDocument ReadCalcDocument(const std::string& path);

// Writes text (LF or CR LF line ends) with CR LF line ends in the document's
// format (see EncodeText: bytes that could not be read are written back as
// they were; a character that does not fit code page 932 makes the file
// UTF-8 with a byte-order mark). Replaces the file only when the whole write
// succeeded; throws FileError otherwise. Returns the encoding written;
// written, when given, records the file as written, and method how.
TextEncoding WriteCalcDocument(const std::string& path, const std::string& text, const TextFormat& format,
                               DiskSnapshot* written = nullptr, SaveMethod* method = nullptr);

// Line ends as the editor holds them (LF) and as files hold them (CR LF).
std::string ToEditorLineEnds(const std::string& text);
std::string ToFileLineEnds(const std::string& text);

}  // namespace tallyrix
