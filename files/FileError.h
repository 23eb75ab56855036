// The error of a file that cannot be read or written.
#pragma once

#include <stdexcept>

namespace tallyrix {

// A file that cannot be read or written; the text names the file and why.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace tallyrix
