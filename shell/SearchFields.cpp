#include "shell/SearchFields.h"

#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tallyrix {
namespace {

QCheckBox* OptionBox(const QString& caption, const QString& name)
{
    auto* box = new QCheckBox(caption);
    box->setObjectName(name);
    return box;
}

}  // namespace

SearchFields::SearchFields(QDialog& dialog)
    : Dialog(dialog), Rows(new QGridLayout), Buttons(new QVBoxLayout),
      MatchCaseBox(OptionBox(QStringLiteral("大文字と小文字を区別する(&C)"), QStringLiteral("MatchCaseBox"))),
      WholeWordBox(OptionBox(QStringLiteral("単語単位で探す(&W)"), QStringLiteral("WholeWordBox")))
{
    Dialog.setModal(false);
    auto* left = new QVBoxLayout;
    left->addLayout(Rows);
    left->addWidget(WholeWordBox);
    left->addWidget(MatchCaseBox);
    left->addStretch();
    Buttons->addStretch();
    auto* whole = new QHBoxLayout(&Dialog);
    whole->addLayout(left, 1);
    whole->addLayout(Buttons);
    FindEdit = AddTextRow(QStringLiteral("検索する文字列(&N):"), QStringLiteral("FindEdit"));
}

QLineEdit* SearchFields::AddTextRow(const QString& label, const QString& name)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    edit->setMinimumWidth(200);
    auto* caption = new QLabel(label);
    caption->setBuddy(edit);
    const int row = Rows->rowCount();
    Rows->addWidget(caption, row, 0);
    Rows->addWidget(edit, row, 1);
    // Tab runs through the text rows first, then the options.
    if (LastEdit) QWidget::setTabOrder(LastEdit, edit);
    QWidget::setTabOrder(edit, WholeWordBox);
    QWidget::setTabOrder(WholeWordBox, MatchCaseBox);
    LastEdit = edit;
    return edit;
}

QPushButton* SearchFields::AddButton(const QString& caption, const QString& name, bool needsText)
{
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    button->setAutoDefault(false);
    Buttons->insertWidget(Buttons->count() - 1, button);
    if (needsText) {
        button->setEnabled(false);
        QObject::connect(FindEdit, &QLineEdit::textChanged, button,
                         [button](const QString& text) { button->setEnabled(!text.isEmpty()); });
    }
    return button;
}

void SearchFields::AddCancelButton()
{
    QPushButton* cancel = AddButton(QStringLiteral("キャンセル"), QStringLiteral("CancelButton"), false);
    QObject::connect(cancel, &QPushButton::clicked, &Dialog, &QDialog::reject);
}

QString SearchFields::FindText() const
{
    return FindEdit->text();
}

SearchOptions SearchFields::Options() const
{
    return {MatchCaseBox->isChecked(), WholeWordBox->isChecked()};
}

void SearchFields::Present(const QString& findText)
{
    FindEdit->setText(findText);
    Dialog.show();
    Dialog.raise();
    Dialog.activateWindow();
    FindEdit->selectAll();
    FindEdit->setFocus();
}

}  // namespace tallyrix
