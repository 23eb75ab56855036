// Texts the window shows after a run: the status bar's caret position and
// the side pane's list and message line.
#pragma once

#include <QString>
#include <cstdint>
#include <string>

namespace tallyrix {

// "2行 5桁 計37文字"
QString CaretPositionText(int line, int column, std::size_t length);

// "3; 入力・修正待ち"
QString MessageLine(std::int32_t statementCount, const std::string& message);

}  // namespace tallyrix
