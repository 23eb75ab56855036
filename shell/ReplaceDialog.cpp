#include "shell/ReplaceDialog.h"

#include <QLineEdit>
#include <QPushButton>

namespace tallyrix {

TReplaceDialog::TReplaceDialog(QWidget* parent) : QDialog(parent), Fields(*this)
{
    setObjectName(QStringLiteral("ReplaceDialog"));
    setWindowTitle(QStringLiteral("置換"));
    ReplaceEdit = Fields.AddTextRow(QStringLiteral("置換後の文字列(&P):"), QStringLiteral("ReplaceEdit"));
    QPushButton* findNext = Fields.AddButton(QStringLiteral("次を検索(&F)"), QStringLiteral("FindNextButton"), true);
    findNext->setDefault(true);
    connect(findNext, &QPushButton::clicked, this, &TReplaceDialog::Find);
    QPushButton* replace = Fields.AddButton(QStringLiteral("置換して次に(&R)"), QStringLiteral("ReplaceButton"), true);
    connect(replace, &QPushButton::clicked, this, [this] { EmitReplace(false); });
    QPushButton* all = Fields.AddButton(QStringLiteral("すべて置換(&A)"), QStringLiteral("ReplaceAllButton"), true);
    connect(all, &QPushButton::clicked, this, [this] { EmitReplace(true); });
    Fields.AddCancelButton();
}

void TReplaceDialog::Open(const QString& findText)
{
    Fields.Present(findText);
}

QString TReplaceDialog::FindText() const
{
    return Fields.FindText();
}

QString TReplaceDialog::ReplaceText() const
{
    return ReplaceEdit->text();
}

SearchOptions TReplaceDialog::Options() const
{
    return Fields.Options();
}

ReplaceRequest TReplaceDialog::Request() const
{
    return {FindText(), ReplaceText(), Options(), ReplaceAllPressed};
}

void TReplaceDialog::EmitReplace(bool all)
{
    ReplaceAllPressed = all;
    emit Replace();
}

}  // namespace tallyrix
