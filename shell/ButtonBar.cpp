#include "shell/ButtonBar.h"

#include <QEvent>
#include <QLayoutItem>
#include <QStyle>
#include <QStyleOptionToolButton>
#include <QToolButton>

#include "shell/EntryMenu.h"
#include "shell/Hints.h"
#include "shell/WrapLayout.h"

namespace tallyrix {
namespace {

// Entries made into buttons at once: every button of a bar of ordinary
// size exists from the start; only beyond these does a button wait until
// it is needed. Each made button costs its share of every later layout and
// paint, so 65,000 of them froze the window.
constexpr int ButtonsMadeAtOnce = 256;

void SetUpButton(QToolButton* button, bool flat)
{
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setAutoRaise(flat);
    button->setFocusPolicy(Qt::NoFocus);
}

// The caption as the button reads: "&&" shows one '&', a lone '&' marks
// the mnemonic and is not shown.
QString PlainCaption(const QString& caption)
{
    QString plain;
    for (qsizetype at = 0; at < caption.size(); ++at) {
        if (caption[at] == u'&' && ++at == caption.size()) break;
        plain += caption[at];
    }
    return plain;
}

}  // namespace

// Measures captions as QToolButton::sizeHint would, without a button each.
class MeasuringButton : public QToolButton {
public:
    explicit MeasuringButton(QWidget* parent) : QToolButton(parent) { hide(); }
    QSize CaptionSize(const QString& caption)
    {
        ensurePolished();
        QStyleOptionToolButton option;
        initStyleOption(&option);
        const QFontMetrics metrics = fontMetrics();
        QSize text = metrics.size(Qt::TextShowMnemonic, caption);
        text.setWidth(text.width() + metrics.horizontalAdvance(u' ') * 2);
        option.rect.setSize(text);
        return style()->sizeFromContents(QStyle::CT_ToolButton, &option, text, this);
    }
};

// An entry's place in the rows; its button is made when the place is in view.
class EntryItem : public QLayoutItem {
public:
    EntryItem(TButtonBar& bar, int index) : Bar(bar), Index(index) {}
    QSize sizeHint() const override { return Bar.EntrySize(Index); }
    QSize minimumSize() const override { return sizeHint(); }
    QSize maximumSize() const override { return sizeHint(); }
    Qt::Orientations expandingDirections() const override { return {}; }
    bool isEmpty() const override { return false; }
    QRect geometry() const override { return Place; }
    void setGeometry(const QRect& place) override
    {
        Place = place;
        Bar.PlaceEntry(Index, place);
    }
    QWidget* widget() const override { return Bar.Made.value(Index); }

private:
    TButtonBar& Bar;
    int Index;
    QRect Place;
};

TButtonBar::TButtonBar(const QString& name, QSize buttonSize, QWidget* parent)
    : QWidget(parent), Rows(new WrapLayout(this)), ButtonSize(buttonSize)
{
    setObjectName(name);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

QToolButton* TButtonBar::NewButton(const QString& caption, const QString& hint)
{
    auto* button = new QToolButton(this);
    Label(button, caption, hint);
    SetUpButton(button, FlatButtons);
    if (ButtonSize.isValid()) button->setFixedSize(ButtonSize);
    return button;
}

void TButtonBar::Label(QToolButton* button, const QString& caption, const QString& hint) const
{
    const QString shown = ShownCaption(caption);
    button->setText(shown);
    ApplyHint(button, hint);
    if (shown == caption) return;
    const QString tip = button->toolTip();
    button->setToolTip(tip.isEmpty() ? PlainCaption(caption) : PlainCaption(caption) + u'\n' + tip);
}

QString TButtonBar::ShownCaption(const QString& caption) const
{
    if (CaptionWidthLimit <= 0) return caption;
    return fontMetrics().elidedText(caption, Qt::ElideRight, CaptionWidthLimit, Qt::TextShowMnemonic);
}

QToolButton* TButtonBar::AddButton(const QString& caption, const QString& hint, bool breakAfter)
{
    QToolButton* button = NewButton(caption, hint);
    Rows->AddWidget(button, breakAfter);
    Made.append(button);
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
    for (QToolButton* button : buttons)
        delete button;
    Made.clear();
    Entries.clear();
    Sizes.clear();
    Rows = new WrapLayout(this);
    Rows->setEnabled(enabled);
    if (Overflow) {
        Overflow->hide();
        Rows->SetOverflowButton(Overflow);
    }
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
    QList<QToolButton*> buttons;
    for (QToolButton* button : Made) {
        if (button) buttons.append(button);
    }
    return buttons;
}

void TButtonBar::SetFlat(bool flat)
{
    FlatButtons = flat;
    for (QToolButton* button : Buttons())
        button->setAutoRaise(flat);
    if (Overflow) Overflow->setAutoRaise(flat);
}

bool TButtonBar::Flat() const { return FlatButtons; }

void TButtonBar::SetCaptionWidthLimit(int pixels) { CaptionWidthLimit = pixels; }

void TButtonBar::SetEntries(QList<BarEntry> entries, ButtonMaker makeButton)
{
    BeginUpdate();
    RemoveButtons();
    CreateOverflowButton();
    Entries = std::move(entries);
    MakeButton = std::move(makeButton);
    Made = QList<QToolButton*>(Entries.size(), nullptr);
    MeasureEntries();
    for (int index = 0; index < Entries.size(); ++index) {
        Rows->addItem(new EntryItem(*this, index));
        if (index < ButtonsMadeAtOnce) EntryButton(index)->show();
    }
    EndUpdate();
}

int TButtonBar::EntryCount() const { return static_cast<int>(Entries.size()); }

QToolButton* TButtonBar::EntryButton(int index)
{
    if (QToolButton* made = Made.at(index)) return made;
    QToolButton* button = NewButton(Entries.at(index).caption, Entries.at(index).hint);
    button->hide();
    Made[index] = button;
    if (MakeButton) MakeButton(button, index);
    return button;
}

int TButtonBar::FirstHiddenEntry() const { return Entries.isEmpty() ? 0 : Rows->ShownCount(); }

QToolButton* TButtonBar::OverflowButton() const { return Overflow; }

QSize TButtonBar::EntrySize(int index) const { return Sizes.at(static_cast<std::size_t>(index)); }

void TButtonBar::PlaceEntry(int index, const QRect& place)
{
    if (place.isNull()) {
        if (QToolButton* made = Made.at(index)) made->hide();
        return;
    }
    QToolButton* button = EntryButton(index);
    button->setGeometry(place);
    button->show();
}

void TButtonBar::MeasureEntries()
{
    if (!Measure) Measure = new MeasuringButton(this);
    SetUpButton(Measure, FlatButtons);
    Sizes.clear();
    Sizes.reserve(static_cast<std::size_t>(Entries.size()));
    for (const BarEntry& entry : Entries)
        Sizes.push_back(Measure->CaptionSize(ShownCaption(entry.caption)));
}

void TButtonBar::CreateOverflowButton()
{
    if (Overflow) return;
    Overflow = new QToolButton(this);
    Overflow->setObjectName(objectName() + QStringLiteral("Overflow"));
    Overflow->setText(QStringLiteral("»"));
    SetUpButton(Overflow, FlatButtons);
    Overflow->setPopupMode(QToolButton::InstantPopup);
    OverflowMenu = new EntryMenu(
        *this,
        [this] {
            return std::pair{FirstHiddenEntry(), EntryCount()};
        },
        Overflow);
    Overflow->setMenu(OverflowMenu);
    Overflow->hide();
    Rows->SetOverflowButton(Overflow);
}

// Another font or style gives the captions other sizes.
void TButtonBar::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if ((event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) && !Entries.isEmpty()) {
        MeasureEntries();
        for (int index = 0; index < Made.size(); ++index) {
            if (QToolButton* made = Made.at(index)) Label(made, Entries.at(index).caption, Entries.at(index).hint);
        }
        Rows->invalidate();
    }
}

}  // namespace tallyrix
