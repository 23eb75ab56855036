// The tray-icon component: the program's icon in the notification area with
// its tooltip, the mapping of mouse messages on it to events and pop-up
// menus, and the switch for the window's taskbar button.
#pragma once

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

#include "shell/TrayBackend.h"

class QMenu;

namespace tallyrix {

using TTrayEvent = std::function<void(TMouseButton Button)>;

// The tooltip as the notification area takes it: at most 63 bytes of code
// page 932, cut before a character that would not fit whole.
QString CutTrayTip(const QString& tips);

class TTaskBar : public QObject {
public:
    // The icon is not added until Loaded runs.
    TTaskBar(std::unique_ptr<TrayBackend> backend, QObject* owner = nullptr);
    ~TTaskBar() override;

    // After the owner has set the properties: adds the icon when the tray is
    // enabled and applies EnableTaskBar.
    void Loaded();

    const QIcon& Icon() const { return icon_; }
    void SetIcon(const QIcon& icon);
    bool EnableTaskBar() const { return enableTaskBar_; }
    void SetEnableTaskBar(bool value);
    bool EnableTaskTray() const { return enableTaskTray_; }
    void SetEnableTaskTray(bool value);
    const QString& Tips() const { return tips_; }
    void SetTips(const QString& value);

    // Cleared by themselves when their menu is destroyed.
    QMenu* PopupMenuLeft() const;
    QMenu* PopupMenuMiddle() const;
    QMenu* PopupMenuRight() const;
    void SetPopupMenuLeft(QMenu* menu);
    void SetPopupMenuMiddle(QMenu* menu);
    void SetPopupMenuRight(QMenu* menu);

    TTrayEvent OnTrayClick;     // a button went down on the icon
    TTrayEvent OnTrayDblClick;  // a button was double-clicked on the icon
    // Receives the text of an error raised by an event or a menu; without
    // it the error goes to the log.
    std::function<void(const QString& message)> OnError;

    // False where the desktop has no notification area, or the tray icon is
    // switched off: a window hidden then could not be brought back, so the
    // owner minimizes it instead.
    bool CanHideToTray() const;

    // One mouse message on the icon, as the notification area reports it.
    void TrayMessage(TrayMouseMessage message);

private:
    TrayIconData IconData() const;
    void Add();
    void Update();
    void Remove();
    void Dispatch(TrayMouseMessage message, QPoint cursor);
    QMenu* MenuFor(TMouseButton button) const;

    std::unique_ptr<TrayBackend> backend_;
    QIcon icon_;
    bool enableTaskBar_ = true;
    bool enableTaskTray_ = true;
    QString tips_;
    QPointer<QMenu> popupLeft_;
    QPointer<QMenu> popupMiddle_;
    QPointer<QMenu> popupRight_;
};

}  // namespace tallyrix
