#include "document/DocumentBlocks.h"

namespace tallyrix {

namespace {

// The separators toPlainText turns into line feeds: line and paragraph
// separators and the frame marks.
bool IsLineBreak(char16_t c) { return c == 0x2028 || c == 0x2029 || c == 0xFDD0 || c == 0xFDD1; }

void AppendCodePoint(std::string& out, char32_t cp)
{
    if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
    } else {
        if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        }
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    }
    out += static_cast<char>(0x80 | (cp & 0x3F));
}

// The run of ASCII characters from the start of text, appended at once: most
// of a document is one.
qsizetype AppendAscii(std::string& out, QStringView text)
{
    qsizetype run = 0;
    while (run < text.size() && text[run].unicode() < 0x80)
        ++run;
    const std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(run));
    for (qsizetype i = 0; i < run; ++i)
        out[at + static_cast<std::size_t>(i)] = static_cast<char>(text[i].unicode());
    return run;
}

}  // namespace

void AppendPlainUtf8(std::string& out, QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        i += AppendAscii(out, text.mid(i));
        if (i == text.size()) break;
        const char16_t c = text[i].unicode();
        if (c == 0xA0) {
            out += ' ';
        } else if (IsLineBreak(c)) {
            out += '\n';
        } else if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            AppendCodePoint(out, QChar::surrogateToUcs4(c, text[i + 1].unicode()));
            ++i;
        } else if (QChar::isSurrogate(c)) {
            out += '?';  // a lone half, as toUtf8 writes it
        } else {
            AppendCodePoint(out, c);
        }
    }
}

}  // namespace tallyrix
