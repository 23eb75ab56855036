// Turning a document's text into the statement text the engine evaluates:
// comments cut, the stop marker honoured, lines joined with single spaces.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tallyrix {

// Splits a document into the lines an editor reports: CR LF, LF and a lone CR
// break lines; an empty last line after a final line break is not counted, so
// an empty text has no lines at all.
std::vector<std::string_view> SplitDocumentLines(std::string_view text);

// Every line read contributes one space and its content up to the first "//"
// or "--"; a line containing "///" or "---" is the last one read.
std::string ExtractStatements(const std::vector<std::string_view>& lines);

// Lines, extraction and the closing ";@" in one step; empty when the document
// has no lines (the engine is then not called).
std::string BuildEngineInput(std::string_view documentText);

// Where a line read begins in the statement text (at its one space), and how
// many blanks its start lost to trimming.
struct LineOrigin {
    std::size_t statementOffset;
    std::size_t indent;
};
// The same, noting the origin of every line read in the same pass.
std::string BuildEngineInput(std::string_view documentText, std::vector<LineOrigin>& origins);

// The same extraction in pieces, for documents too large to copy whole:
// the pieces joined are what BuildEngineInput gives without its ";@".
class StatementReader {
public:
    // Reads from the line that begins at offset from.
    explicit StatementReader(std::string_view documentText, std::size_t from = 0) : Text(documentText), Next(from) {}
    // Appends whole lines' contributions until out holds at least minimum
    // bytes or no line is left to read (the end of the text, or a stop
    // marker); returns whether lines are left.
    bool AppendTo(std::string& out, std::size_t minimum);
    bool Finished() const { return Stopped || Next >= Text.size(); }
    // Where the next line to read begins.
    std::size_t Position() const { return Next; }

private:
    std::string_view Text;
    std::size_t Next = 0;
    bool Stopped = false;
};

// The same extraction fed one editor paragraph at a time, so that the window
// needs no copy of its whole document: Finish gives what BuildEngineInput
// gives for the paragraphs joined with line feeds.
class ParagraphStatements {
public:
    // With origins, the origin of every line read is noted there, as the
    // BuildEngineInput that takes them does.
    explicit ParagraphStatements(std::vector<LineOrigin>* origins = nullptr);

    // Where a run stands between two paragraphs.
    struct Mark {
        std::size_t input = 0;
        std::size_t origins = 0;
        bool anyLine = false;
        bool emptyLineHeld = false;
        bool stopped = false;
        // What the lines after the mark give depends on these alone.
        bool SameState(const Mark& other) const
        {
            return anyLine == other.anyLine && emptyLineHeld == other.emptyLineHeld && stopped == other.stopped;
        }
    };
    Mark Here() const;
    // Continues an earlier run from a mark it took: input is what that run
    // finished with, and it and the origins are cut back to the mark.
    ParagraphStatements(std::vector<LineOrigin>* origins, std::string input, const Mark& mark);
    // A paragraph's text without its break; a line feed inside it breaks a
    // line too. Returns false once a stop marker was read: later paragraphs
    // are then not needed.
    bool Add(std::string_view paragraph);
    // Takes over what an earlier run read from a mark in the state this one
    // is in now, up to end, its state before it finished: from its input
    // (all of it) and its origins from that mark on, the offsets moved to
    // where this run stands.
    void ContinueAs(std::string_view earlierInput, std::span<const LineOrigin> earlierOrigins, const Mark& from,
                    const Mark& end);
    std::string Finish();

private:
    void AddLine(std::string_view line);
    bool Append(std::string_view line);

    std::vector<LineOrigin>* Origins;
    std::string Input;
    bool AnyLine = false;
    // An empty line is held back: after the last line break it is no line.
    bool EmptyLineHeld = false;
    bool Stopped = false;
};

// Lines the engine may be handed as they stand, without extraction: the end
// of the run of lines from offset from (a line start, or a point inside a
// line whose earlier part qualified) that hold no comment or stop marker,
// no "@", no CR and no control byte but the tab. The engine's scanner reads
// such lines, line feeds included, as it reads their statement text. The
// run ends at the first line start at or after from + minimum, at the first
// line that does not qualify, or at the end of the text.
std::size_t VerbatimLinesEnd(std::string_view text, std::size_t from, std::size_t minimum);

}  // namespace tallyrix
