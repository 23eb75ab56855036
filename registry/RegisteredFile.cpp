#include "registry/RegisteredFile.h"

#include <QCollator>
#include <QFile>
#include <QString>

#include <algorithm>

#include "files/TextCodec.h"
#include "registry/FieldList.h"
#include "registry/RegisteredEntries.h"

namespace tallyrix {
namespace {

QString ToQString(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

[[noreturn]] void FailToRead(const std::string& path, const QString& reason)
{
    throw RegisteredFileError("ファイルを読めません: " + path + " (" + reason.toStdString() + ")");
}

}  // namespace

std::string RegisteredFilePath(const std::string& progDir) { return progDir + "/" + RegisteredFileName; }

std::vector<std::string> SplitRegisteredText(std::string_view text)
{
    text = text.substr(0, text.find('\0'));
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n')
            ++start;
    }
    return lines;
}

std::string JoinRegisteredLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

std::optional<std::vector<std::string>> ReadRegisteredFile(const std::string& path)
{
    QFile file(ToQString(path));
    if (!file.exists())
        return std::nullopt;
    if (!file.open(QIODevice::ReadOnly))
        FailToRead(path, file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        FailToRead(path, file.errorString());
    // The NUL is cut before decoding so that bytes after it cannot sway the
    // choice of encoding.
    const std::string_view raw(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return SplitRegisteredText(DecodeText(raw.substr(0, raw.find('\0'))).text);
}

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

int LoadRegisteredConstants(const std::string& path, Evaluator& engine)
{
    const std::optional<std::vector<std::string>> lines = ReadRegisteredFile(path);
    return lines ? RegisterConstants(*lines, engine) : 1;
}

}  // namespace tallyrix
