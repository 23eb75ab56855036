// An open file descriptor, closed on every way out of the scope, and
// writing all of some bytes to one.
#pragma once

#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <string_view>

namespace tallyrix {

class Descriptor {
public:
    explicit Descriptor(int value) : Value(value) {}
    ~Descriptor()
    {
        if (Value >= 0) close(Value);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    // The descriptor, no longer closed here.
    int Release()
    {
        const int value = Value;
        Value = -1;
        return value;
    }
    int Value;  // negative when the open failed
};

// Writes all of bytes, again after an interruption; 0 when done, else the
// error number (ENOSPC for a write that wrote nothing).
inline int WriteAll(int descriptor, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = write(descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return errno;
        if (written == 0) return ENOSPC;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

}  // namespace tallyrix
