// The documents the save-loop helper writes: each generation's text is
// known from its first line, so a file cut or mixed from two saves shows.
#pragma once

#include <string>

namespace tallyrix::test {

inline std::string SaveLoopDocument(long generation)
{
    const std::string number = std::to_string(generation);
    std::string text = "// 世代 " + number + "\n";
    for (int line = 0; line < 3000; ++line)
        text += "x" + std::to_string(line) + " = " + number + " * " + std::to_string(line) + "; // 計算\n";
    return text;
}

// The generation a text names in its first line, or -1.
inline long SaveLoopGeneration(const std::string& text)
{
    const std::string prefix = "// 世代 ";
    if (text.rfind(prefix, 0) != 0) return -1;
    try {
        return std::stol(text.substr(prefix.size(), text.find('\n') - prefix.size()));
    } catch (...) {
        return -1;
    }
}

}  // namespace tallyrix::test
