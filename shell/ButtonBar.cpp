#include "shell/ButtonBar.h"

#include <QToolButton>

#include "shell/Hints.h"
#include "shell/WrapLayout.h"

namespace tallyrix {

TButtonBar::TButtonBar(const QString& name, QSize buttonSize, QWidget* parent)
    : QWidget(parent), Rows(new WrapLayout(this)), ButtonSize(buttonSize)
{
    setObjectName(name);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

QToolButton* TButtonBar::AddButton(const QString& caption, const QString& hint, bool breakAfter)
{
    auto* button = new QToolButton(this);
    button->setText(caption);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    if (ButtonSize.isValid()) button->setFixedSize(ButtonSize);
    button->setAutoRaise(FlatButtons);
    button->setFocusPolicy(Qt::NoFocus);
    ApplyHint(button, hint);
    Rows->AddWidget(button, breakAfter);
    return button;
}

void TButtonBar::RemoveButtons()
{
    const QList<QToolButton*> buttons = Buttons();
    for (auto button = buttons.rbegin(); button != buttons.rend(); ++button) delete *button;
}

QList<QToolButton*> TButtonBar::Buttons() const
{
    return findChildren<QToolButton*>(QString(), Qt::FindDirectChildrenOnly);
}

void TButtonBar::SetFlat(bool flat)
{
    FlatButtons = flat;
    for (QToolButton* button : Buttons()) button->setAutoRaise(flat);
}

bool TButtonBar::Flat() const { return FlatButtons; }

}  // namespace tallyrix
