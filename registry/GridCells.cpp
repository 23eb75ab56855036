#include "registry/GridCells.h"

#include <QHeaderView>
#include <QSignalBlocker>
#include <QTableWidget>

#include "registry/FieldList.h"

namespace tallyrix {
namespace {

// One row or one column of the grid, addressed by its index along the line.
struct GridLine {
    QTableWidget* grid;
    Qt::Orientation orientation;  // Horizontal: a column; Vertical: a row

    int Count() const { return orientation == Qt::Horizontal ? grid->rowCount() : grid->columnCount(); }
    QTableWidgetItem* Take(int line, int cross) const
    {
        return orientation == Qt::Horizontal ? grid->takeItem(cross, line) : grid->takeItem(line, cross);
    }
    void Put(int line, int cross, QTableWidgetItem* item) const
    {
        if (orientation == Qt::Horizontal)
            grid->setItem(cross, line, item);
        else
            grid->setItem(line, cross, item);
    }
    QTableWidgetItem* TakeHeader(int line) const
    {
        return orientation == Qt::Horizontal ? grid->takeHorizontalHeaderItem(line)
                                             : grid->takeVerticalHeaderItem(line);
    }
    void PutHeader(int line, QTableWidgetItem* item) const
    {
        if (orientation == Qt::Horizontal)
            grid->setHorizontalHeaderItem(line, item);
        else
            grid->setVerticalHeaderItem(line, item);
    }
    QHeaderView* Header() const
    {
        return orientation == Qt::Horizontal ? grid->horizontalHeader() : grid->verticalHeader();
    }
};

// Moves the line at from to to; the lines between shift by one.
template <typename Take, typename Put>
void Rotate(int from, int to, Take take, Put put)
{
    auto moved = take(from);
    const int step = to > from ? 1 : -1;
    for (int line = from; line != to; line += step) put(line, take(line + step));
    put(to, moved);
}

void MoveLine(const GridLine& line, int from, int to)
{
    for (int cross = 0; cross < line.Count(); ++cross) {
        Rotate(
            from, to, [&](int at) { return line.Take(at, cross); },
            [&](int at, QTableWidgetItem* item) { line.Put(at, cross, item); });
    }
    Rotate(
        from, to, [&](int at) { return line.TakeHeader(at); },
        [&](int at, QTableWidgetItem* item) { line.PutHeader(at, item); });
    QHeaderView* header = line.Header();
    Rotate(
        from, to, [&](int at) { return header->sectionSize(at); },
        [&](int at, int size) { header->resizeSection(at, size); });
}

void FollowDrags(const GridLine& line)
{
    QHeaderView* header = line.Header();
    header->setSectionsMovable(true);
    QObject::connect(header, &QHeaderView::sectionMoved, line.grid, [line, header](int, int from, int to) {
        {
            const QSignalBlocker blocker(header);
            header->moveSection(to, from);
        }
        MoveLine(line, from, to);
    });
}

}  // namespace

QString SingleLineCellText(const QString& text)
{
    return QString::fromStdString(SingleLineField(text.toStdString()));
}

QString CellText(const QTableWidget* grid, int row, int column)
{
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

void SetCellText(QTableWidget* grid, int row, int column, const QString& text)
{
    if (QTableWidgetItem* item = grid->item(row, column))
        item->setText(text);
    else
        grid->setItem(row, column, new QTableWidgetItem(text));
}

bool RowHasText(const QTableWidget* grid, int row)
{
    for (int column = 0; column < grid->columnCount(); ++column) {
        if (!CellText(grid, row, column).isEmpty()) return true;
    }
    return false;
}

void MoveCellsWithHeaders(QTableWidget* grid)
{
    FollowDrags(GridLine{grid, Qt::Horizontal});
    FollowDrags(GridLine{grid, Qt::Vertical});
}

}  // namespace tallyrix
