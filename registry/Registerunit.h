// The register dialog: the registered entries in an editable grid, one row
// per entry and an empty row for a new one. Its OK writes Registered.txt
// when the entries were changed; the main window then takes the file's
// lines.
#pragma once

#include <QDialog>
#include <QMessageBox>
#include <string>
#include <vector>

#include "registry/RegisteredFile.h"
#include "registry/RegisteredFileSession.h"

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
    // The name cell of the entry loaded from line index becomes the current
    // cell, scrolled into view.
    void SelectEntry(std::size_t index);

    // The file OK writes, read by the caller just before LoadLines. OK
    // writes nothing when the entries are as loaded, and asks before it
    // replaces a file that someone else has changed meanwhile. A failed
    // write is shown and the dialog stays open with everything typed in it.
    void SetFile(RegisteredFileSession& file);

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
    // True when the dialog may close.
    bool SaveEntries();
    QMessageBox::StandardButton AskAboutOutsideChange();
    void TakeInOutsideChanges(const std::vector<std::string>& ours);

    ModalDialogs& Dialogs;
    RegisteredFileSession* File = nullptr;
    // The entries as the file held them when loaded or last merged, in the
    // form OK would write them: OK with the grid still so writes nothing.
    std::vector<std::string> LoadedLines;
};

}  // namespace tallyrix
