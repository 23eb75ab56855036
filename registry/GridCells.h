// Cell access for the register dialog's grid, and header drags that move
// the cells themselves, so a row or column read by its index is always the
// one the user sees at that position.
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

// After a drag of a row or column header the cells, the header text and the
// size move to the new position and the header's order is put back, so the
// grid's indexes follow what is on screen.
void MoveCellsWithHeaders(QTableWidget* grid);

}  // namespace tallyrix
