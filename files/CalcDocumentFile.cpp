#include "files/CalcDocumentFile.h"

#include "files/RegularFileReader.h"
#include "files/SaveFile.h"

namespace tallyrix {

std::string ToEditorLineEnds(const std::string& text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            result += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

std::string ToFileLineEnds(const std::string& text)
{
    const std::string lines = ToEditorLineEnds(text);
    std::string result;
    result.reserve(lines.size() + lines.size() / 16);
    for (const char c : lines) {
        if (c == '\n') result += '\r';
        result += c;
    }
    return result;
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
