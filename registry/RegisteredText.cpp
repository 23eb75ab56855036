#include "registry/RegisteredText.h"

#include <sys/stat.h>

#include <algorithm>

#include "files/RegularFileReader.h"
#include "files/TextCodec.h"
#include "registry/RegisteredEntries.h"

namespace tallyrix {

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

std::optional<std::vector<std::string>> ReadRegisteredFile(const std::string& path)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return std::nullopt;
    const std::string bytes = ReadRegularFile(path, SmallFileSizeLimit);
    // The NUL is cut before decoding so that bytes after it cannot sway the
    // choice of encoding.
    const std::string_view raw(bytes);
    return SplitRegisteredText(DecodeText(raw.substr(0, raw.find('\0'))).text);
}

int LoadRegisteredConstants(const std::string& path, Evaluator& engine)
{
    const std::optional<std::vector<std::string>> lines = ReadRegisteredFile(path);
    return lines ? RegisterConstants(*lines, engine) : 1;
}

}  // namespace tallyrix
