// The register dialog: the registered entries in an editable grid, one row
// per entry and an empty row for a new one. It changes nothing outside
// itself; the main window takes EntryLines() when it closes with OK.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "registry/RegisteredFile.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTableWidget;

namespace tallyrix {

class ModalDialogs;

class TRegisterForm : public QDialog {
    Q_OBJECT
public:
    TRegisterForm(ModalDialogs& dialogs, QWidget* owner);

    // One row per line, fields beyond the third left out, then the empty row.
    void LoadLines(const std::vector<std::string>& lines);
    // What OK saves: the rows above the last that have a name, joined into
    // lines and sorted.
    std::vector<std::string> EntryLines() const;

    // What OK does with EntryLines() before the dialog closes. When it
    // throws FileError, the error is shown and the dialog stays open with
    // everything typed in it.
    using EntrySaver = std::function<void(const std::vector<std::string>&)>;
    void SetSaver(EntrySaver saver);

    // Handlers, named as in the dialog's design.
    void sgRegisterSetEditText(int row, int column, const QString& text);
    void OkBtnClick();
    void Cut1Click();
    void Copy1Click();
    void Paste1Click();
    void RowCopyClick();
    void RowDeleteClick();

    QTableWidget* sgRegister = nullptr;
    QLabel* lbNumber = nullptr;
    QPushButton* DeleteBtn = nullptr;
    QPushButton* OkBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QMenu* PopupMenu1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateGrid();
    void CreateButtons();
    void CreatePopupMenu();
    QAction* AddMenuItem(const QString& name, const QString& caption, void (TRegisterForm::*handler)());
    std::vector<EntryRow> RowsUpTo(int end) const;
    void FillGrid(const std::vector<std::string>& lines);
    void ShowCount(const QString& prefix, int count);
    int LastRow() const;
    // Text put into the last row makes it an entry: a new empty row goes below.
    void KeepLastRowEmpty(int row, const QString& text);
    void SetCurrentCellText(const QString& text);

    ModalDialogs& Dialogs;
    EntrySaver Saver;
};

}  // namespace tallyrix
