// What the Find and the Replace dialog share: the modeless window, the search
// text, the options match case and whole word, a column of buttons on the
// right beginning with Find Next, and the way the dialog is brought up.
// Searching always runs down, so there is no choice of direction.
#pragma once

#include <QDialog>

#include "shell/FindReplace.h"

class QCheckBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace tallyrix {

class TSearchDialog : public QDialog {
    Q_OBJECT
public:
    // Sets the search text, shows the dialog or brings it to the front, and
    // puts the focus into the search text with all of it selected. Other
    // texts and the options stay as the user left them.
    void Open(const QString& findText);
    QString FindText() const;
    SearchOptions Options() const;

signals:
    void Find();

protected:
    explicit TSearchDialog(QWidget* parent);

    // A further labelled text row below the search text.
    QLineEdit* AddTextRow(const QString& label, const QString& name);
    // A button of the column; with needsText it is enabled only while there
    // is a search text.
    QPushButton* AddButton(const QString& caption, const QString& name, bool needsText);
    // Cancel closes the dialog; it stays alive for the next opening.
    void AddCancelButton();

private:
    QGridLayout* Rows;
    QVBoxLayout* Buttons;
    QCheckBox* MatchCaseBox;
    QCheckBox* WholeWordBox;
    QLineEdit* FindEdit = nullptr;
    QLineEdit* LastEdit = nullptr;
};

}  // namespace tallyrix
