// The tray-icon component's platform: QSystemTrayIcon for the icon, QMenu for
// the pop-up menus, and the window's type for its taskbar button.
#pragma once

#include <QPointer>
#include <QSystemTrayIcon>
#include <vector>

#include "shell/TrayBackend.h"

class QWidget;

namespace tallyrix {

// Qt reports a whole click where the notification area of Windows reports
// the button going down and up; a click becomes both messages, so a click
// event and a pop-up menu on the release both work.
std::vector<TrayMouseMessage> TrayMessagesFor(QSystemTrayIcon::ActivationReason reason);

class QtTrayBackend : public TrayBackend {
public:
    // window is the one whose taskbar button EnableTaskBar switches; none
    // leaves every window as it is.
    explicit QtTrayBackend(QWidget* window = nullptr);

    bool Available() const override;
    void Add(const TrayIconData& data) override;
    void Modify(const TrayIconData& data) override;
    void Remove() override;
    void ShowTaskbarButton(bool shown) override;
    QPoint CursorPos() const override;
    void Popup(QMenu& menu, QPoint at) override;
    void Listen(std::function<void(TrayMouseMessage)> handler) override;

private:
    QSystemTrayIcon TrayIcon;
    QPointer<QWidget> Window;
};

}  // namespace tallyrix
