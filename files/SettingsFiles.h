// Tallyrix.ini and EditorStyle.dat on disk. Both are replaced whole through a
// temporary file, so a failed write reports FileError and leaves the old
// file as it was.
//
// At creation the window reads the style file first; what a damaged one
// still holds is used, the rest is reported in one box, and the INI file is
// still read. At close it writes the INI file (through ProfileStore), then
// the style file, which a FileError leaves as it was.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "files/EditorStyleFile.h"
#include "files/FormSettings.h"
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

// Nothing when there is no file; FileError naming the file when it cannot be
// read. A damaged file gives what can be read, with the problems.
std::optional<EditorStyleReading> LoadEditorStyleFile(const std::string& path);
// The one report of a damaged style file.
std::string StyleProblemsText(const std::string& path, const std::vector<std::string>& problems);

// What the settings files held at start-up, so that a close writes back
// what the user did not change as it was: system colour codes, the dialogs'
// other properties.
struct SettingsAsRead {
    EditorStyle style = DesignEditorStyle();
    std::int32_t editorColor = SystemWindowColor;
};
void SaveEditorStyleFile(const std::string& path, const EditorStyle& style);

// The document named by asCurFileName, as an absolute path, when it is an
// existing file; a name without a directory is looked up in currentDir (the
// CAL directory at start-up). Nothing for an empty name, a missing file or a
// directory.
std::optional<std::string> DocumentToReopen(const std::string& stored, const std::string& currentDir);

}  // namespace tallyrix
