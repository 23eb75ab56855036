#include "document/CaseConversion.h"

namespace tallyrix {
namespace {

QString ShiftRange(QString text, char16_t from, char16_t to, int offset)
{
    for (QChar& c : text) {
        if (c.unicode() >= from && c.unicode() <= to) c = QChar(c.unicode() + offset);
    }
    return text;
}

}  // namespace

QString AsciiLower(QString text) { return ShiftRange(std::move(text), u'A', u'Z', 'a' - 'A'); }

QString AsciiUpper(QString text) { return ShiftRange(std::move(text), u'a', u'z', 'A' - 'a'); }

}  // namespace tallyrix
