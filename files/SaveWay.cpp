#include "files/SaveWay.h"

namespace tallyrix {

bool WriteAllowed(const EntryAccess& entry, bool userIsRoot)
{
    if (userIsRoot) return (entry.mode & 0222) != 0;
    if (entry.ownedByUser) return (entry.mode & 0200) != 0;
    if (entry.inUsersGroups) return (entry.mode & 0020) != 0;
    return (entry.mode & 0002) != 0;
}

SaveWay ChooseSaveWay(const SaveTarget& target)
{
    if (!target.fileExists) return SaveWay::Replace;
    if (!WriteAllowed(target.file, target.userIsRoot)) return SaveWay::Refuse;
    if (!WriteAllowed(target.folder, target.userIsRoot)) return SaveWay::WriteInPlace;
    if (!target.file.ownedByUser && !target.userIsRoot) return SaveWay::WriteInPlace;
    return SaveWay::Replace;
}

}  // namespace tallyrix
