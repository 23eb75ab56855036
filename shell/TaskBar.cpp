#include "shell/TaskBar.h"

#include <QGuiApplication>
#include <QMenu>
#include <exception>

#include "files/TextCodec.h"

namespace tallyrix {
namespace {

// The notification area holds 63 bytes of tooltip and a terminating NUL.
constexpr std::size_t TipBytes = 63;

enum class MessageKind { Down, Up, Double, Other };

struct MessageMeaning {
    MessageKind kind;
    TMouseButton button;
};

MessageMeaning Meaning(TrayMouseMessage message)
{
    using M = TrayMouseMessage;
    using B = TMouseButton;
    switch (message) {
        case M::LeftDown:
            return {MessageKind::Down, B::mbLeft};
        case M::LeftUp:
            return {MessageKind::Up, B::mbLeft};
        case M::LeftDouble:
            return {MessageKind::Double, B::mbLeft};
        case M::RightDown:
            return {MessageKind::Down, B::mbRight};
        case M::RightUp:
            return {MessageKind::Up, B::mbRight};
        case M::RightDouble:
            return {MessageKind::Double, B::mbRight};
        case M::MiddleDown:
            return {MessageKind::Down, B::mbMiddle};
        case M::MiddleUp:
            return {MessageKind::Up, B::mbMiddle};
        case M::MiddleDouble:
            return {MessageKind::Double, B::mbMiddle};
        case M::Move:
            break;
    }
    return {MessageKind::Other, B::mbLeft};
}

// Length in UTF-16 units of the character starting at pos.
int CharacterLength(const QString& text, int pos)
{
    const bool pair = text.at(pos).isHighSurrogate() && pos + 1 < text.size() && text.at(pos + 1).isLowSurrogate();
    return pair ? 2 : 1;
}

}  // namespace

QString CutTrayTip(const QString& tips)
{
    int end = 0;
    while (end < tips.size()) {
        const int next = end + CharacterLength(tips, end);
        if (Cp932Length(tips.left(next).toStdString()) > TipBytes) break;
        end = next;
    }
    return tips.left(end);
}

TTaskBar::TTaskBar(std::unique_ptr<TrayBackend> backend, QObject* owner) : QObject(owner), backend_(std::move(backend))
{
    backend_->Listen([this](TrayMouseMessage message) { TrayMessage(message); });
}

TTaskBar::~TTaskBar() { Remove(); }

void TTaskBar::Loaded()
{
    if (enableTaskTray_) Add();
    SetEnableTaskBar(enableTaskBar_);
}

void TTaskBar::SetIcon(const QIcon& icon)
{
    icon_ = icon;
    Update();
}

void TTaskBar::SetEnableTaskBar(bool value)
{
    enableTaskBar_ = value;
    backend_->ShowTaskbarButton(value);
}

void TTaskBar::SetEnableTaskTray(bool value)
{
    enableTaskTray_ = value;
    if (value)
        Add();
    else
        Remove();
}

void TTaskBar::SetTips(const QString& value)
{
    tips_ = value;
    Update();
}

QMenu* TTaskBar::PopupMenuLeft() const { return popupLeft_; }

QMenu* TTaskBar::PopupMenuMiddle() const { return popupMiddle_; }

QMenu* TTaskBar::PopupMenuRight() const { return popupRight_; }

void TTaskBar::SetPopupMenuLeft(QMenu* menu) { popupLeft_ = menu; }

void TTaskBar::SetPopupMenuMiddle(QMenu* menu) { popupMiddle_ = menu; }

void TTaskBar::SetPopupMenuRight(QMenu* menu) { popupRight_ = menu; }

QMenu* TTaskBar::MenuFor(TMouseButton button) const
{
    switch (button) {
        case TMouseButton::mbLeft:
            return popupLeft_;
        case TMouseButton::mbRight:
            return popupRight_;
        case TMouseButton::mbMiddle:
            return popupMiddle_;
    }
    return nullptr;
}

bool TTaskBar::CanHideToTray() const { return enableTaskTray_ && backend_->Available(); }

TrayIconData TTaskBar::IconData() const
{
    return {icon_.isNull() ? QGuiApplication::windowIcon() : icon_, CutTrayTip(tips_)};
}

void TTaskBar::Add() { backend_->Add(IconData()); }

// A change while the tray icon is off is only stored; it shows when the
// icon is next added.
void TTaskBar::Update()
{
    if (enableTaskTray_) backend_->Modify(IconData());
}

void TTaskBar::Remove() { backend_->Remove(); }

void TTaskBar::TrayMessage(TrayMouseMessage message)
{
    const QPoint cursor = backend_->CursorPos();
    try {
        Dispatch(message, cursor);
    } catch (const std::exception& error) {
        const QString text = QString::fromUtf8(error.what());
        if (OnError)
            OnError(text);
        else
            qWarning("%s", qUtf8Printable(text));
    }
}

void TTaskBar::Dispatch(TrayMouseMessage message, QPoint cursor)
{
    const MessageMeaning meaning = Meaning(message);
    if (meaning.kind == MessageKind::Double && OnTrayDblClick) OnTrayDblClick(meaning.button);
    if (meaning.kind == MessageKind::Down && OnTrayClick) OnTrayClick(meaning.button);
    if (meaning.kind != MessageKind::Up) return;
    if (QMenu* menu = MenuFor(meaning.button)) backend_->Popup(*menu, cursor);
}

}  // namespace tallyrix
