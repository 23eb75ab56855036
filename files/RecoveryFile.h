// The unsaved document kept when the session ends (logout, SIGTERM) with
// edits not saved: a JSON file beside the settings holding the text (UTF-8,
// as the editor has it), the document's name and its modified state. The
// next start offers it back and removes it either way.
#pragma once

#include <optional>
#include <string>

namespace tallyrix {

inline constexpr const char* RecoveryFileName = "Tallyrix.recovery";

struct RecoveredDocument {
    std::string text;      // UTF-8
    std::string fileName;  // the path, or the untitled name
    bool modified = true;

    friend bool operator==(const RecoveredDocument&, const RecoveredDocument&) = default;
};

std::string RecoveryFilePath(const std::string& progDir);

// Written whole through a temporary; FileError when it cannot be.
void SaveRecoveryFile(const std::string& path, const RecoveredDocument& document);
// Nothing when there is no file; FileError naming the file when it cannot
// be read or is not a recovery file.
std::optional<RecoveredDocument> LoadRecoveryFile(const std::string& path);

}  // namespace tallyrix
