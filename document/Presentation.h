// Texts the window shows after a run: the status bar's caret position and
// the side pane's list and message line.
#pragma once

#include <QFontMetrics>
#include <QString>
#include <cstdint>
#include <string>

namespace tallyrix {

// "2行 5桁 計37文字"
QString CaretPositionText(int line, int column, std::size_t length);

// "3; 入力・修正待ち"
QString MessageLine(std::int32_t statementCount, const std::string& message);

// The characters of text[from, to) without the "," that stand between two
// digits of text: a value shown with its digits grouped, or a part of one,
// as the engine wrote it. The engine's own texts hold no such ",". A to of
// -1 is the end of text.
QString WithoutGroupSeparators(const QString& text, qsizetype from = 0, qsizetype to = -1);

// text when it is at most room pixels wide; else text without its group
// separators when that fits; else text, to be cut by the caller. A grouped
// value is never cut where its digits alone would fit.
QString FittingText(const QString& text, const QFontMetrics& metrics, int room);

}  // namespace tallyrix
