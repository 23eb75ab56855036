#include "shell/ReplaceDialog.h"

#include <QLineEdit>
#include <QPushButton>

namespace tallyrix {

TReplaceDialog::TReplaceDialog(QWidget* parent) : TSearchDialog(parent)
{
    setObjectName(QStringLiteral("ReplaceDialog"));
    setWindowTitle(QStringLiteral("置換"));
    ReplaceEdit = AddTextRow(QStringLiteral("置換後の文字列(&P):"), QStringLiteral("ReplaceEdit"));
    AddReplaceButton(QStringLiteral("置換して次に(&R)"), QStringLiteral("ReplaceButton"), false);
    AddReplaceButton(QStringLiteral("すべて置換(&A)"), QStringLiteral("ReplaceAllButton"), true);
    AddCancelButton();
}

void TReplaceDialog::AddReplaceButton(const QString& caption, const QString& name, bool all)
{
    QPushButton* button = AddButton(caption, name, true);
    connect(button, &QPushButton::clicked, this, [this, all] {
        ReplaceAllPressed = all;
        emit Replace();
    });
}

QString TReplaceDialog::ReplaceText() const { return ReplaceEdit->text(); }

ReplaceRequest TReplaceDialog::Request() const { return {FindText(), ReplaceText(), Options(), ReplaceAllPressed}; }

}  // namespace tallyrix
