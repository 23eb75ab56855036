#include "shell/WrapLayout.h"

#include <QWidget>
#include <QWidgetItem>
#include <algorithm>

namespace tallyrix {

WrapLayout::WrapLayout(QWidget* parent) : QLayout(parent)
{
    setContentsMargins(0, 0, 0, 0);
    setSpacing(0);
}

WrapLayout::~WrapLayout()
{
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

void WrapLayout::AddWidget(QWidget* widget, bool breakAfter)
{
    addChildWidget(widget);
    Entries.append(Entry{new QWidgetItem(widget), breakAfter});
    invalidate();
}

void WrapLayout::SetOverflowButton(QWidget* button) { Overflow = button; }

int WrapLayout::ShownCount() const { return Shown; }

void WrapLayout::addItem(QLayoutItem* item) { Entries.append(Entry{item, false}); }

int WrapLayout::count() const { return static_cast<int>(Entries.size()); }

QLayoutItem* WrapLayout::itemAt(int index) const
{
    return index >= 0 && index < Entries.size() ? Entries[index].item : nullptr;
}

QLayoutItem* WrapLayout::takeAt(int index)
{
    if (index < 0 || index >= Entries.size()) return nullptr;
    return Entries.takeAt(index).item;
}

Qt::Orientations WrapLayout::expandingDirections() const { return {}; }

bool WrapLayout::hasHeightForWidth() const { return true; }

int WrapLayout::heightForWidth(int width) const { return Arrange(QRect(0, 0, width, 0), false).height; }

QSize WrapLayout::sizeHint() const
{
    const int width = WidestRow();
    return QSize(width, heightForWidth(width));
}

QSize WrapLayout::minimumSize() const
{
    QSize size;
    for (const Entry& entry : Entries)
        size = size.expandedTo(entry.item->minimumSize());
    const QMargins margins = contentsMargins();
    return size + QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
}

// An item may show its widget while it is placed; showing a widget lays
// out its parent's layout from within, which would start this placement
// again in the middle of it. Disabled, the layout is laid out once more
// afterwards instead.
void WrapLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    const bool enabled = isEnabled();
    setEnabled(false);
    if (Overflow) {
        ArrangeWithOverflow(rect);
    } else {
        Shown = Arrange(rect, true).shown;
    }
    setEnabled(enabled);
}

// The button takes its width off every row when not all rows fit.
void WrapLayout::ArrangeWithOverflow(const QRect& rect)
{
    if (Arrange(rect, false, rect.bottom()).shown == count()) {
        Overflow->hide();
        Shown = Arrange(rect, true, rect.bottom()).shown;
        return;
    }
    const QSize button = Overflow->sizeHint();
    const QRect rows = rect.adjusted(0, 0, -button.width(), 0);
    const Placement placement = Arrange(rows, true, rect.bottom());
    Shown = placement.shown;
    Overflow->setGeometry(QRect(QPoint(rows.right() + 1, placement.lastRowTop), button));
    Overflow->show();
    Overflow->raise();
}

// The width the rows take when only the marked breaks end them.
int WrapLayout::WidestRow() const
{
    int widest = 0;
    int row = 0;
    for (const Entry& entry : Entries) {
        if (entry.item->isEmpty()) continue;
        row += entry.item->sizeHint().width();
        widest = std::max(widest, row);
        if (entry.breakAfter) row = 0;
    }
    const QMargins margins = contentsMargins();
    return widest + margins.left() + margins.right();
}

WrapLayout::Placement WrapLayout::Arrange(const QRect& rect, bool apply, int bottomLimit) const
{
    const QRect area = rect.marginsRemoved(contentsMargins());
    Placement placement{0, 0, area.y()};
    bool inView = true;
    int x = area.x();
    int y = area.y();
    int rowHeight = 0;
    for (const Entry& entry : Entries) {
        if (entry.item->isEmpty()) {
            placement.shown += inView ? 1 : 0;
            continue;
        }
        const QSize size = entry.item->sizeHint();
        if (x > area.x() && x + size.width() > area.right() + 1) {
            x = area.x();
            y += rowHeight;
            rowHeight = 0;
        }
        const QRect place(QPoint(x, y), size);
        inView = inView && place.bottom() <= bottomLimit;
        if (inView) {
            ++placement.shown;
            placement.lastRowTop = y;
        }
        if (apply) entry.item->setGeometry(inView ? place : QRect());
        x += size.width();
        rowHeight = std::max(rowHeight, size.height());
        if (entry.breakAfter) {
            x = area.x();
            y += rowHeight;
            rowHeight = 0;
        }
    }
    const QMargins margins = contentsMargins();
    placement.height = y + rowHeight - rect.y() + margins.bottom();
    return placement;
}

}  // namespace tallyrix
