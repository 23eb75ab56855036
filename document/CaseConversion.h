// Case conversion of the selection: only ASCII letters change, so Japanese
// text and full-width letters stay as typed.
#pragma once

#include <QString>

namespace tallyrix {

QString AsciiLower(QString text);
QString AsciiUpper(QString text);

}  // namespace tallyrix
