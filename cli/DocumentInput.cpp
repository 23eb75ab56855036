#include "cli/DocumentInput.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <utility>

#include "files/Descriptor.h"
#include "files/RegularFileReader.h"
#include "files/TextCodec.h"

namespace tallyrix::cli {

namespace {

// Big reads go straight from the file into the string, past the stream's
// own small buffer.
constexpr std::size_t FirstChunkSize = 1 << 16;
constexpr std::size_t MaxChunkSize = 1 << 22;

std::string ReasonText(int error) { return error != 0 ? std::strerror(error) : "read error"; }

[[noreturn]] void FailTooLarge(const std::string& sourceName, std::size_t limit)
{
    throw InputError("cannot read " + sourceName + ": larger than " + std::to_string(limit >> 20) + " MB");
}

// A pipe, a terminal or a device: read to the end, or one byte past the
// limit, into one buffer that doubles.
std::string ReadUnmappable(int descriptor, const std::string& sourceName, std::size_t limit)
{
    std::string text;
    std::size_t used = 0;
    text.resize(std::min(FirstChunkSize, limit + 1));
    while (true) {
        if (used > limit) FailTooLarge(sourceName, limit);
        if (used == text.size()) text.resize(std::min(text.size() * 2, limit + 1));
        const ssize_t count = read(descriptor, text.data() + used, text.size() - used);
        if (count > 0) {
            used += static_cast<std::size_t>(count);
        } else if (count == 0) {
            text.resize(used);
            return text;
        } else if (errno != EINTR) {
            // A failing read must not pass for the end of the document.
            throw InputError("cannot read " + sourceName + ": " + ReasonText(errno));
        }
    }
}

// Eight bytes at a time: a whole document is looked at before anything else.
bool IsAscii(std::string_view text)
{
    std::uint64_t high = 0;
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + i, 8);
        high |= word;
    }
    for (; i < text.size(); ++i)
        high |= static_cast<unsigned char>(text[i]);
    return (high & 0x8080808080808080ull) == 0;
}

}  // namespace

DocumentBytes::DocumentBytes(DocumentBytes&& other) noexcept
    : Owned(std::move(other.Owned)),
      Mapping(std::exchange(other.Mapping, nullptr)),
      MappedSize(std::exchange(other.MappedSize, 0))
{
}

DocumentBytes::~DocumentBytes()
{
    if (Mapping != nullptr) munmap(Mapping, MappedSize);
}

std::string_view DocumentBytes::View() const
{
    if (Mapping != nullptr) return {static_cast<const char*>(Mapping), MappedSize};
    return Owned;
}

std::span<char> DocumentBytes::Bytes()
{
    if (Mapping != nullptr) return {static_cast<char*>(Mapping), MappedSize};
    return {Owned.data(), Owned.size()};
}

DocumentBytes DocumentBytes::FromDescriptor(int descriptor, const std::string& sourceName, std::size_t limit)
{
    struct stat info {};
    if (fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        const auto size = static_cast<std::size_t>(info.st_size);
        if (size > limit) FailTooLarge(sourceName, limit);
        // The pages are filled in one go rather than one fault at a time.
        // Writable only afterwards: populating a writable private mapping
        // would copy every page.
        void* mapping = mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, descriptor, 0);
        if (mapping != MAP_FAILED && mprotect(mapping, size, PROT_READ | PROT_WRITE) != 0) {
            munmap(mapping, size);
            mapping = MAP_FAILED;
        }
        if (mapping != MAP_FAILED) {
            DocumentBytes bytes;
            bytes.Mapping = mapping;
            bytes.MappedSize = size;
            return bytes;
        }
    }
    return DocumentBytes(ReadUnmappable(descriptor, sourceName, limit));
}

std::string ReadStream(std::istream& in, const std::string& sourceName, std::size_t limit)
{
    std::string text;
    std::size_t chunk = FirstChunkSize;
    errno = 0;
    while (in) {
        const std::size_t used = text.size();
        if (used > limit) FailTooLarge(sourceName, limit);
        chunk = std::min(chunk, limit + 1 - used);
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

DocumentBytes ReadDocument(const CalcOptions& options, std::istream* standardInput, int standardInputDescriptor)
{
    if (options.ReadsStandardInput()) {
        if (standardInputDescriptor >= 0)
            return DocumentBytes::FromDescriptor(standardInputDescriptor, "standard input");
        if (standardInput == nullptr) return DocumentBytes(std::string());
        return DocumentBytes(ReadStream(*standardInput, "standard input"));
    }
    return ReadRegularFile(options.inputPath, "'" + options.inputPath + "'");
}

DocumentBytes ReadRegularFile(const std::string& path, const std::string& sourceName, std::size_t limit)
{
    const RegularFileOpening opening = OpenRegularFile(path);
    const Descriptor file(opening.descriptor);
    if (opening.error != 0) throw InputError("cannot open " + sourceName + ": " + ReasonText(opening.error));
    if (file.Value < 0) throw InputError("cannot read " + sourceName + ": not a regular file");
    return DocumentBytes::FromDescriptor(file.Value, sourceName, limit);
}

DocumentBytes DecodeDocument(DocumentBytes bytes)
{
    const std::string_view view = bytes.View();
    if (IsAscii(view)) return bytes;
    return DocumentBytes(DecodeText(view).text);
}

}  // namespace tallyrix::cli
