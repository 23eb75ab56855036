#include "shell/ThemeIcons.h"

namespace tallyrix {
namespace {

// Without a desktop (a bare X server, offscreen) Qt knows no theme; the
// installed Adwaita icons are looked up last.
void UseAdwaitaAsLastResort()
{
    if (QIcon::fallbackThemeName().isEmpty() || QIcon::fallbackThemeName() == QLatin1String("hicolor"))
        QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
}

}  // namespace

QIcon ThemeIcon(const QString& name, QStyle::StandardPixmap fallback, const QStyle* style)
{
    UseAdwaitaAsLastResort();
    // A theme entry whose file cannot be drawn counts as missing.
    const QIcon themed = QIcon::fromTheme(name);
    if (!themed.pixmap(16, 16).isNull()) return themed;
    return style->standardIcon(fallback);
}

}  // namespace tallyrix
