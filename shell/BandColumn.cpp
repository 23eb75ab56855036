#include "shell/BandColumn.h"

#include <QWidget>
#include <QWidgetItem>
#include <algorithm>

namespace tallyrix {
namespace {

int WholeHeight(const QLayoutItem* item, int width)
{
    const int rows = item->hasHeightForWidth() ? item->heightForWidth(width) : item->sizeHint().height();
    return std::max(rows, item->minimumSize().height());
}

}  // namespace

TBandColumn::TBandColumn(QWidget* parent) : QLayout(parent)
{
    setContentsMargins(0, 0, 0, 0);
    setSpacing(0);
}

TBandColumn::~TBandColumn()
{
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

void TBandColumn::AddBand(QWidget* band, int minimumHeight, bool yields)
{
    band->setMinimumHeight(minimumHeight);
    addChildWidget(band);
    Bands.append(Band{new QWidgetItem(band), yields});
    invalidate();
}

void TBandColumn::addItem(QLayoutItem* item) { Bands.append(Band{item, false}); }

int TBandColumn::count() const { return static_cast<int>(Bands.size()); }

QLayoutItem* TBandColumn::itemAt(int index) const
{
    return index >= 0 && index < Bands.size() ? Bands[index].item : nullptr;
}

QLayoutItem* TBandColumn::takeAt(int index)
{
    if (index < 0 || index >= Bands.size()) return nullptr;
    return Bands.takeAt(index).item;
}

Qt::Orientations TBandColumn::expandingDirections() const { return Qt::Horizontal; }

bool TBandColumn::hasHeightForWidth() const { return true; }

QList<int> TBandColumn::Heights(int width, bool yieldingWhole) const
{
    QList<int> heights;
    for (const Band& band : Bands) {
        if (band.item->isEmpty()) continue;
        heights.append(band.yields && !yieldingWhole ? band.item->minimumSize().height()
                                                     : WholeHeight(band.item, width));
    }
    return heights;
}

int TBandColumn::Stacked(const QList<int>& heights) const
{
    int total = 0;
    for (int height : heights)
        total += height;
    if (!heights.isEmpty()) total += spacing() * static_cast<int>(heights.size() - 1);
    return total;
}

int TBandColumn::WithMargins(int height) const
{
    const QMargins margins = contentsMargins();
    return height + margins.top() + margins.bottom();
}

int TBandColumn::InnerWidth(int width) const
{
    const QMargins margins = contentsMargins();
    return width - margins.left() - margins.right();
}

int TBandColumn::heightForWidth(int width) const { return WithMargins(Stacked(Heights(InnerWidth(width), true))); }

int TBandColumn::MinimumHeightForWidth(int width) const
{
    return WithMargins(Stacked(Heights(InnerWidth(width), false)));
}

QSize TBandColumn::sizeHint() const
{
    int width = 0;
    for (const Band& band : Bands) {
        if (!band.item->isEmpty()) width = std::max(width, band.item->sizeHint().width());
    }
    const QMargins margins = contentsMargins();
    width += margins.left() + margins.right();
    return QSize(width, heightForWidth(width));
}

// The design heights; what the rows need at a narrower width is
// MinimumHeightForWidth.
QSize TBandColumn::minimumSize() const
{
    int width = 0;
    QList<int> heights;
    for (const Band& band : Bands) {
        if (band.item->isEmpty()) continue;
        width = std::max(width, band.item->minimumSize().width());
        heights.append(band.item->minimumSize().height());
    }
    const QMargins margins = contentsMargins();
    return QSize(width + margins.left() + margins.right(), WithMargins(Stacked(heights)));
}

void TBandColumn::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    const QRect area = rect.marginsRemoved(contentsMargins());
    const QList<int> whole = Heights(area.width(), true);
    const QList<int> least = Heights(area.width(), false);
    // What is left after every band's least height goes to the yielding
    // bands, in order, up to their whole height.
    int spare = area.height() - Stacked(least);
    int y = area.y();
    int shown = 0;
    for (const Band& band : Bands) {
        if (band.item->isEmpty()) continue;
        const int extra = std::clamp(whole[shown] - least[shown], 0, std::max(spare, 0));
        spare -= extra;
        const int height = least[shown] + extra;
        band.item->setGeometry(QRect(area.x(), y, area.width(), height));
        y += height + spacing();
        ++shown;
    }
}

}  // namespace tallyrix
