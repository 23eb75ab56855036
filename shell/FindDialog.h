// The modeless Find dialog: search text, match case, whole word, and the
// buttons Find Next and Cancel. Find Next emits Find; the owner searches.
#pragma once

#include <QDialog>

#include "shell/SearchFields.h"

namespace tallyrix {

class TFindDialog : public QDialog {
    Q_OBJECT
public:
    explicit TFindDialog(QWidget* parent = nullptr);

    // Shows the dialog with findText as its search text, or brings it up
    // again; the options stay as the user left them.
    void Open(const QString& findText);
    QString FindText() const;
    SearchOptions Options() const;

signals:
    void Find();

private:
    SearchFields Fields;
};

}  // namespace tallyrix
