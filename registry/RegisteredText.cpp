#include "registry/RegisteredText.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "files/TextCodec.h"
#include "files/TextLines.h"
#include "registry/RegisteredEntries.h"

namespace tallyrix {
namespace {

[[noreturn]] void FailToRead(const std::string& path, int error)
{
    throw RegisteredFileError("ファイルを読めません: " + path + " (" + std::strerror(error) + ")");
}

// Closes the descriptor on every way out.
class OpenFile {
public:
    explicit OpenFile(const std::string& path) : Descriptor(open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~OpenFile()
    {
        if (Descriptor >= 0) close(Descriptor);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    const int Descriptor;
};

// The whole file; the size is a hint only, so a file that grows or a
// special file that reports no size is still read to its end.
std::string ReadAll(const std::string& path)
{
    const OpenFile file(path);
    if (file.Descriptor < 0) FailToRead(path, errno);
    struct stat info {};
    std::string bytes;
    if (fstat(file.Descriptor, &info) == 0 && info.st_size > 0) bytes.reserve(static_cast<std::size_t>(info.st_size));
    char block[1 << 14];
    while (true) {
        const ssize_t count = read(file.Descriptor, block, sizeof block);
        if (count == 0) return bytes;
        if (count > 0) {
            bytes.append(block, static_cast<std::size_t>(count));
        } else if (errno != EINTR) {
            FailToRead(path, errno);
        }
    }
}

}  // namespace

std::string RegisteredFilePath(const std::string& progDir) { return progDir + "/" + RegisteredFileName; }

std::vector<std::string> SplitRegisteredText(std::string_view text)
{
    return SplitLines(text.substr(0, text.find('\0')));
}

std::string JoinRegisteredLines(const std::vector<std::string>& lines)
{
    return JoinLinesCrLf(lines);
}

std::optional<std::vector<std::string>> ReadRegisteredFile(const std::string& path)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return std::nullopt;
    return DecodeRegisteredText(ReadAll(path));
}

std::vector<std::string> DecodeRegisteredText(std::string_view bytes)
{
    // The NUL is cut before decoding so that bytes after it cannot sway the
    // choice of encoding; UTF-16, where plain text is half NULs, is named by
    // its mark and cut once decoded (SplitRegisteredText stops at a NUL).
    const TextEncoding encoding = ChooseEncoding(bytes).encoding;
    const bool utf16 = encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be;
    return SplitRegisteredText(DecodeText(utf16 ? bytes : bytes.substr(0, bytes.find('\0'))).text);
}

int LoadRegisteredConstants(const std::string& path, Evaluator& engine)
{
    const std::optional<std::vector<std::string>> lines = ReadRegisteredFile(path);
    return lines ? RegisterConstants(*lines, engine) : 1;
}

}  // namespace tallyrix
