// The modeless Replace dialog: search and replacement texts, match case,
// whole word, and the buttons Find Next, Replace, Replace All and Cancel.
// Find Next emits Find; Replace and Replace All both emit Replace, told apart
// by ReplaceAll().
#pragma once

#include <QDialog>

#include "shell/SearchFields.h"

class QLineEdit;

namespace tallyrix {

class TReplaceDialog : public QDialog {
    Q_OBJECT
public:
    explicit TReplaceDialog(QWidget* parent = nullptr);

    // Shows the dialog with findText as its search text, or brings it up
    // again; the replacement text and the options stay.
    void Open(const QString& findText);
    QString FindText() const;
    QString ReplaceText() const;
    SearchOptions Options() const;
    // Whether the last Replace came from Replace All.
    bool ReplaceAll() const { return ReplaceAllPressed; }
    ReplaceRequest Request() const;

signals:
    void Find();
    void Replace();

private:
    void EmitReplace(bool all);

    SearchFields Fields;
    QLineEdit* ReplaceEdit;
    bool ReplaceAllPressed = false;
};

}  // namespace tallyrix
