// Every modal box and dialog of the main window goes through this interface,
// so tests answer them without a person.
#pragma once

#include <QColor>
#include <QMessageBox>
#include <QString>
#include <optional>

#include "document/FontChoice.h"

class QWidget;

namespace tallyrix {

struct MessageRequest {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString caption;
    QString text;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
};

class ModalDialogs {
public:
    virtual ~ModalDialogs() = default;
    virtual QMessageBox::StandardButton ShowMessage(QWidget* owner, const MessageRequest& request) = 0;
    // Empty when the user cancels.
    virtual std::optional<FontChoice> ChooseFont(QWidget* owner, const FontChoice& current) = 0;
    virtual std::optional<QColor> ChooseColor(QWidget* owner, const QColor& current) = 0;
};

}  // namespace tallyrix
