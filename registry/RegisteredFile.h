// The file Registered.txt in the program's directory: one entry per line,
// read in any of the codec's encodings, written in code page 932 (UTF-8
// with a byte-order mark when a character does not fit) with CR LF.
//
// Paths are UTF-8. The window owns RegisteredLines and FixedVariableCount;
// at start-up it does
//     if (auto lines = ReadRegisteredFile(path)) { RegisteredLines = *lines; UpdateRegisterToolBar(); }
// and UpdateRegisterToolBar sets FixedVariableCount = RegisterConstants(...).
// The register dialog's OK writes first and takes the new lines only when
// WriteRegisteredFile returned, so a failed write changes nothing:
//     auto lines = EntryLinesFromRows(rows, false);
//     WriteRegisteredFile(path, lines);   // throws RegisteredFileError
//     RegisteredLines = lines; UpdateRegisterToolBar();
#pragma once

#include <array>
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

// The lines of the file, or nothing when there is no file.
std::optional<std::vector<std::string>> ReadRegisteredFile(const std::string& path);

// Replaces the file through a temporary, so a failed write leaves the old
// file whole; throws RegisteredFileError then.
void WriteRegisteredFile(const std::string& path, const std::vector<std::string>& lines);

// Ascending by a case-insensitive comparison of the whole line in the
// system's locale.
void SortRegisteredLines(std::vector<std::string>& lines);

// One row of the register dialog's grid: name, value or string, hint.
using EntryRow = std::array<std::string, 3>;

// The joined lines of the rows that have a name (and, with requireValue, a
// value too), in line order: what the dialog's OK saves, and what its
// deletion compacts the grid to.
std::vector<std::string> EntryLinesFromRows(const std::vector<EntryRow>& rows, bool requireValue);

// The whole start-up hand-over for the command line: reads the file and
// registers its numeric entries with a new engine. Returns the
// FixedVariableCount; 1 (pi only, engine untouched) when there is no file.
// Throws RegisteredFileError when the file exists but cannot be read.
int LoadRegisteredConstants(const std::string& path, Evaluator& engine);

}  // namespace tallyrix
