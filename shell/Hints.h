// Hints "short|long": the short part is the tooltip, the long part goes to
// status panel 4. A hint without a bar serves for both.
#pragma once

#include <QString>

class QWidget;

namespace tallyrix {

struct HintParts {
    QString shortHint;
    QString longHint;
};

HintParts SplitHint(const QString& hint);
void ApplyHint(QWidget* widget, const QString& hint);

}  // namespace tallyrix
