#include "cli/DocumentInput.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>

namespace tallyrix::cli {

namespace {

// Big reads go straight from the file into the string, past the stream's
// own small buffer.
constexpr std::size_t FirstChunkSize = 1 << 16;
constexpr std::size_t MaxChunkSize = 1 << 22;

std::string ReasonText(int error)
{
    return error != 0 ? std::strerror(error) : "read error";
}

}  // namespace

std::string ReadStream(std::istream& in, const std::string& sourceName)
{
    std::string text;
    std::size_t chunk = FirstChunkSize;
    errno = 0;
    while (in) {
        const std::size_t used = text.size();
        text.resize(used + chunk);
        in.read(text.data() + used, static_cast<std::streamsize>(chunk));
        text.resize(used + static_cast<std::size_t>(in.gcount()));
        chunk = std::min(chunk * 2, MaxChunkSize);
    }
    // A failing read must not pass for the end of the document.
    if (in.bad()) {
        throw InputError("cannot read " + sourceName + ": " + ReasonText(errno));
    }
    return text;
}

std::string ReadDocument(const CalcOptions& options, std::istream& standardInput)
{
    if (options.ReadsStandardInput()) {
        return ReadStream(standardInput, "standard input");
    }
    const std::string sourceName = "'" + options.inputPath + "'";
    errno = 0;
    std::ifstream file(options.inputPath, std::ios::binary);
    if (!file) {
        throw InputError("cannot open " + sourceName + ": " + ReasonText(errno));
    }
    return ReadStream(file, sourceName);
}

}  // namespace tallyrix::cli
