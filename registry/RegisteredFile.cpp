#include "registry/RegisteredFile.h"

#include <QCollator>
#include <QString>

#include <algorithm>
#include <unordered_map>

#include "files/TextCodec.h"
#include "registry/FieldList.h"

namespace tallyrix {
namespace {

QString ToQString(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Every line of from, less one occurrence for each line of take.
std::vector<std::string> Without(const std::vector<std::string>& from, const std::vector<std::string>& take)
{
    std::unordered_map<std::string, int> owed;
    for (const std::string& line : take)
        ++owed[line];
    std::vector<std::string> rest;
    for (const std::string& line : from) {
        const auto found = owed.find(line);
        if (found != owed.end() && found->second > 0)
            --found->second;
        else
            rest.push_back(line);
    }
    return rest;
}

}  // namespace

void WriteRegisteredFile(const std::string& path, const std::vector<std::string>& lines, DiskSnapshot* written)
{
    const std::string bytes = EncodeText(JoinRegisteredLines(lines), TextEncoding::ShiftJis);
    SaveWholeFile(path, bytes);
    if (written) *written = DiskSnapshot::Of(path, bytes);
}

void SortRegisteredLines(std::vector<std::string>& lines)
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<std::pair<QString, std::string>> keyed;
    keyed.reserve(lines.size());
    for (std::string& line : lines)
        keyed.emplace_back(ToQString(line), std::move(line));
    std::stable_sort(keyed.begin(), keyed.end(),
                     [&](const auto& a, const auto& b) { return collator.compare(a.first, b.first) < 0; });
    for (std::size_t i = 0; i < lines.size(); ++i)
        lines[i] = std::move(keyed[i].second);
}

std::vector<std::string> EntryLinesFromRows(const std::vector<EntryRow>& rows, bool requireValue)
{
    std::vector<std::string> lines;
    for (const EntryRow& row : rows) {
        if (row[0].empty() || (requireValue && row[1].empty())) continue;
        // A line break pasted into a cell would cut the entry in two.
        lines.push_back(JoinFields({SingleLineField(row[0]), SingleLineField(row[1]), SingleLineField(row[2])}));
    }
    SortRegisteredLines(lines);
    return lines;
}

std::vector<EntryRow> EntryRowsOf(const std::vector<std::string>& lines)
{
    std::vector<EntryRow> rows;
    rows.reserve(lines.size());
    for (const std::string& line : lines) {
        std::vector<std::string> fields = SplitFields(line);
        fields.resize(std::max<std::size_t>(fields.size(), 3));
        rows.push_back({fields[0], fields[1], fields[2]});
    }
    return rows;
}

std::vector<std::string> MergeOutsideChanges(const std::vector<std::string>& base, const std::vector<std::string>& ours,
                                             const std::vector<std::string>& theirs)
{
    std::vector<std::string> merged = Without(ours, Without(base, theirs));
    for (std::string& line : Without(Without(theirs, base), Without(ours, base)))
        merged.push_back(std::move(line));
    SortRegisteredLines(merged);
    return merged;
}

}  // namespace tallyrix
