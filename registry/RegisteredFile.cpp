#include "registry/RegisteredFile.h"

#include <QCollator>
#include <QString>

#include <algorithm>

#include "files/TextCodec.h"
#include "registry/FieldList.h"

namespace tallyrix {
namespace {

QString ToQString(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

void WriteRegisteredFile(const std::string& path, const std::vector<std::string>& lines)
{
    SaveWholeFile(path, EncodeText(JoinRegisteredLines(lines), TextEncoding::ShiftJis));
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
        if (row[0].empty() || (requireValue && row[1].empty()))
            continue;
        // A line break pasted into a cell would cut the entry in two.
        lines.push_back(JoinFields({SingleLineField(row[0]), SingleLineField(row[1]), SingleLineField(row[2])}));
    }
    SortRegisteredLines(lines);
    return lines;
}

}  // namespace tallyrix
