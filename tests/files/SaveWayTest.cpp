// Whose file a save may replace, write in place or must leave alone.
#include <gtest/gtest.h>

#include "files/SaveWay.h"

namespace tallyrix {
namespace {

enum Who { Owner, GroupMember, Stranger, Root };

SaveTarget Target(Who who, bool ownedByUser, unsigned fileMode, unsigned folderMode)
{
    SaveTarget target;
    target.userIsRoot = who == Root;
    target.fileExists = fileMode != 0;
    target.file = {fileMode, ownedByUser, who == GroupMember};
    target.folder = {folderMode, true, false};
    return target;
}

TEST(SaveWay, TheFileModeAndOwnerDecide)
{
    const struct {
        const char* what;
        Who who;
        bool ownedByUser;
        unsigned fileMode;  // 0: no such file yet
        unsigned folderMode;
        SaveWay expected;
    } cases[] = {
        {"own file", Owner, true, 0644, 0755, SaveWay::Replace},
        {"own file, private", Owner, true, 0600, 0700, SaveWay::Replace},
        {"own file, write only", Owner, true, 0200, 0755, SaveWay::Replace},
        {"read-only file", Owner, true, 0444, 0755, SaveWay::Refuse},
        {"owner may not, others may", Owner, true, 0066, 0755, SaveWay::Refuse},
        {"another's file", Stranger, false, 0644, 0777, SaveWay::Refuse},
        {"group's file, group may write", GroupMember, false, 0664, 0775, SaveWay::WriteInPlace},
        {"group's file, group may read", GroupMember, false, 0644, 0775, SaveWay::Refuse},
        {"anyone may write", Stranger, false, 0666, 0777, SaveWay::WriteInPlace},
        {"read-only folder", Owner, true, 0640, 0555, SaveWay::WriteInPlace},
        {"read-only folder, read-only file", Owner, true, 0444, 0555, SaveWay::Refuse},
        {"new file in a read-only folder", Owner, true, 0, 0555, SaveWay::Replace},
        {"root, another's file", Root, false, 0644, 0755, SaveWay::Replace},
        {"root, read-only file", Root, true, 0444, 0755, SaveWay::Refuse},
        {"root, read-only folder", Root, true, 0644, 0555, SaveWay::WriteInPlace},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChooseSaveWay(Target(c.who, c.ownedByUser, c.fileMode, c.folderMode)), c.expected) << c.what;
    }
}

}  // namespace
}  // namespace tallyrix
