// The real dialogs: Qt message boxes, the font dialog and the colour dialog.
#pragma once

#include "shell/Dialogs.h"

namespace tallyrix {

class QtDialogs : public ModalDialogs {
public:
    QMessageBox::StandardButton ShowMessage(QWidget* owner, const MessageRequest& request) override;
    std::optional<FontChoice> ChooseFont(QWidget* owner, const FontChoice& current) override;
    std::optional<QColor> ChooseColor(QWidget* owner, const QColor& current) override;
};

}  // namespace tallyrix
