// The file Registered.txt in the program's directory: one entry per line,
// read in any of the codec's encodings, written in code page 932 (UTF-8
// with a byte-order mark when a character does not fit) with CR LF.
//
// Reading is in RegisteredText.h, which needs no Qt; writing and the line
// order need Qt Core. Paths are UTF-8. The window owns RegisteredLines and
// FixedVariableCount; at start-up it does
//     if (auto lines = ReadRegisteredFile(path)) { RegisteredLines = *lines; UpdateRegisterToolBar(); }
// and UpdateRegisterToolBar sets FixedVariableCount = RegisterConstants(...).
// The register dialog's OK writes first and takes the new lines only when
// WriteRegisteredFile returned, so a failed write changes nothing:
//     auto lines = EntryLinesFromRows(rows, false);
//     WriteRegisteredFile(path, lines);   // throws RegisteredFileError
//     RegisteredLines = lines; UpdateRegisterToolBar();
#pragma once

#include <array>
#include <string>
#include <vector>

#include "registry/RegisteredText.h"

namespace tallyrix {

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

}  // namespace tallyrix
