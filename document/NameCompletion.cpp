#include "document/NameCompletion.h"

#include <algorithm>
#include <tuple>
#include <unordered_map>

namespace tallyrix {

namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool IsNameTail(char c) { return IsLetter(c) || (c >= '0' && c <= '9') || c == '_'; }

char AsciiLowerChar(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsIgnoringCase(std::string_view name, std::string_view prefix)
{
    return name.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), name.begin(), [](char a, char b) {
               return AsciiLowerChar(a) == AsciiLowerChar(b);
           });
}

bool IsFunctionName(std::string_view name)
{
    const auto functions = FunctionNameList();
    return std::find(functions.begin(), functions.end(), name) != functions.end();
}

// Smaller is better: the case as typed, then length, then the bytes.
auto Rank(std::string_view name, std::string_view prefix)
{
    return std::make_tuple(!name.starts_with(prefix), name.size(), name);
}

}  // namespace

std::string NameBeforeCaret(std::u16string_view textBeforeCaret)
{
    if (textBeforeCaret.find(u"//") != std::u16string_view::npos ||
        textBeforeCaret.find(u"--") != std::u16string_view::npos)
        return {};
    std::size_t start = textBeforeCaret.size();
    while (start > 0 && textBeforeCaret[start - 1] < 0x80 && IsNameTail(static_cast<char>(textBeforeCaret[start - 1])))
        --start;
    // A name begins at its first letter: "2ab" is the number 2 and then "ab".
    while (start < textBeforeCaret.size() && !IsLetter(static_cast<char>(textBeforeCaret[start])))
        ++start;
    return {textBeforeCaret.begin() + static_cast<std::ptrdiff_t>(start), textBeforeCaret.end()};
}

void NameCompletion::TakeTable(std::vector<NamedValue> table, bool stopped)
{
    if (!stopped) {
        Table = std::move(table);
        return;
    }
    std::unordered_map<std::string_view, std::size_t> kept;
    for (std::size_t i = 0; i < Table.size(); ++i)
        kept.emplace(Table[i].name, i);
    std::vector<NamedValue> added;
    for (NamedValue& entry : table) {
        const auto found = kept.find(entry.name);
        if (found != kept.end())
            Table[found->second].value = entry.value;
        else
            added.push_back(std::move(entry));
    }
    std::move(added.begin(), added.end(), std::back_inserter(Table));
}

std::vector<CompletionCandidate> NameCompletion::Complete(std::string_view prefix) const
{
    std::vector<CompletionCandidate> found;
    // A registered constant named like a function can never be read.
    for (const NamedValue& entry : Table) {
        if (StartsIgnoringCase(entry.name, prefix) && !IsFunctionName(entry.name))
            found.push_back({entry.name, FormatNumber(entry.value)});
    }
    for (const std::string_view name : FunctionNameList()) {
        if (StartsIgnoringCase(name, prefix)) found.push_back({std::string(name), std::string(FunctionDetail)});
    }
    std::sort(found.begin(), found.end(), [prefix](const CompletionCandidate& a, const CompletionCandidate& b) {
        return Rank(a.name, prefix) < Rank(b.name, prefix);
    });
    if (found.size() == 1 && found.front().name == prefix) found.clear();
    return found;
}

}  // namespace tallyrix
