// Tallyrix.ini and EditorStyle.dat on disk. Both are replaced whole through a
// temporary file, so a failed write reports FileError and leaves the old
// file as it was.
//
// At creation the window reads the style file first; a damaged one is
// reported in one box (the FileError names the file), the design fonts of
// DesignEditorStyle() stay, and the INI file is still read. At close it
// writes the INI file, then the style file; the first FileError is reported
// and the files not yet written keep their old contents.
#pragma once

#include <optional>
#include <string>

#include "files/EditorStyleFile.h"
#include "files/ProfileFile.h"
#include "files/SaveFile.h"

namespace tallyrix {

inline constexpr const char* IniFileName = "Tallyrix.ini";
inline constexpr const char* StyleFileName = "EditorStyle.dat";

// ProgDir + "/" + the file name; paths are UTF-8.
std::string IniFilePath(const std::string& progDir);
std::string StyleFilePath(const std::string& progDir);

// An empty profile when there is no file; FileError when it cannot be read.
ProfileFile LoadProfileFile(const std::string& path);
void SaveProfileFile(const std::string& path, const ProfileFile& profile);

// Nothing when there is no file; FileError naming the file and what is wrong
// when it cannot be read or does not hold the three records.
std::optional<EditorStyle> LoadEditorStyleFile(const std::string& path);
void SaveEditorStyleFile(const std::string& path, const EditorStyle& style);

// The document named by asCurFileName, as an absolute path, when it is an
// existing file; a name without a directory is looked up in currentDir (the
// CAL directory at start-up). Nothing for an empty name, a missing file or a
// directory.
std::optional<std::string> DocumentToReopen(const std::string& stored, const std::string& currentDir);

}  // namespace tallyrix
