// Lines of the program's text files (Tallyrix.ini, Registered.txt): read
// with any of the three line ends, written with CR LF.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tallyrix {

// Breaks at CR LF, CR and LF; a break at the very end opens no empty line.
std::vector<std::string> SplitLines(std::string_view text);

// Every line followed by CR LF.
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

}  // namespace tallyrix
