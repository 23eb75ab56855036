// Cell access for the register dialog's grid, and row drags that move the
// cells themselves, so a row read by its index is always the one the user
// sees at that position. Columns are read by what they hold, wherever the
// user has dragged them.
#pragma once

#include <QString>

class QTableWidget;

namespace tallyrix {

// Text typed or pasted into a cell, as one line: line breaks and tabs
// become spaces.
QString SingleLineCellText(const QString& text);

// "" for a cell that was never given a text.
QString CellText(const QTableWidget* grid, int row, int column);
void SetCellText(QTableWidget* grid, int row, int column, const QString& text);
bool RowHasText(const QTableWidget* grid, int row);

// Makes rows and columns movable. After a drag of a row header the row's
// cells, header text and height move to the new position and the header's
// order is put back, so row indexes follow what is on screen. A dragged
// column only changes where it is shown: column 0 stays the names.
void MoveRowCellsWithHeader(QTableWidget* grid);

}  // namespace tallyrix
