// A document's paragraphs in UTF-8 as its plain text spells them, kept by an
// editor from its change notifications, with the document's length in code
// page 932 (a save as Shift-JIS with CR LF) summed as they change: a caret
// move costs nothing, an edit the paragraphs it touched, and a recalculation
// reads no editor.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "document/StatementExtraction.h"
#include "document/StatementLines.h"

namespace tallyrix {

// Paragraphs one after another in one string, with where each ends: no
// string of its own per line.
struct JoinedParagraphs {
    std::string text;
    std::vector<std::size_t> ends;
    void Add(std::string_view paragraph)
    {
        text += paragraph;
        ends.push_back(text.size());
    }
};

class TPlainParagraphs {
public:
    // The paragraphs from first on, removed of them, are replaced. continues
    // tells, per paragraph, whether it continues the line of the paragraph
    // before it (a display break, see DisplayBreaks.h); empty: none does.
    // Returns false, changing nothing, when the paragraphs named are not all
    // there.
    bool Replace(std::size_t first, std::size_t removed, JoinedParagraphs paragraphs, std::vector<char> continues = {});
    bool Replace(std::size_t first, std::size_t removed, const std::vector<std::string>& paragraphs,
                 std::vector<char> continues = {});
    std::size_t Count() const { return Ends.size(); }
    std::string_view Text(std::size_t index) const
    {
        return std::string_view(Joined).substr(Start(index), Ends[index] - Start(index));
    }
    bool ContinuesLine(std::size_t index) const { return Continues[index] != 0; }
    // The first paragraph begins a line whatever it is marked.
    std::size_t DisplayBreakCount() const { return Breaks - (Continues.empty() ? 0 : Continues[0] != 0); }
    // The document's line (from 0) that paragraph index is a part of.
    std::size_t LineOf(std::size_t index) const;
    // A place given by line and byte column as paragraph and byte column.
    DocumentPoint InParagraphs(DocumentPoint point) const;
    DocumentSpan InParagraphs(const DocumentSpan& span) const
    {
        return {InParagraphs(span.from), InParagraphs(span.to)};
    }
    // Per paragraph, what byLine holds for its line: on the line's first
    // paragraph, and nothing on those continuing it.
    std::vector<std::string_view> ByParagraph(std::vector<std::string_view> byLine) const;
    // The same for a text of one line per document line: one line per
    // paragraph, empty beside those continuing a line.
    std::string ByParagraphText(std::string_view byLine) const;
    std::size_t Cp932Length() const;
    // The paragraphs whose text holds part, in order: one search of the
    // whole text, not one per paragraph.
    std::vector<std::size_t> Holding(std::string_view part) const;
    // What BuildEngineInput gives for the document's lines (the paragraphs
    // joined by line feeds, or by nothing at a display break). Only the
    // paragraphs from about the first one changed since the last call are
    // read again, and only up to about the first unchanged one after the
    // change where the reading stands as it stood there the last time: what
    // follows is taken over. The text is kept for the next call and never
    // changed: the evaluator can hold the same one instead of a copy.
    std::shared_ptr<const std::string> EngineInput() const;
    // The origins of the lines the last EngineInput read, as the
    // BuildEngineInput that notes them gives; until the next call.
    const std::vector<LineOrigin>& EngineInputOrigins() const { return Cache.origins; }

private:
    // The last engine input and its origins, with the mark of the run before
    // a line's first paragraph about every MarkInterval paragraphs, and its
    // mark at the end; what changed since: from firstChanged on, and all but
    // the last unchangedTail paragraphs (of a count that was paragraphs).
    struct PlacedMark {
        std::size_t paragraph = 0;
        ParagraphStatements::Mark mark;
    };
    struct InputCache {
        std::shared_ptr<std::string> input = std::make_shared<std::string>();
        // The input before it: once nobody else holds it, its room takes
        // the next one.
        std::shared_ptr<std::string> previous;
        std::vector<LineOrigin> origins;
        std::vector<PlacedMark> marks{1};
        ParagraphStatements::Mark end;
        std::size_t paragraphs = 0;
        std::size_t firstChanged = 0;
        std::size_t unchangedTail = 0;
    };
    mutable InputCache Cache;
    // The marks of the last run in the paragraphs unchanged since, at the
    // paragraphs they stand at now, and the origins from the first on.
    // Kept for the room they hold: a keystroke in a large document would
    // otherwise take fresh pages for them.
    struct UnchangedTail {
        std::vector<PlacedMark> marks;
        std::vector<LineOrigin> origins;
    };
    mutable UnchangedTail Tail;
    void TakeUnchangedTail() const;
    std::string SpareRoom() const;

    // The line that begins at paragraph first, to the end of its last
    // paragraph; returns the paragraph after it.
    std::size_t ReadLine(std::size_t first, std::string& joined, std::string_view& line) const;

    std::size_t Start(std::size_t index) const { return index == 0 ? 0 : Ends[index - 1]; }
    // Sum after the paragraphs from first on, removed of them, give way to
    // these; before the text changes.
    void CountReplaced(std::size_t first, std::size_t removed, const JoinedParagraphs& paragraphs);

    // Held as one string: a document of many short lines costs little more
    // than its text.
    std::string Joined;
    std::vector<std::size_t> Ends;
    std::vector<char> Continues;
    std::size_t Sum = 0;     // the paragraphs' lengths in code page 932, without their breaks
    std::size_t Breaks = 0;  // paragraphs marked as continuing
};

}  // namespace tallyrix
