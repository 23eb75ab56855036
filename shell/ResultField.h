// The one-line result field: read-only, showing the value of the last
// statement, with its digits grouped when that is asked for and the grouped
// value fits. Copying from it (its menu, the copy key, a mouse selection)
// gives the value as the engine wrote it, without the group separators, so
// that it pastes into any program.
#pragma once

#include <QLineEdit>

class QMenu;

namespace tallyrix {

class TResultField : public QLineEdit {
    Q_OBJECT
public:
    explicit TResultField(const QString& name, QWidget* parent = nullptr);

    // value as the engine wrote it; shown grouped when grouped is true and
    // the field is wide enough for it, else as it is.
    void ShowValue(const QString& value, bool grouped);
    // The value shown, without group separators.
    QString Value() const;
    // Puts the selection on the clipboard without group separators.
    void CopyValue() const;
    // The field's standard menu, its copy made by CopyValue.
    QMenu* CreateValueMenu();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int TextRoom() const;
    QString SelectedValue() const;

    bool Grouped = false;
};

}  // namespace tallyrix
