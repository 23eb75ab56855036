#include "shell/Hints.h"

#include <QWidget>

namespace tallyrix {

HintParts SplitHint(const QString& hint)
{
    const qsizetype bar = hint.indexOf(u'|');
    if (bar < 0) return HintParts{hint, hint};
    return HintParts{hint.left(bar), hint.mid(bar + 1)};
}

void ApplyHint(QWidget* widget, const QString& hint)
{
    const HintParts parts = SplitHint(hint);
    widget->setToolTip(parts.shortHint);
    widget->setStatusTip(parts.longHint);
}

}  // namespace tallyrix
