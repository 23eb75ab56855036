// An open file descriptor, closed on every way out of the scope.
#pragma once

#include <unistd.h>

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
    const int Value;  // negative when the open failed
};

}  // namespace tallyrix
