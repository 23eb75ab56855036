// Reading Registered.txt and handing its numeric entries to the engine:
// everything tallyrix-calc needs of the registered entries, without Qt.
// Paths are UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/SaveFile.h"

namespace tallyrix {

class Evaluator;

inline constexpr const char* RegisteredFileName = "Registered.txt";

// ProgDir + "/" + RegisteredFileName.
std::string RegisteredFilePath(const std::string& progDir);

// A file that exists but cannot be read, or cannot be written; the text
// names the file and the reason.
using RegisteredFileError = FileError;

// Cuts a text into lines: CR LF, a lone CR and a lone LF each end a line, a
// break at the very end adds no empty line, a NUL ends the text.
std::vector<std::string> SplitRegisteredText(std::string_view text);

// Each line followed by CR LF, the last one included.
std::string JoinRegisteredLines(const std::vector<std::string>& lines);

// The file's bytes, or nothing when there is no file (or it cannot even be
// looked at). Throws RegisteredFileError when the file is there but cannot
// be read: not a regular file, or larger than the small files' limit.
std::optional<std::string> ReadRegisteredBytes(const std::string& path);

// The file's bytes as lines, decoded to UTF-8.
std::vector<std::string> DecodeRegisteredText(std::string_view bytes);

// The lines of the file, decoded to UTF-8, or nothing when there is no file
// (or it cannot even be looked at). Throws RegisteredFileError when the file
// is there but cannot be read, is not a regular file or is larger than
// SmallFileSizeLimit.
std::optional<std::vector<std::string>> ReadRegisteredFile(const std::string& path);

// The whole start-up hand-over for the command line: reads the file and
// registers its numeric entries with a new engine. Returns the
// FixedVariableCount; 1 (pi only, engine untouched) when there is no file.
// Throws RegisteredFileError when the file exists but cannot be read.
int LoadRegisteredConstants(const std::string& path, Evaluator& engine);

}  // namespace tallyrix
