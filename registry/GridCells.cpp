#include "registry/GridCells.h"

#include <QHeaderView>
#include <QSignalBlocker>
#include <QTableWidget>

#include "registry/FieldList.h"

namespace tallyrix {
namespace {

// Moves the item at from to to; the ones between shift by one.
template <typename Take, typename Put>
void Rotate(int from, int to, Take take, Put put)
{
    auto moved = take(from);
    const int step = to > from ? 1 : -1;
    for (int line = from; line != to; line += step)
        put(line, take(line + step));
    put(to, moved);
}

void MoveRow(QTableWidget* grid, int from, int to)
{
    for (int column = 0; column < grid->columnCount(); ++column) {
        Rotate(
            from, to, [&](int row) { return grid->takeItem(row, column); },
            [&](int row, QTableWidgetItem* item) { grid->setItem(row, column, item); });
    }
    Rotate(
        from, to, [&](int row) { return grid->takeVerticalHeaderItem(row); },
        [&](int row, QTableWidgetItem* item) { grid->setVerticalHeaderItem(row, item); });
    QHeaderView* header = grid->verticalHeader();
    Rotate(
        from, to, [&](int row) { return header->sectionSize(row); },
        [&](int row, int size) { header->resizeSection(row, size); });
}

}  // namespace

QString SingleLineCellText(const QString& text) { return QString::fromStdString(SingleLineField(text.toStdString())); }

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

void MoveRowCellsWithHeader(QTableWidget* grid)
{
    grid->horizontalHeader()->setSectionsMovable(true);
    QHeaderView* rows = grid->verticalHeader();
    rows->setSectionsMovable(true);
    QObject::connect(rows, &QHeaderView::sectionMoved, grid, [grid, rows](int, int from, int to) {
        {
            const QSignalBlocker blocker(rows);
            rows->moveSection(to, from);
        }
        MoveRow(grid, from, to);
    });
}

}  // namespace tallyrix
