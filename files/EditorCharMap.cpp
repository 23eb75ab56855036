#include "files/EditorCharMap.h"

#include <QStringDecoder>

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

QString EditorCharMap::FromEditor(QString editorText) const
{
    editorText.replace(QChar::ParagraphSeparator, u'\n');
    for (const auto& [original, standIn] : standIns)
        editorText.replace(standIn, original);
    return editorText;
}

}  // namespace tallyrix
