#include "document/NameSites.h"

#include <algorithm>

#include "engine/Eval.h"

namespace tallyrix {

namespace {

enum class Kind { Name, Assign, Separator, Open, Close, Other };

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsNameTail(char c) { return IsLetter(c) || IsDigit(c) || c == '_'; }
bool IsLiteralPart(char c)
{
    return IsDigit(c) || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-' || c == ',';
}

// A literal takes a sign only right after its "e" or "E": "2-1" is three
// tokens, "2e-1" one, and "2ex" the literal "2e" before the name x.
std::size_t LiteralEnd(std::string_view code, std::size_t at)
{
    for (;; ++at) {
        const std::size_t next = at + 1;
        if (next >= code.size() || !IsLiteralPart(code[next])) return next;
        if ((code[next] == '+' || code[next] == '-') && code[at] != 'e' && code[at] != 'E') return next;
    }
}

std::size_t NameEnd(std::string_view code, std::size_t at)
{
    while (at < code.size() && IsNameTail(code[at]))
        ++at;
    return at;
}

Kind KindOf(char c)
{
    switch (c) {
        case '=':
            return Kind::Assign;
        case ';':
            return Kind::Separator;
        case '(':
            return Kind::Open;
        case ')':
            return Kind::Close;
        default:
            return Kind::Other;
    }
}

bool IsFunctionName(std::string_view name)
{
    const auto names = FunctionNameList();
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool IsLineBreak(char c) { return c == '\n' || c == '\r'; }

}  // namespace

struct NameSites::Token {
    Kind kind;
    std::size_t from;
    std::size_t to;
};

NameSites::NameSites(std::string_view text) : Text(text) { ReadLines(); }

// Each line up to its first "//" or "--"; a line holding "///" or "---" is
// the last one read.
void NameSites::ReadLines()
{
    std::vector<Token> tokens;
    const std::string_view text = Text;
    for (std::size_t begin = 0; begin < text.size();) {
        std::size_t end = begin;
        while (end < text.size() && !IsLineBreak(text[end]))
            ++end;
        const std::string_view line = text.substr(begin, end - begin);
        const std::size_t code = std::min(line.find("//"), line.find("--"));
        if (!ReadCode(begin, code == std::string_view::npos ? end : begin + code, tokens)) break;
        if (line.find("///") != std::string_view::npos || line.find("---") != std::string_view::npos) break;
        begin = end + 1;
    }
    FindAssignments(tokens);
}

bool NameSites::ReadCode(std::size_t from, std::size_t to, std::vector<Token>& tokens)
{
    const std::string_view code = std::string_view(Text).substr(0, to);
    std::size_t at = from;
    while (at < to) {
        const char c = code[at];
        std::size_t end = at + 1;
        Kind kind = KindOf(c);
        if (c == ' ' || c == '\t') {
            ++at;
            continue;
        }
        if (c == '@') {
            // The engine reads nothing after its end marker.
            ReadEnd = at;
            return false;
        }
        if (IsDigit(c) || c == '.') {
            end = LiteralEnd(code, at);
        } else if (IsLetter(c)) {
            end = NameEnd(code, at);
            kind = Kind::Name;
            Names.push_back({at, end - at});
        }
        tokens.push_back({kind, at, end});
        at = end;
    }
    ReadEnd = to;
    return true;
}

void NameSites::FindAssignments(const std::vector<Token>& tokens)
{
    std::size_t first = 0;
    for (std::size_t i = 0; i <= tokens.size(); ++i) {
        if (i < tokens.size() && tokens[i].kind != Kind::Separator) continue;
        const std::size_t end = i < tokens.size() ? tokens[i].from : ReadEnd;
        if (i > first) ReadStatement(std::span(tokens).subspan(first, i - first), end);
        first = i + 1;
    }
}

// An assignment's value is a sum: it ends at the end of its statement or at
// the ")" that closes a "(" opened before its "=". Values that end at the
// same token complete from the innermost out ("a=b=3": b, then a).
void NameSites::ReadStatement(std::span<const Token> statement, std::size_t end)
{
    const std::size_t from = statement.front().from;
    const std::size_t to = statement.back().to;
    std::vector<std::pair<NameToken, int>> open;  // names whose values are being read, at their depth
    const auto close = [&](std::size_t at, int depth) {
        for (; !open.empty() && open.back().second >= depth; open.pop_back())
            Assignments.push_back({open.back().first, from, to, at});
    };
    int depth = 0;
    for (std::size_t i = 0; i < statement.size(); ++i) {
        const Token& token = statement[i];
        if (token.kind == Kind::Open) ++depth;
        if (token.kind == Kind::Close) {
            close(token.from, depth);
            depth = std::max(depth - 1, 0);
        }
        const NameToken name{token.from, token.to - token.from};
        // A function name followed by "=" is no assignment: the engine reads the call.
        if (token.kind == Kind::Name && i + 1 < statement.size() && statement[i + 1].kind == Kind::Assign &&
            !IsFunctionName(Spelling(name)))
            open.push_back({name, depth});
    }
    close(end, 0);
}

std::optional<NameToken> NameSites::NameAt(std::size_t offset, Place place) const
{
    const auto after = std::upper_bound(Names.begin(), Names.end(), offset,
                                        [](std::size_t at, const NameToken& name) { return at < name.offset; });
    if (after == Names.begin()) return std::nullopt;
    const NameToken& name = *std::prev(after);
    const bool inside = place == Place::Caret ? offset <= name.End() : offset < name.End();
    if (!inside) return std::nullopt;
    return name;
}

const AssignmentSite* NameSites::LastAssignmentBefore(std::string_view name, std::size_t place) const
{
    for (auto site = Assignments.rbegin(); site != Assignments.rend(); ++site) {
        if (site->valueEnd <= place && Spelling(site->name) == name) return &*site;
    }
    return nullptr;
}

}  // namespace tallyrix
