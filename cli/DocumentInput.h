// Reading a calculation document for tallyrix-calc: the bytes as they are,
// without newline translation or decoding.
#pragma once

#include <istream>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "cli/CalcOptions.h"

namespace tallyrix::cli {

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

    // The file open on descriptor; sourceName goes into the error text.
    static DocumentBytes FromDescriptor(int descriptor, const std::string& sourceName);

    std::string_view View() const;
    std::span<char> Bytes();

private:
    std::string Owned;
    void* Mapping = nullptr;
    std::size_t MappedSize = 0;
};

// Reads the stream to its end. sourceName goes into the error text.
std::string ReadStream(std::istream& in, const std::string& sourceName);

// The options' FILE, or standard input when there is none or it is "-":
// through standardInputDescriptor when it is 0 or more, else through the
// stream.
DocumentBytes ReadDocument(const CalcOptions& options, std::istream& standardInput,
                           int standardInputDescriptor = -1);

}  // namespace tallyrix::cli
