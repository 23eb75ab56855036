// How a save puts its bytes in place: through a temporary renamed over the
// file, or straight into the file when a rename would lose something, or
// not at all when the file is not the user's to write.
#pragma once

namespace tallyrix {

// A file or folder as the saving user sees it.
struct EntryAccess {
    unsigned mode = 0;  // permission bits
    bool ownedByUser = false;
    bool inUsersGroups = false;  // its group is one of the user's
};

struct SaveTarget {
    bool userIsRoot = false;
    bool fileExists = false;
    EntryAccess file;  // meaningful when fileExists
    EntryAccess folder;
};

enum class SaveWay {
    Replace,       // write a temporary, rename it over the file
    WriteInPlace,  // the folder takes no new name, or a new file would change hands
    Refuse,        // the file's mode does not let this user write it
};

// The write bit of the user's class decides, as the system decides for a
// user; root, whom the system lets write anything, is held to any write bit
// at all, as a text editor holds it, so that a file made read-only stays so.
bool WriteAllowed(const EntryAccess& entry, bool userIsRoot);

// A new file is always made through a temporary; the system decides whether
// the folder takes it. A rename would hand another user's file to this user,
// so such a file is written in place; root gives the temporary the file's
// owner back and may rename.
SaveWay ChooseSaveWay(const SaveTarget& target);

}  // namespace tallyrix
