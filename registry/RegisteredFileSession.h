// Registered.txt from the opening of the register dialog to its OK: what
// the file held when this window last read or wrote it, so that the OK can
// tell whether another window or an editor has changed it since.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "files/DiskSnapshot.h"

namespace tallyrix {

class RegisteredFileSession {
public:
    explicit RegisteredFileSession(std::string path);
    const std::string& Path() const { return FilePath; }

    // Reads the file now and remembers it; nothing when there is no file.
    // Throws RegisteredFileError when the file is there but cannot be read.
    const std::optional<std::vector<std::string>>& Read();
    // The lines as last read or written; nothing when there was no file.
    const std::optional<std::vector<std::string>>& Lines() const { return Current; }
    // True when the file is no longer what was last read or written,
    // including a file that has appeared where there was none.
    bool ChangedOnDisk() const;
    // Replaces the file; throws RegisteredFileError with the old file whole.
    void Write(const std::vector<std::string>& lines);

private:
    std::string FilePath;
    std::optional<std::vector<std::string>> Current;
    DiskSnapshot Snapshot;
};

}  // namespace tallyrix
