// The error of a file that cannot be read or written.
#pragma once

#include <span>
#include <stdexcept>

namespace tallyrix {

// A file that cannot be read or written; the text names the file and why.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An error number in words, for the reason in a FileError.
struct ErrorNumberText {
    int errorNumber;
    const char* text;
};

// The text of errorNumber in texts, or nullptr.
inline const char* FindErrorText(std::span<const ErrorNumberText> texts, int errorNumber)
{
    for (const ErrorNumberText& entry : texts) {
        if (entry.errorNumber == errorNumber) return entry.text;
    }
    return nullptr;
}

}  // namespace tallyrix
