#include "cli/DocumentInput.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

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

// A pipe or a terminal: read to the end into one buffer that doubles.
std::string ReadUnmappable(int descriptor, const std::string& sourceName)
{
    std::string text;
    std::size_t used = 0;
    text.resize(FirstChunkSize);
    while (true) {
        if (used == text.size()) text.resize(text.size() * 2);
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

// Closes a descriptor this program opened, on every way out.
class OpenedFile {
public:
    explicit OpenedFile(int descriptor) : Descriptor(descriptor) {}
    ~OpenedFile() { close(Descriptor); }
    OpenedFile(const OpenedFile&) = delete;
    OpenedFile& operator=(const OpenedFile&) = delete;
    const int Descriptor;
};

}  // namespace

DocumentBytes::DocumentBytes(DocumentBytes&& other) noexcept
    : Owned(std::move(other.Owned)), Mapping(std::exchange(other.Mapping, nullptr)),
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

DocumentBytes DocumentBytes::FromDescriptor(int descriptor, const std::string& sourceName)
{
    struct stat info {};
    if (fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        const auto size = static_cast<std::size_t>(info.st_size);
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
    return DocumentBytes(ReadUnmappable(descriptor, sourceName));
}

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

DocumentBytes ReadDocument(const CalcOptions& options, std::istream& standardInput, int standardInputDescriptor)
{
    if (options.ReadsStandardInput()) {
        if (standardInputDescriptor >= 0) return DocumentBytes::FromDescriptor(standardInputDescriptor, "standard input");
        return DocumentBytes(ReadStream(standardInput, "standard input"));
    }
    const std::string sourceName = "'" + options.inputPath + "'";
    const int descriptor = open(options.inputPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        throw InputError("cannot open " + sourceName + ": " + ReasonText(errno));
    }
    const OpenedFile file(descriptor);
    return DocumentBytes::FromDescriptor(descriptor, sourceName);
}

}  // namespace tallyrix::cli
