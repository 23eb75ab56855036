// What the tray-icon component needs of the platform: the notification area
// and pop-up menus. The program uses QSystemTrayIcon; tests record the calls.
#pragma once

#include <QIcon>
#include <QPoint>
#include <QString>
#include <functional>

class QMenu;

namespace tallyrix {

// The mouse button of a tray event, in the order of the framework's enumeration.
enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// A mouse message that happened on the tray icon.
enum class TrayMouseMessage {
    LeftDown,
    LeftUp,
    LeftDouble,
    RightDown,
    RightUp,
    RightDouble,
    MiddleDown,
    MiddleUp,
    MiddleDouble,
    Move,
};

// What the notification area shows: the icon and its tooltip.
struct TrayIconData {
    QIcon icon;
    QString tip;
};

class TrayBackend {
public:
    virtual ~TrayBackend() = default;
    // Whether the desktop has a notification area to hold the icon.
    virtual bool Available() const = 0;
    virtual void Add(const TrayIconData& data) = 0;
    virtual void Modify(const TrayIconData& data) = 0;
    virtual void Remove() = 0;
    // Whether the program's window has a button on the taskbar.
    virtual void ShowTaskbarButton(bool shown) = 0;
    virtual QPoint CursorPos() const = 0;
    virtual void Popup(QMenu& menu, QPoint at) = 0;
    // The mouse messages on the icon go to handler.
    virtual void Listen(std::function<void(TrayMouseMessage)> handler) = 0;
};

}  // namespace tallyrix
