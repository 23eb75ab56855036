#include "registry/RegisteredText.h"

#include <sys/stat.h>

#include <algorithm>

#include "files/RegularFileReader.h"
#include "files/TextCodec.h"
#include "files/TextLines.h"
#include "registry/RegisteredEntries.h"

namespace tallyrix {

std::string RegisteredFilePath(const std::string& progDir) { return progDir + "/" + RegisteredFileName; }

std::vector<std::string> SplitRegisteredText(std::string_view text)
{
    return SplitLines(text.substr(0, text.find('\0')));
}

std::string JoinRegisteredLines(const std::vector<std::string>& lines) { return JoinLinesCrLf(lines); }

std::optional<std::string> ReadRegisteredBytes(const std::string& path)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return std::nullopt;
    return ReadRegularFile(path, SmallFileSizeLimit);
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

std::optional<std::vector<std::string>> ReadRegisteredFile(const std::string& path)
{
    const std::optional<std::string> bytes = ReadRegisteredBytes(path);
    if (!bytes) return std::nullopt;
    return DecodeRegisteredText(*bytes);
}

int LoadRegisteredConstants(const std::string& path, Evaluator& engine)
{
    const std::optional<std::vector<std::string>> lines = ReadRegisteredFile(path);
    return lines ? RegisterConstants(*lines, engine) : 1;
}

}  // namespace tallyrix
