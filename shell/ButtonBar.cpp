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
    // Shown now rather than by the layout's queued call, which would lay
    // out the whole window once for every button.
    button->show();
    return button;
}

// Linear in the number of buttons: the layout goes first, so no deletion
// searches its items, and the buttons go from the front of the bar's
// children, where each one is found at once and taken off in constant time.
void TButtonBar::RemoveButtons()
{
    const QList<QToolButton*> buttons = Buttons();
    const bool enabled = Rows->isEnabled();
    delete Rows;
    for (QToolButton* button : buttons) delete button;
    Rows = new WrapLayout(this);
    Rows->setEnabled(enabled);
}

// A disabled layout stops the walk up the window's layouts that showing a
// button starts.
void TButtonBar::BeginUpdate() { Rows->setEnabled(false); }

void TButtonBar::EndUpdate()
{
    Rows->setEnabled(true);
    Rows->invalidate();
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
