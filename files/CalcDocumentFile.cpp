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

// CR LF, CR and LF alike end a line, in one pass over the text.
std::string ToFileLineEnds(const std::string& text)
{
    std::string result;
    result.reserve(text.size() + text.size() / 16);
    std::size_t from = 0;
    for (std::size_t end; (end = text.find_first_of("\r\n", from)) != std::string::npos;) {
        result.append(text, from, end - from).append("\r\n");
        from = end + 1 + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n');
    }
    return result.append(text, from);
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
