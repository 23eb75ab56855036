#include "shell/WindowHeightKeeper.h"

#include <QEvent>
#include <QWidget>
#include <algorithm>

namespace tallyrix {

TWindowHeightKeeper::TWindowHeightKeeper(QWidget* window, QWidget* panel, NeededHeight needed)
    : QObject(window), Window(window), Panel(panel), Needed(std::move(needed))
{
    window->installEventFilter(this);
    panel->installEventFilter(this);
}

// Once the event is handled: the layouts have placed everything by then, and
// several changes in a row cost one update.
bool TWindowHeightKeeper::eventFilter(QObject* watched, QEvent* event)
{
    const bool relevant =
        event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest || event->type() == QEvent::Show;
    if (relevant && !Pending && (watched == Window || watched == Panel)) {
        Pending = true;
        QMetaObject::invokeMethod(
            this, [this] { Update(); }, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void TWindowHeightKeeper::Update()
{
    Pending = false;
    if (!Panel->isVisible()) return;
    const int rest = Window->height() - Panel->height();
    const int least = std::max(Window->minimumSizeHint().height(), rest + Needed(Panel->width()));
    if (least != Window->minimumHeight()) Window->setMinimumHeight(least);
}

}  // namespace tallyrix
