#include "files/SaveFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <climits>
#include <cstdlib>
#include <mutex>
#include <utility>

namespace tallyrix {
namespace {

struct FailureText {
    int errorNumber;
    const char* text;
};

constexpr std::array<FailureText, 12> FailureTexts{{
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

[[noreturn]] void Fail(const std::string& path, int errorNumber)
{
    throw FileError("ファイルに書き込めません: " + path + " (" + WriteFailureText(errorNumber) + ")");
}

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

// New files get 0666 less the umask, as any program's files do; an existing
// file keeps its mode.
mode_t ModeFor(const std::string& target)
{
    struct stat existing {};
    if (stat(target.c_str(), &existing) == 0) return existing.st_mode & 07777;
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// The temporary: open, removed again unless it was renamed into place.
class Temporary {
public:
    explicit Temporary(const std::string& directory) : name(directory + "/.tallyrix-XXXXXX")
    {
        descriptor = mkostemp(name.data(), O_CLOEXEC);
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;
    ~Temporary()
    {
        if (descriptor >= 0) close(descriptor);
        if (!renamed) unlink(name.c_str());
    }

    bool Opened() const { return descriptor >= 0; }

    // 0 when done, else the error number.
    int Write(std::string_view bytes) const
    {
        while (!bytes.empty()) {
            const ssize_t written = write(descriptor, bytes.data(), bytes.size());
            if (written < 0 && errno == EINTR) continue;
            if (written < 0) return errno;
            if (written == 0) return ENOSPC;
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
        return 0;
    }

    int Finish(mode_t mode)
    {
        if (fchmod(descriptor, mode) != 0 || fsync(descriptor) != 0) return errno;
        const int closed = close(std::exchange(descriptor, -1));
        return closed == 0 ? 0 : errno;
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
    bool renamed = false;
};

}  // namespace

std::string WriteFailureText(int errorNumber)
{
    for (const FailureText& entry : FailureTexts) {
        if (entry.errorNumber == errorNumber) return entry.text;
    }
    return "書き込みに失敗しました (エラー番号 " + std::to_string(errorNumber) + ")";
}

void SaveWholeFile(const std::string& path, std::string_view bytes)
{
    IgnoreFileSizeSignal();
    const std::string target = ResolvedTarget(path);
    struct stat existing {};
    if (stat(target.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode)) Fail(path, EISDIR);
    Temporary temporary(DirectoryOf(target));
    if (!temporary.Opened()) Fail(path, errno);
    if (const int error = temporary.Write(bytes)) Fail(path, error);
    if (const int error = temporary.Finish(ModeFor(target))) Fail(path, error);
    if (const int error = temporary.RenameTo(target)) Fail(path, error);
}

}  // namespace tallyrix
