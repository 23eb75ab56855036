// The file Registered.txt in the program's directory: one entry per line,
// read in any of the codec's encodings, written in code page 932 (UTF-8
// with a byte-order mark when a character does not fit) with CR LF.
//
// Reading is in RegisteredText.h, which needs no Qt; writing and the line
// order need Qt Core. Paths are UTF-8. The window owns RegisteredLines and
// FixedVariableCount; at start-up it does
//     if (auto lines = ReadRegisteredFile(path)) { RegisteredLines = *lines; UpdateRegisterToolBar(); }
// and UpdateRegisterToolBar sets FixedVariableCount = RegisterConstants(...).
// The register dialog reads and writes through a RegisteredFileSession,
// which tells when another window or an editor changed the file meanwhile;
// the window takes the session's lines only after the dialog's OK, so a
// failed write changes nothing.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "files/DiskSnapshot.h"
#include "registry/RegisteredText.h"

namespace tallyrix {

// Replaces the file through a temporary, so a failed write leaves the old
// file whole; throws RegisteredFileError then. written, when given, records
// the file as written.
void WriteRegisteredFile(const std::string& path, const std::vector<std::string>& lines,
                         DiskSnapshot* written = nullptr);

// Ascending by a case-insensitive comparison of the whole line in the
// system's locale.
void SortRegisteredLines(std::vector<std::string>& lines);

// One row of the register dialog's grid: name, value or string, hint.
using EntryRow = std::array<std::string, 3>;

// The joined lines of the rows that have a name (and, with requireValue, a
// value too), in line order: what the dialog's OK saves, and what its
// deletion compacts the grid to.
std::vector<std::string> EntryLinesFromRows(const std::vector<EntryRow>& rows, bool requireValue);

// The first three fields of each line, as the dialog's grid shows them.
std::vector<EntryRow> EntryRowsOf(const std::vector<std::string>& lines);

// The dialog's entries (ours) with what another writer changed in the file
// since it was read: the lines it removed from base go from ours too, the
// lines it added come in unless ours already added them. An entry changed
// on both sides stays in both versions, so nothing either wrote is lost.
// All three are lists of joined lines; the result is sorted.
std::vector<std::string> MergeOutsideChanges(const std::vector<std::string>& base, const std::vector<std::string>& ours,
                                             const std::vector<std::string>& theirs);

}  // namespace tallyrix
