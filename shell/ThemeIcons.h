// Pictures for the speed buttons: an icon of the desktop's theme, else of
// the Adwaita theme that the set-up installs, else one of the style's
// standard pixmaps, so that no button is ever blank.
#pragma once

#include <QIcon>
#include <QStyle>

namespace tallyrix {

QIcon ThemeIcon(const QString& name, QStyle::StandardPixmap fallback, const QStyle* style);

}  // namespace tallyrix
