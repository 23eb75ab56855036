// Every modal box and dialog of the main window goes through this interface,
// so tests answer them without a person.
#pragma once

#include <QColor>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <optional>

#include "document/FontChoice.h"

class QDialog;
class QWidget;

namespace tallyrix {

struct MessageRequest {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString caption;
    QString text;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    // The button Enter presses; NoButton leaves the choice to the box.
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// The open and save file dialogs: the first name filter is preselected; a
// name typed without an extension gets defaultSuffix.
struct FileDialogRequest {
    QString title;
    QString directory;
    QString fileName;  // proposed name, without a directory
    QStringList nameFilters;
    QString defaultSuffix;
};

class ModalDialogs {
public:
    virtual ~ModalDialogs() = default;
    virtual QMessageBox::StandardButton ShowMessage(QWidget* owner, const MessageRequest& request) = 0;
    // Empty when the user cancels.
    virtual std::optional<FontChoice> ChooseFont(QWidget* owner, const FontChoice& current) = 0;
    virtual std::optional<QColor> ChooseColor(QWidget* owner, const QColor& current) = 0;
    // Runs a dialog of the program modally; returns its result
    // (QDialog::Accepted or QDialog::Rejected).
    virtual int RunDialog(QDialog& dialog) = 0;
    // The chosen path, empty when the user cancels. The save dialog does not
    // ask about replacing a file; the caller does.
    virtual std::optional<QString> ChooseOpenFile(QWidget* owner, const FileDialogRequest& request) = 0;
    virtual std::optional<QString> ChooseSaveFile(QWidget* owner, const FileDialogRequest& request) = 0;
};

}  // namespace tallyrix
