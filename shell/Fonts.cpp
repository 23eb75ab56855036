#include "shell/Fonts.h"

#include <QFont>
#include <QStringList>

namespace tallyrix {

void InstallFontSubstitutes()
{
    const QString gothic = QStringLiteral("ＭＳ ゴシック");
    const QString proportional = QStringLiteral("ＭＳ Ｐゴシック");
    if (QFont::substitutes(gothic).isEmpty()) QFont::insertSubstitution(gothic, QStringLiteral("IPAGothic"));
    if (QFont::substitutes(proportional).isEmpty())
        QFont::insertSubstitution(proportional, QStringLiteral("IPAPGothic"));
}

}  // namespace tallyrix
