#include "cli/DescriptorStream.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tallyrix::cli {

DescriptorBuffer::DescriptorBuffer(int descriptor, std::size_t bufferSize) : Descriptor(descriptor), Buffer(bufferSize)
{
    if (!Buffer.empty()) setp(Buffer.data(), Buffer.data() + Buffer.size());
}

DescriptorBuffer::~DescriptorBuffer() { Drain(); }

bool DescriptorBuffer::WriteAll(const char* text, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(Descriptor, text, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        text += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool DescriptorBuffer::Drain()
{
    const auto held = static_cast<std::size_t>(pptr() - pbase());
    if (held == 0) return true;
    setp(Buffer.data(), Buffer.data() + Buffer.size());
    return WriteAll(Buffer.data(), held);
}

DescriptorBuffer::int_type DescriptorBuffer::overflow(int_type c)
{
    if (!Drain()) return traits_type::eof();
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char byte = traits_type::to_char_type(c);
    if (Buffer.empty()) return WriteAll(&byte, 1) ? c : traits_type::eof();
    *pptr() = byte;
    pbump(1);
    return c;
}

std::streamsize DescriptorBuffer::xsputn(const char* text, std::streamsize count)
{
    if (count <= 0) return 0;
    const auto size = static_cast<std::size_t>(count);
    if (size <= static_cast<std::size_t>(epptr() - pptr())) {
        std::memcpy(pptr(), text, size);
        pbump(static_cast<int>(size));
        return count;
    }
    // Too long for the room left: what is held goes first, then this.
    if (!Drain()) return 0;
    if (size < Buffer.size()) return xsputn(text, count);
    return WriteAll(text, size) ? count : 0;
}

int DescriptorBuffer::sync() { return Drain() ? 0 : -1; }

DescriptorStream::DescriptorStream(int descriptor, std::size_t bufferSize)
    : std::ostream(nullptr), Buffer(descriptor, bufferSize)
{
    rdbuf(&Buffer);
}

}  // namespace tallyrix::cli
