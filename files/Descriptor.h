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
    // The descriptor, no longer closed here.
    int Release()
    {
        const int value = Value;
        Value = -1;
        return value;
    }
    int Value;  // negative when the open failed
};

}  // namespace tallyrix
