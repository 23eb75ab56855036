#include "files/EditorCharMap.h"

#include <QStringDecoder>
#include <algorithm>

namespace tallyrix {
namespace {

// What the editor would break a block at, apart from the line breaks.
constexpr char32_t BlockBreakers[] = {0x2029, 0xFDD0, 0xFDD1};
// Stand-ins come from supplementary private-use area A.
constexpr char32_t FirstStandIn = 0xF0000;
constexpr char32_t LastStandIn = 0xFFFFD;

QString Character(char32_t code) { return QString::fromUcs4(&code, 1); }

}  // namespace

QString EditorCharMap::ToEditor(const QString& documentText)
{
    standIns.clear();
    QString text = documentText;
    char32_t candidate = FirstStandIn;
    for (const char32_t breaker : BlockBreakers) {
        const QString original = Character(breaker);
        if (!text.contains(original)) continue;
        while (candidate < LastStandIn && documentText.contains(Character(candidate)))
            ++candidate;
        const QString standIn = Character(candidate++);
        text.replace(original, standIn);
        standIns.emplace_back(original, standIn);
    }
    return text;
}

QString EditorCharMap::ToEditor(std::string_view documentText)
{
    // QString::fromUtf8 would take a leading U+FEFF for a mark and drop it.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return ToEditor(QString(decoder(QByteArrayView(documentText.data(), static_cast<qsizetype>(documentText.size())))));
}

std::string EditorCharMap::FromEditor(QString editorText) const
{
    editorText.replace(QChar::ParagraphSeparator, u'\n');
    for (const auto& [original, standIn] : standIns)
        editorText.replace(standIn, original);
    std::string utf8;
    utf8.reserve(static_cast<std::size_t>(editorText.size()));
    constexpr qsizetype PieceSize = 1 << 16;
    for (qsizetype from = 0; from < editorText.size();) {
        qsizetype size = std::min(PieceSize, editorText.size() - from);
        // A surrogate pair is converted whole, in the next piece.
        if (from + size < editorText.size() && editorText.at(from + size - 1).isHighSurrogate()) --size;
        const QByteArray piece = QStringView(editorText).sliced(from, size).toUtf8();
        utf8.append(piece.constData(), static_cast<std::size_t>(piece.size()));
        from += size;
    }
    return utf8;
}

}  // namespace tallyrix
