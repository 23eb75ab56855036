#include "shell/FindDialog.h"

#include <QPushButton>

namespace tallyrix {

TFindDialog::TFindDialog(QWidget* parent) : QDialog(parent), Fields(*this)
{
    setObjectName(QStringLiteral("FindDialog"));
    setWindowTitle(QStringLiteral("検索"));
    QPushButton* findNext = Fields.AddButton(QStringLiteral("次を検索(&F)"), QStringLiteral("FindNextButton"), true);
    findNext->setDefault(true);
    connect(findNext, &QPushButton::clicked, this, &TFindDialog::Find);
    Fields.AddCancelButton();
}

void TFindDialog::Open(const QString& findText)
{
    Fields.Present(findText);
}

QString TFindDialog::FindText() const
{
    return Fields.FindText();
}

SearchOptions TFindDialog::Options() const
{
    return Fields.Options();
}

}  // namespace tallyrix
