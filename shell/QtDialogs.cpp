#include "shell/QtDialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QWidget>

#include "files/CalcFileNames.h"
#include "shell/FontChoiceDialog.h"
#include "shell/QtSettingsAside.h"

namespace tallyrix {

QMessageBox::StandardButton QtDialogs::ShowMessage(QWidget* owner, const MessageRequest& request)
{
    QMessageBox box(request.icon, request.caption, request.text, request.buttons, owner);
    if (request.defaultButton != QMessageBox::NoButton) box.setDefaultButton(request.defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

std::optional<FontChoice> QtDialogs::ChooseFont(QWidget* owner, const FontChoice& current)
{
    TFontChoiceDialog dialog(current, owner);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Choice();
}

// Qt's own dialog, whose custom colours are the ones the window set from
// EditorStyle.dat; the desktop's dialog would keep its own. The dialog is
// gone before Qt's settings come back.
std::optional<QColor> QtDialogs::ChooseColor(QWidget* owner, const QColor& current)
{
    const QtSettingsAside aside;
    QColorDialog dialog(current, owner);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || !dialog.selectedColor().isValid()) return std::nullopt;
    return dialog.selectedColor();
}

namespace {

// Qt's own dialog, the same on every desktop; replacing a file is asked by
// the caller, and a name that does not exist is left for the open to report.
std::optional<QString> ChooseFile(QWidget* owner, const FileDialogRequest& request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(owner, request.title, request.directory);
    // The filters show their texts as given while the listing uses
    // patterns of its own ("*.*" must list a name without a dot too).
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite |
                      QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(QFileDialog::AnyFile);
    QStringList filters;
    for (const QString& filter : request.nameFilters)
        filters.append(ListingFilter(filter));
    dialog.setNameFilters(filters);
    // Opening adds the suffix only for a name that names no file.
    if (mode == QFileDialog::AcceptSave) dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString chosen = dialog.selectedFiles().constFirst();
    return mode == QFileDialog::AcceptOpen ? OpenedPath(chosen, request.defaultSuffix) : chosen;
}

}  // namespace

std::optional<QString> QtDialogs::ChooseOpenFile(QWidget* owner, const FileDialogRequest& request)
{
    return ChooseFile(owner, request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtDialogs::ChooseSaveFile(QWidget* owner, const FileDialogRequest& request)
{
    return ChooseFile(owner, request, QFileDialog::AcceptSave);
}

int QtDialogs::RunDialog(QDialog& dialog) { return dialog.exec(); }

}  // namespace tallyrix
