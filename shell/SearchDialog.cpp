#include "shell/SearchDialog.h"

#include <QCheckBox>
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

TSearchDialog::TSearchDialog(QWidget* parent)
    : QDialog(parent),
      Rows(new QGridLayout),
      Buttons(new QVBoxLayout),
      MatchCaseBox(OptionBox(QStringLiteral("大文字と小文字を区別する(&C)"), QStringLiteral("MatchCaseBox"))),
      WholeWordBox(OptionBox(QStringLiteral("単語単位で探す(&W)"), QStringLiteral("WholeWordBox")))
{
    setModal(false);
    auto* left = new QVBoxLayout;
    left->addLayout(Rows);
    left->addWidget(WholeWordBox);
    left->addWidget(MatchCaseBox);
    left->addStretch();
    Buttons->addStretch();
    auto* whole = new QHBoxLayout(this);
    whole->addLayout(left, 1);
    whole->addLayout(Buttons);
    FindEdit = AddTextRow(QStringLiteral("検索する文字列(&N):"), QStringLiteral("FindEdit"));
    QPushButton* findNext = AddButton(QStringLiteral("次を検索(&F)"), QStringLiteral("FindNextButton"), true);
    findNext->setDefault(true);
    connect(findNext, &QPushButton::clicked, this, &TSearchDialog::Find);
}

QLineEdit* TSearchDialog::AddTextRow(const QString& label, const QString& name)
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
    if (LastEdit) setTabOrder(LastEdit, edit);
    setTabOrder(edit, WholeWordBox);
    setTabOrder(WholeWordBox, MatchCaseBox);
    LastEdit = edit;
    return edit;
}

QPushButton* TSearchDialog::AddButton(const QString& caption, const QString& name, bool needsText)
{
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    button->setAutoDefault(false);
    Buttons->insertWidget(Buttons->count() - 1, button);
    if (needsText) {
        button->setEnabled(false);
        connect(FindEdit, &QLineEdit::textChanged, button,
                [button](const QString& text) { button->setEnabled(!text.isEmpty()); });
    }
    return button;
}

void TSearchDialog::AddCancelButton()
{
    QPushButton* cancel = AddButton(QStringLiteral("キャンセル"), QStringLiteral("CancelButton"), false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString TSearchDialog::FindText() const { return FindEdit->text(); }

SearchOptions TSearchDialog::Options() const { return {MatchCaseBox->isChecked(), WholeWordBox->isChecked()}; }

void TSearchDialog::Open(const QString& findText)
{
    FindEdit->setText(findText);
    show();
    raise();
    activateWindow();
    FindEdit->selectAll();
    FindEdit->setFocus();
}

}  // namespace tallyrix
