// Where the statements of a run stand in the document: the line each one
// ends on, and the stretch of text of the statement a run stopped in. Built
// from the line origins that extraction notes while it reads the lines.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "document/StatementExtraction.h"
#include "engine/LineList.h"

namespace tallyrix {

// A place in the document: a line (from 0) and a byte offset within it.
struct DocumentPoint {
    std::size_t line = 0;
    std::size_t column = 0;
    friend bool operator==(const DocumentPoint&, const DocumentPoint&) = default;
};

struct DocumentSpan {
    DocumentPoint from;
    DocumentPoint to;  // just after the last byte
    friend bool operator==(const DocumentSpan&, const DocumentSpan&) = default;
};

// The text beside a document's lines: one line per document line, '\n'
// between them, each the value of the last statement ending on it (or the
// message of the statement the run stopped in); a line where more than one
// of those stands has a note listing them all, one per line.
struct LineValues {
    std::string text;
    std::vector<std::pair<std::size_t, std::string>> notes;  // by line
};

class StatementLines {
public:
    // origins: one per line read; input: the engine input built with them.
    // Both are the caller's, and must outlive this.
    StatementLines(std::span<const LineOrigin> origins, std::string_view input);

    // The line holding the byte at offset of the input; the closing ";@"
    // belongs to the last line read.
    std::size_t LineOf(std::size_t offset) const;

    // Per line of a document of lineCount lines, the value of the last
    // statement ending on it ("" where none ends), as views into values.
    // ends: the offsets of the statements' ";", in order; values: the
    // engine's "1: 7" lines, in the same order.
    std::vector<std::string_view> ValuesByLine(const std::vector<std::size_t>& ends, const LineList& values,
                                               std::size_t lineCount) const;
    // The same as one text with the notes; message, unless empty, stands on
    // messageLine in place of its value.
    LineValues ValuesBesideLines(const std::vector<std::size_t>& ends, const LineList& values, std::size_t lineCount,
                                 std::size_t messageLine, std::string_view message) const;

    // The text of the statement from start (just after the ";" before it) to
    // stop (where the engine stopped), without the blanks around it and
    // without a ";" the engine had read past. Empty (from == to) when the
    // input holds nothing there.
    DocumentSpan ErrorSpan(std::size_t start, std::size_t stop) const;

private:
    // The line each statement ends on (the first count of ends), in order.
    std::vector<std::size_t> EndLines(const std::vector<std::size_t>& ends, std::size_t count) const;
    DocumentPoint PointAt(std::size_t offset) const;

    std::span<const LineOrigin> Origins;
    std::string_view Text;  // the statement text, without the closing ";@"
};

}  // namespace tallyrix
