#include "shell/QtTrayBackend.h"

#include <QCursor>
#include <QMenu>
#include <QWidget>

namespace tallyrix {

std::vector<TrayMouseMessage> TrayMessagesFor(QSystemTrayIcon::ActivationReason reason)
{
    using M = TrayMouseMessage;
    switch (reason) {
        case QSystemTrayIcon::Trigger:
            return {M::LeftDown, M::LeftUp};
        case QSystemTrayIcon::Context:
            return {M::RightDown, M::RightUp};
        case QSystemTrayIcon::MiddleClick:
            return {M::MiddleDown, M::MiddleUp};
        case QSystemTrayIcon::DoubleClick:
            return {M::LeftDouble};
        case QSystemTrayIcon::Unknown:
            break;
    }
    return {};
}

QtTrayBackend::QtTrayBackend(QWidget* window) : Window(window) {}

bool QtTrayBackend::Available() const { return QSystemTrayIcon::isSystemTrayAvailable(); }

void QtTrayBackend::Add(const TrayIconData& data)
{
    Modify(data);
    TrayIcon.show();
}

void QtTrayBackend::Modify(const TrayIconData& data)
{
    TrayIcon.setIcon(data.icon);
    TrayIcon.setToolTip(data.tip);
}

void QtTrayBackend::Remove() { TrayIcon.hide(); }

// A tool window has no taskbar button. Changing the type hides a window, so
// a visible one is shown again; and a tool window would no longer end the
// program when it is closed, so it keeps that duty.
void QtTrayBackend::ShowTaskbarButton(bool shown)
{
    if (!Window) return;
    const Qt::WindowFlags type = shown ? Qt::Window : Qt::Tool;
    const Qt::WindowFlags flags = Window->windowFlags();
    if ((flags & Qt::WindowType_Mask) == type) return;
    const bool visible = Window->isVisible();
    Window->setWindowFlags((flags & ~Qt::WindowType_Mask) | type);
    Window->setAttribute(Qt::WA_QuitOnClose, true);
    if (visible) Window->show();
}

QPoint QtTrayBackend::CursorPos() const { return QCursor::pos(); }

void QtTrayBackend::Popup(QMenu& menu, QPoint at) { menu.popup(at); }

void QtTrayBackend::Listen(std::function<void(TrayMouseMessage)> handler)
{
    QObject::connect(&TrayIcon, &QSystemTrayIcon::activated,
                     [handler = std::move(handler)](QSystemTrayIcon::ActivationReason reason) {
                         for (TrayMouseMessage message : TrayMessagesFor(reason))
                             handler(message);
                     });
}

}  // namespace tallyrix
