// The modeless Replace dialog: search and replacement texts, match case,
// whole word, and the buttons Find Next, Replace, Replace All and Cancel.
// Find Next emits Find; Replace and Replace All both emit Replace, told apart
// by ReplaceAll().
#pragma once

#include "shell/SearchDialog.h"

class QLineEdit;

namespace tallyrix {

class TReplaceDialog : public TSearchDialog {
    Q_OBJECT
public:
    explicit TReplaceDialog(QWidget* parent = nullptr);

    QString ReplaceText() const;
    // Whether the last Replace came from Replace All.
    bool ReplaceAll() const { return ReplaceAllPressed; }
    ReplaceRequest Request() const;

signals:
    void Replace();

private:
    void AddReplaceButton(const QString& caption, const QString& name, bool all);

    QLineEdit* ReplaceEdit;
    bool ReplaceAllPressed = false;
};

}  // namespace tallyrix
