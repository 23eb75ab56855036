#include "files/SaveFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <mutex>
#include <vector>

#include "files/Descriptor.h"
#include "files/SaveTemporaries.h"
#include "files/SaveWay.h"

namespace tallyrix {
namespace {

constexpr std::array<ErrorNumberText, 12> FailureTexts{{
    {ENOSPC, "ディスクがいっぱいです"},
    {EDQUOT, "ディスクの使用量の上限に達しました"},
    {EFBIG, "ファイルが大きすぎます"},
    {EACCES, "書き込みが許可されていません"},
    {EPERM, "書き込みが許可されていません"},
    {EROFS, "読み取り専用のディスクです"},
    {ENAMETOOLONG, "ファイル名が長すぎます"},
    {ENOENT, "フォルダが見つかりません"},
    {ENOTDIR, "フォルダが見つかりません"},
    {EISDIR, "同じ名前のフォルダがあります"},
    {EIO, "ディスクの読み書きに失敗しました"},
    {EBUSY, "ファイルが使用中です"},
}};

// Saving over a pipe or a device would replace it, or wait on it.
constexpr const char* NotRegularText = "通常のファイルではありません";

[[noreturn]] void FailBecause(const std::string& path, const std::string& reason)
{
    throw FileError("ファイルに書き込めません: " + path + " (" + reason + ")");
}

[[noreturn]] void Fail(const std::string& path, int errorNumber) { FailBecause(path, WriteFailureText(errorNumber)); }

// A file-size limit would otherwise end the program with SIGXFSZ instead of
// failing the write with EFBIG.
void IgnoreFileSizeSignal()
{
    static std::once_flag once;
    std::call_once(once, [] { std::signal(SIGXFSZ, SIG_IGN); });
}

// The file a link points to, so the link stays a link.
std::string ResolvedTarget(const std::string& path)
{
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) != nullptr) return resolved;
    return path;
}

std::string DirectoryOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool InUsersGroups(gid_t group)
{
    if (group == getegid()) return true;
    const int count = getgroups(0, nullptr);
    if (count <= 0) return false;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    const int filled = getgroups(count, groups.data());
    return filled > 0 && std::find(groups.begin(), groups.begin() + filled, group) != groups.begin() + filled;
}

EntryAccess AccessOf(const struct stat& info)
{
    return {static_cast<unsigned>(info.st_mode & 07777), info.st_uid == geteuid(), InUsersGroups(info.st_gid)};
}

SaveTarget TargetOf(const struct stat* existing, const std::string& directory)
{
    SaveTarget target;
    target.userIsRoot = geteuid() == 0;
    target.fileExists = existing != nullptr;
    if (existing) target.file = AccessOf(*existing);
    struct stat folder {};
    if (stat(directory.c_str(), &folder) == 0) target.folder = AccessOf(folder);
    return target;
}

// New files get 0666 less the umask, as any program's files do.
mode_t NewFileMode()
{
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// The temporary: open and locked, removed again unless it was renamed into
// place. The lock tells a save at work from one that was killed.
class Temporary {
public:
    explicit Temporary(const std::string& directory) : name(TemporaryTemplate(directory))
    {
        descriptor = mkostemp(name.data(), O_CLOEXEC);
        openError = descriptor < 0 ? errno : 0;
        if (descriptor >= 0) flock(descriptor, LOCK_EX);
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;
    ~Temporary()
    {
        if (!renamed && descriptor >= 0) unlink(name.c_str());
        if (descriptor >= 0) close(descriptor);
    }

    int OpenError() const { return openError; }
    int Write(std::string_view bytes) const { return WriteAll(descriptor, bytes); }

    // The owner first: a change of owner clears the set-id bits of the mode.
    int Finish(const struct stat* existing)
    {
        if (existing && fchown(descriptor, existing->st_uid, existing->st_gid) != 0) return errno;
        const mode_t mode = existing ? existing->st_mode & 07777 : NewFileMode();
        if (fchmod(descriptor, mode) != 0 || fsync(descriptor) != 0) return errno;
        return 0;
    }

    int RenameTo(const std::string& target)
    {
        if (rename(name.c_str(), target.c_str()) != 0) return errno;
        renamed = true;
        return 0;
    }

private:
    std::string name;
    int descriptor = -1;
    int openError = 0;
    bool renamed = false;
};

// 0 when the file was replaced, else the error number; the old file is
// untouched either way.
int Replace(const std::string& target, std::string_view bytes, const struct stat* existing)
{
    Temporary temporary(DirectoryOf(target));
    if (const int error = temporary.OpenError()) return error;
    if (const int error = temporary.Write(bytes)) return error;
    if (const int error = temporary.Finish(existing)) return error;
    return temporary.RenameTo(target);
}

// The space a longer text needs is reserved before the first byte changes;
// a file system that cannot reserve it is written all the same.
void WriteInPlace(const std::string& path, const std::string& target, std::string_view bytes)
{
    const Descriptor file(open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Value < 0) Fail(path, errno);
    struct stat info {};
    if (fstat(file.Value, &info) != 0) Fail(path, errno);
    if (!S_ISREG(info.st_mode)) FailBecause(path, NotRegularText);
    const auto size = static_cast<off_t>(bytes.size());
    if (size > info.st_size) {
        const int error = posix_fallocate(file.Value, 0, size);
        if (error != 0 && error != EOPNOTSUPP && error != EINVAL) Fail(path, error);
    }
    if (const int error = WriteAll(file.Value, bytes)) Fail(path, error);
    if (ftruncate(file.Value, size) != 0 || fsync(file.Value) != 0) Fail(path, errno);
}

// Refusals of the folder: the file itself may still take the bytes.
bool FolderRefused(int error) { return error == EACCES || error == EPERM; }

}  // namespace

std::string WriteFailureText(int errorNumber)
{
    if (const char* text = FindErrorText(FailureTexts, errorNumber)) return text;
    return "書き込みに失敗しました (エラー番号 " + std::to_string(errorNumber) + ")";
}

SaveMethod SaveWholeFile(const std::string& path, std::string_view bytes)
{
    IgnoreFileSizeSignal();
    const std::string target = ResolvedTarget(path);
    const std::string directory = DirectoryOf(target);
    struct stat info {};
    const struct stat* existing = stat(target.c_str(), &info) == 0 ? &info : nullptr;
    if (existing && S_ISDIR(existing->st_mode)) Fail(path, EISDIR);
    if (existing && !S_ISREG(existing->st_mode)) FailBecause(path, NotRegularText);
    RemoveStaleTemporaries(directory);
    switch (ChooseSaveWay(TargetOf(existing, directory))) {
        case SaveWay::Refuse:
            Fail(path, EACCES);
        case SaveWay::WriteInPlace:
            WriteInPlace(path, target, bytes);
            return SaveMethod::WrittenInPlace;
        case SaveWay::Replace:
            break;
    }
    const int error = Replace(target, bytes, existing);
    if (error == 0) return SaveMethod::Replaced;
    if (!existing || !FolderRefused(error)) Fail(path, error);
    WriteInPlace(path, target, bytes);
    return SaveMethod::WrittenInPlace;
}

}  // namespace tallyrix
