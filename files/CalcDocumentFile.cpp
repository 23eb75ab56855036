#include "files/CalcDocumentFile.h"

#include <QFile>

#include "files/SaveFile.h"

namespace tallyrix {

std::string ToEditorLineEnds(const std::string& text) {
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

std::string ToFileLineEnds(const std::string& text) {
    const std::string lines = ToEditorLineEnds(text);
    std::string result;
    result.reserve(lines.size() + lines.size() / 16);
    for (const char c : lines) {
        if (c == '\n') result += '\r';
        result += c;
    }
    return result;
}

CalcDocument ReadCalcDocument(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        throw FileError("ファイルを開けません: " + path + " (" + file.errorString().toStdString() + ")");
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw FileError("ファイルを読み込めません: " + path + " (" + file.errorString().toStdString() + ")");
    }
    CalcDocument document;
    DecodedText decoded = DecodeText(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                                     document.format);
    document.text = ToEditorLineEnds(decoded.text);
    document.undecodableBytes = decoded.undecodableBytes;
    document.onDisk = DiskSnapshot::Of(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return document;
}

TextEncoding WriteCalcDocument(const std::string& path, const std::string& text, const TextFormat& format,
                               DiskSnapshot* written) {
    TextEncoding used = format.encoding;
    const std::string bytes = EncodeText(ToFileLineEnds(text), format, &used);
    SaveWholeFile(path, bytes);
    if (written) *written = DiskSnapshot::Of(path, bytes);
    return used;
}

}  // namespace tallyrix
