// An output stream over a file descriptor, for standard output and error.
// The library's own standard streams would do, but setting them up (eight
// streams, each with its locale) is a good part of what a run of a small
// document costs.
#pragma once

#include <cstddef>
#include <ostream>
#include <streambuf>
#include <vector>

namespace tallyrix::cli {

class DescriptorBuffer : public std::streambuf {
public:
    // bufferSize 0: every write goes straight to the descriptor.
    DescriptorBuffer(int descriptor, std::size_t bufferSize);
    ~DescriptorBuffer() override;
    DescriptorBuffer(const DescriptorBuffer&) = delete;
    DescriptorBuffer& operator=(const DescriptorBuffer&) = delete;

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

private:
    // Writes what the buffer holds; false when the descriptor refused it.
    bool Drain();
    bool WriteAll(const char* text, std::size_t size);

    int Descriptor;
    std::vector<char> Buffer;
};

// The stream and its buffer in one object; what is buffered is written when
// it is flushed or destroyed.
class DescriptorStream : public std::ostream {
public:
    DescriptorStream(int descriptor, std::size_t bufferSize);

private:
    DescriptorBuffer Buffer;
};

}  // namespace tallyrix::cli
