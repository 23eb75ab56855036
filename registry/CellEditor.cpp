#include "registry/CellEditor.h"

#include <QLineEdit>
#include <QPersistentModelIndex>

namespace tallyrix {

QWidget* TCellEditor::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const
{
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        // The grid's own pop-up menu serves inside the editor too.
        line->setContextMenuPolicy(Qt::NoContextMenu);
        const QPersistentModelIndex cell(index);
        connect(line, &QLineEdit::textEdited, this, [this, cell](const QString& text) {
            if (cell.isValid()) emit TextEdited(cell.row(), cell.column(), text);
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
