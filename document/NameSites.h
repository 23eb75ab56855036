// Where the names of a document stand and where they are assigned, found
// when they are asked for (a hover, a jump) by reading the document as the
// engine does: comments cut, reading ended by a stop marker or "@", names
// and number literals delimited as the scanner delimits them. Nothing here
// evaluates; a recalculation never pays for it.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tallyrix {

// A name in the document: offset of its first byte and its length.
struct NameToken {
    std::size_t offset = 0;
    std::size_t length = 0;
    std::size_t End() const { return offset + length; }
};

// "name = value": the name, its statement (from the statement's first token
// to the end of its last) and where the value ends (at the ";" or ")" that
// closes the right side, or at the end of what is read).
struct AssignmentSite {
    NameToken name;
    std::size_t statementFrom = 0;
    std::size_t statementTo = 0;
    std::size_t valueEnd = 0;
};

class NameSites {
public:
    // text: the document, its lines broken by '\n' (or '\r'); every byte of
    // 0x80 or above is a character the scanner does not know.
    explicit NameSites(std::string_view text);

    // Character: the name holding the byte at offset. Caret: the name the
    // caret at offset stands in or right after.
    enum class Place { Character, Caret };
    std::optional<NameToken> NameAt(std::size_t offset, Place place) const;
    std::string_view Spelling(const NameToken& name) const
    {
        return std::string_view(Text).substr(name.offset, name.length);
    }

    // The assignment that gave the name its value at place: of those whose
    // value ends at or before place, the last to end. So in "a = a + 1" the
    // a on the right reads an earlier assignment, never its own statement.
    const AssignmentSite* LastAssignmentBefore(std::string_view name, std::size_t place) const;

private:
    struct Token;
    void ReadLines();
    // Returns false once the end marker "@" is read.
    bool ReadCode(std::size_t from, std::size_t to, std::vector<Token>& tokens);
    void FindAssignments(const std::vector<Token>& tokens);
    // end: where the statement's value stops (its ";" or the end of what is read).
    void ReadStatement(std::span<const Token> statement, std::size_t end);

    std::string Text;
    std::vector<NameToken> Names;             // in text order
    std::vector<AssignmentSite> Assignments;  // in the order their values end
    std::size_t ReadEnd = 0;                  // where reading stopped
};

}  // namespace tallyrix
