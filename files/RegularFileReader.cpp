#include "files/RegularFileReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "files/Descriptor.h"

namespace tallyrix {
namespace {

constexpr std::array<ErrorNumberText, 8> FailureTexts{{
    {ENOENT, "ファイルが見つかりません"},
    {ENOTDIR, "フォルダが見つかりません"},
    {EACCES, "読み込みが許可されていません"},
    {EPERM, "読み込みが許可されていません"},
    {ENAMETOOLONG, "ファイル名が長すぎます"},
    {ELOOP, "リンクが循環しています"},
    {EIO, "ディスクの読み書きに失敗しました"},
    {ENOMEM, "メモリが足りません"},
}};

[[noreturn]] void Refuse(const std::string& path, const std::string& reason)
{
    throw FileError("ファイルを開けません: " + path + " (" + reason + ")");
}

std::string KindText(mode_t mode)
{
    if (S_ISDIR(mode)) return "通常のファイルではなくフォルダです";
    if (S_ISFIFO(mode)) return "通常のファイルではなく名前付きパイプです";
    if (S_ISSOCK(mode)) return "通常のファイルではなくソケットです";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "通常のファイルではなくデバイスです";
    return "通常のファイルではありません";
}

std::string TooLargeText(std::size_t limit)
{
    return "ファイルが大きすぎます。上限は " + std::to_string(limit / Megabyte) + " MB です";
}

// Runs on the name before anything is opened, and again on the opened file,
// which may have been put in the name's place in between.
void Check(const std::string& path, const struct stat& info, std::size_t limit)
{
    if (!S_ISREG(info.st_mode)) Refuse(path, KindText(info.st_mode));
    if (static_cast<std::uintmax_t>(info.st_size) > limit) Refuse(path, TooLargeText(limit));
}

// The size is a hint: a file that grows while it is read is read on until
// one byte beyond the limit shows it is too large.
std::string ReadUpTo(const std::string& path, int descriptor, std::size_t limit, std::size_t expected)
{
    std::string bytes(std::min(expected, limit) + 1, '\0');
    std::size_t used = 0;
    while (true) {
        if (used == bytes.size()) {
            if (used > limit) Refuse(path, TooLargeText(limit));
            bytes.resize(std::min(bytes.size() * 2, limit + 1));
        }
        const ssize_t count = read(descriptor, bytes.data() + used, bytes.size() - used);
        if (count == 0) break;
        if (count > 0) {
            used += static_cast<std::size_t>(count);
        } else if (errno != EINTR) {
            throw FileError("ファイルを読み込めません: " + path + " (" + ReadFailureText(errno) + ")");
        }
    }
    bytes.resize(used);
    return bytes;
}

}  // namespace

std::string ReadFailureText(int errorNumber)
{
    if (const char* text = FindErrorText(FailureTexts, errorNumber)) return text;
    return std::strerror(errorNumber);
}

RegularFileOpening OpenRegularFile(const std::string& path)
{
    RegularFileOpening opening;
    const auto failed = [&opening] {
        opening.error = errno;
        return opening;
    };
    if (stat(path.c_str(), &opening.info) != 0) return failed();
    if (!S_ISREG(opening.info.st_mode)) return opening;
    // Without waiting: a pipe swapped in after the look must not hold the open.
    Descriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Value < 0 || fstat(file.Value, &opening.info) != 0) return failed();
    if (S_ISREG(opening.info.st_mode)) opening.descriptor = file.Release();
    return opening;
}

std::string ReadRegularFile(const std::string& path, std::size_t limit)
{
    const RegularFileOpening opening = OpenRegularFile(path);
    const Descriptor file(opening.descriptor);
    if (opening.error != 0) Refuse(path, ReadFailureText(opening.error));
    Check(path, opening.info, limit);
    return ReadUpTo(path, file.Value, limit, static_cast<std::size_t>(opening.info.st_size));
}

}  // namespace tallyrix
