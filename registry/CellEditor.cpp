#include "registry/CellEditor.h"

#include <QLineEdit>
#include <QPersistentModelIndex>

#include "registry/GridCells.h"

namespace tallyrix {

QWidget* TCellEditor::createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        // The grid's own pop-up menu serves inside the editor too.
        line->setContextMenuPolicy(Qt::NoContextMenu);
        const QPersistentModelIndex cell(index);
        connect(line, &QLineEdit::textEdited, this, [this, cell, line](const QString& text) {
            // A pasted line break or tab would reach the file raw.
            const QString single = SingleLineCellText(text);
            if (single != text) {
                const int caret = line->cursorPosition();
                line->setText(single);
                line->setCursorPosition(caret);
            }
            if (cell.isValid()) emit TextEdited(cell.row(), cell.column(), single);
        });
        connect(line, &QLineEdit::returnPressed, this, &TCellEditor::ReturnPressed);
    }
    return editor;
}

void TCellEditor::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const auto* line = qobject_cast<QLineEdit*>(editor);
    if (line && line->text() == index.data(Qt::EditRole).toString()) return;
    QStyledItemDelegate::setEditorData(editor, index);
}

}  // namespace tallyrix
