#include "shell/ElidedLabel.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace tallyrix {

TElidedLabel::TElidedLabel(QWidget* parent) : QLabel(parent) {}

QString TElidedLabel::ShownText() const
{
    return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width() - 2 * margin());
}

bool TElidedLabel::event(QEvent* event)
{
    // Without a tooltip of its own, the panel offers its whole text when cut.
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty()) {
        const QString shown = ShownText();
        if (shown != text()) {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QLabel::event(event);
}

void TElidedLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(area, static_cast<int>(alignment()), ShownText());
}

}  // namespace tallyrix
