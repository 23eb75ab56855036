// Reading a calculation document for tallyrix-calc: the bytes as they are,
// without newline translation, then decoded as the window decodes a file.
// A named file must be a regular file; every read has a size limit, so
// neither a FIFO nor a device can keep the program waiting or reading.
#pragma once

#include <istream>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "cli/CalcOptions.h"

namespace tallyrix::cli {

inline constexpr std::size_t DocumentSizeLimit = std::size_t{256} << 20;
inline constexpr std::size_t RegisteredSizeLimit = std::size_t{16} << 20;

// A document that could not be read; the text names the source and the reason.
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The bytes of a document: a regular file is mapped into memory, not copied;
// anything else (a pipe, a stream) is read into one buffer. Either can be
// written to without changing the file.
class DocumentBytes {
public:
    DocumentBytes() = default;
    explicit DocumentBytes(std::string text) : Owned(std::move(text)) {}
    DocumentBytes(DocumentBytes&& other) noexcept;
    DocumentBytes& operator=(DocumentBytes&&) = delete;
    ~DocumentBytes();

    // The file open on descriptor, at most limit bytes; sourceName goes
    // into the error text.
    static DocumentBytes FromDescriptor(int descriptor, const std::string& sourceName,
                                        std::size_t limit = DocumentSizeLimit);

    std::string_view View() const;
    std::span<char> Bytes();

private:
    std::string Owned;
    void* Mapping = nullptr;
    std::size_t MappedSize = 0;
};

// Reads the stream to its end, at most limit bytes. sourceName goes into
// the error text.
std::string ReadStream(std::istream& in, const std::string& sourceName, std::size_t limit = DocumentSizeLimit);

// The file at path, at most limit bytes. Anything but a regular file (after
// symbolic links) is refused before it is opened. sourceName goes into the
// error text.
DocumentBytes ReadRegularFile(const std::string& path, const std::string& sourceName,
                              std::size_t limit = DocumentSizeLimit);

// The options' FILE, or standard input when there is none or it is "-":
// through standardInputDescriptor when it is 0 or more, else through the
// stream (none: an empty document).
DocumentBytes ReadDocument(const CalcOptions& options, std::istream* standardInput, int standardInputDescriptor = -1);

// The document as UTF-8, decoded as the window decodes a file: without a
// byte-order mark, Shift-JIS (code page 932) unless the bytes are UTF-8.
// ASCII stays where it is.
DocumentBytes DecodeDocument(DocumentBytes bytes);

}  // namespace tallyrix::cli
