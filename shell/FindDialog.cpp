#include "shell/FindDialog.h"

namespace tallyrix {

TFindDialog::TFindDialog(QWidget* parent) : TSearchDialog(parent)
{
    setObjectName(QStringLiteral("FindDialog"));
    setWindowTitle(QStringLiteral("検索"));
    AddCancelButton();
}

}  // namespace tallyrix
