#include "files/CalcDocumentFile.h"

#include "files/RegularFileReader.h"
#include "files/SaveFile.h"

namespace tallyrix {

// Both copy the text a run at a time between line ends: a large document is
// mostly runs.
std::string ToEditorLineEnds(const std::string& text)
{
    std::string result;
    result.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t cr; (cr = text.find('\r', from)) != std::string::npos;) {
        result.append(text, from, cr - from).push_back('\n');
        from = cr + 1 + (cr + 1 < text.size() && text[cr + 1] == '\n');
    }
    return result.append(text, from);
}

std::string ToFileLineEnds(const std::string& text)
{
    const std::string lines = ToEditorLineEnds(text);
    std::string result;
    result.reserve(lines.size() + lines.size() / 16);
    std::size_t from = 0;
    for (std::size_t lf; (lf = lines.find('\n', from)) != std::string::npos; from = lf + 1)
        result.append(lines, from, lf - from).append("\r\n");
    return result.append(lines, from);
}

CalcDocument ReadCalcDocument(const std::string& path)
{
    const std::string bytes = ReadRegularFile(path, DocumentSizeLimit);
    CalcDocument document;
    DecodedText decoded = DecodeText(bytes, document.format);
    document.text = ToEditorLineEnds(decoded.text);
    document.undecodableBytes = decoded.undecodableBytes;
    document.onDisk = DiskSnapshot::Of(path, bytes);
    return document;
}

TextEncoding WriteCalcDocument(const std::string& path, const std::string& text, const TextFormat& format,
                               DiskSnapshot* written, SaveMethod* method)
{
    TextEncoding used = format.encoding;
    const std::string bytes = EncodeText(ToFileLineEnds(text), format, &used);
    const SaveMethod saved = SaveWholeFile(path, bytes);
    if (method) *method = saved;
    if (written) *written = DiskSnapshot::Of(path, bytes);
    return used;
}

}  // namespace tallyrix
