#include "registry/RegisteredText.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "files/TextCodec.h"
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
    text = text.substr(0, text.find('\0'));
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++start;
    }
    return lines;
}

std::string JoinRegisteredLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

std::optional<std::string> ReadRegisteredBytes(const std::string& path)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return std::nullopt;
    return ReadAll(path);
}

std::vector<std::string> DecodeRegisteredLines(std::string_view bytes)
{
    // The NUL is cut before decoding so that bytes after it cannot sway the
    // choice of encoding.
    return SplitRegisteredText(DecodeText(bytes.substr(0, bytes.find('\0'))).text);
}

std::optional<std::vector<std::string>> ReadRegisteredFile(const std::string& path)
{
    const std::optional<std::string> bytes = ReadRegisteredBytes(path);
    if (!bytes) return std::nullopt;
    return DecodeRegisteredLines(*bytes);
}

int LoadRegisteredConstants(const std::string& path, Evaluator& engine)
{
    const std::optional<std::vector<std::string>> lines = ReadRegisteredFile(path);
    return lines ? RegisterConstants(*lines, engine) : 1;
}

}  // namespace tallyrix
