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
    while (QLayoutItem* item = takeAt(0)) delete item;
}

void WrapLayout::AddWidget(QWidget* widget, bool breakAfter)
{
    addChildWidget(widget);
    Entries.append(Entry{new QWidgetItem(widget), breakAfter});
    invalidate();
}

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

int WrapLayout::heightForWidth(int width) const { return Arrange(QRect(0, 0, width, 0), false); }

QSize WrapLayout::sizeHint() const
{
    const int width = WidestRow();
    return QSize(width, heightForWidth(width));
}

QSize WrapLayout::minimumSize() const
{
    QSize size;
    for (const Entry& entry : Entries) size = size.expandedTo(entry.item->minimumSize());
    const QMargins margins = contentsMargins();
    return size + QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
}

void WrapLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    Arrange(rect, true);
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

int WrapLayout::Arrange(const QRect& rect, bool apply) const
{
    const QRect area = rect.marginsRemoved(contentsMargins());
    int x = area.x();
    int y = area.y();
    int rowHeight = 0;
    for (const Entry& entry : Entries) {
        if (entry.item->isEmpty()) continue;
        const QSize size = entry.item->sizeHint();
        if (x > area.x() && x + size.width() > area.right() + 1) {
            x = area.x();
            y += rowHeight;
            rowHeight = 0;
        }
        if (apply) entry.item->setGeometry(QRect(QPoint(x, y), size));
        x += size.width();
        rowHeight = std::max(rowHeight, size.height());
        if (entry.breakAfter) {
            x = area.x();
            y += rowHeight;
            rowHeight = 0;
        }
    }
    const QMargins margins = contentsMargins();
    return y + rowHeight - rect.y() + margins.bottom();
}

}  // namespace tallyrix
