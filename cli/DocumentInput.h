// Reading a calculation document for tallyrix-calc: the bytes as they are,
// without newline translation or decoding.
#pragma once

#include <istream>
#include <stdexcept>
#include <string>

#include "cli/CalcOptions.h"

namespace tallyrix::cli {

// A document that could not be read; the text names the source and the reason.
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the stream to its end. sourceName goes into the error text.
std::string ReadStream(std::istream& in, const std::string& sourceName);

// The options' FILE, or standardInput when there is none or it is "-".
std::string ReadDocument(const CalcOptions& options, std::istream& standardInput);

}  // namespace tallyrix::cli
