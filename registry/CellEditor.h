// The register grid's cell editor: it reports every change of its text at
// once, as the user types, not only when the edit is committed.
#pragma once

#include <QStyledItemDelegate>

namespace tallyrix {

class TCellEditor : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // Leaves an editor alone that already shows the cell's text, so the
    // cell can follow the editor without moving its caret.
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;

signals:
    void TextEdited(int row, int column, const QString& text) const;
    // Enter in the editor, which the grid would otherwise keep from the
    // dialog's default button.
    void ReturnPressed() const;
};

}  // namespace tallyrix
