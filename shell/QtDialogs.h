// The real dialogs: Qt message boxes, the font, colour and file dialogs.
#pragma once

#include "shell/Dialogs.h"

namespace tallyrix {

class QtDialogs : public ModalDialogs {
public:
    QMessageBox::StandardButton ShowMessage(QWidget* owner, const MessageRequest& request) override;
    std::optional<FontChoice> ChooseFont(QWidget* owner, const FontChoice& current) override;
    std::optional<QColor> ChooseColor(QWidget* owner, const QColor& current) override;
    int RunDialog(QDialog& dialog) override;
    std::optional<QString> ChooseOpenFile(QWidget* owner, const FileDialogRequest& request) override;
    std::optional<QString> ChooseSaveFile(QWidget* owner, const FileDialogRequest& request) override;
};

}  // namespace tallyrix
