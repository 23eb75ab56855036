// What the Find and the Replace dialog share: the search text, the options
// match case and whole word, a column of buttons on the right, and the way a
// dialog is brought up. Searching always runs down, so there is no choice of
// direction.
#pragma once

#include <QString>

#include "shell/FindReplace.h"

class QCheckBox;
class QDialog;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace tallyrix {

class SearchFields {
public:
    // Lays the fields and the button column out on dialog.
    explicit SearchFields(QDialog& dialog);

    // A further labelled text row below the search text.
    QLineEdit* AddTextRow(const QString& label, const QString& name);
    // A button of the column; with needsText it is enabled only while there
    // is a search text.
    QPushButton* AddButton(const QString& caption, const QString& name, bool needsText);
    // Cancel closes the dialog; it stays alive for the next opening.
    void AddCancelButton();

    QString FindText() const;
    SearchOptions Options() const;

    // Sets the search text, shows the dialog or brings it to the front, and
    // puts the focus into the search text with all of it selected.
    void Present(const QString& findText);

private:
    QDialog& Dialog;
    QGridLayout* Rows;
    QVBoxLayout* Buttons;
    QLineEdit* FindEdit;
    QCheckBox* MatchCaseBox;
    QCheckBox* WholeWordBox;
    QLineEdit* LastEdit = nullptr;
};

}  // namespace tallyrix
