// Tallyrix.ini as the window reads and writes it: the view presets at any
// time, the close once. Each change is made to the file as read afresh, so
// keys written by others stay.
//
// A file the program must not or cannot replace is left as it is, and the
// settings written since are kept here, so that the next read (the next
// preset, the close) sees them: a file that could not be read, one holding
// bytes no encoding reads, a read-only file (the user froze it), and a
// write that failed. The reason is given once per store.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "files/ProfileFile.h"

namespace tallyrix {

class ProfileStore {
public:
    explicit ProfileStore(std::string path = {}) : path(std::move(path)) {}

    // The file, or the settings kept here since it was left alone; an empty
    // profile when there is no file or it cannot be read.
    ProfileFile Read();
    // Replaces the file by profile, or keeps profile here.
    void Write(const ProfileFile& profile);
    // Why the file is left alone: the first time only.
    std::optional<std::string> TakeNotice();

private:
    void LeaveFile(const ProfileFile& profile, const std::string& reason);
    void KeepHere(const ProfileFile& profile, const std::string& reason);

    std::string path;
    std::optional<ProfileFile> kept;
    bool leaveFile = false;  // the file is not to be replaced
    std::optional<std::string> notice;
    bool noticeGiven = false;
};

}  // namespace tallyrix
