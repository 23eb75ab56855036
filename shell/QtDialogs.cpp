#include "shell/QtDialogs.h"

#include <QColorDialog>
#include <QWidget>

#include "shell/FontChoiceDialog.h"

namespace tallyrix {

QMessageBox::StandardButton QtDialogs::ShowMessage(QWidget* owner, const MessageRequest& request)
{
    QMessageBox box(request.icon, request.caption, request.text, request.buttons, owner);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

std::optional<FontChoice> QtDialogs::ChooseFont(QWidget* owner, const FontChoice& current)
{
    TFontChoiceDialog dialog(current, owner);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Choice();
}

std::optional<QColor> QtDialogs::ChooseColor(QWidget* owner, const QColor& current)
{
    // Without a stored choice the dialog starts at the panes' own colour.
    const QColor start = current.isValid() ? current : owner->palette().color(QPalette::Window);
    const QColor chosen = QColorDialog::getColor(start, owner);
    if (!chosen.isValid()) return std::nullopt;
    return chosen;
}

}  // namespace tallyrix
