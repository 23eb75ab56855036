// A notification area that records the calls the tray-icon component makes
// and lets a test send mouse messages on the icon.
#pragma once

#include <QIcon>
#include <QMenu>
#include <QStringList>
#include <functional>

#include "shell/TrayBackend.h"

namespace tallyrix {

struct TrayLog {
    QStringList calls;
    QIcon lastIcon;
    bool available = true;
    std::function<void(TrayMouseMessage)> handler;
};

class RecordingTray : public TrayBackend {
public:
    explicit RecordingTray(TrayLog& log) : log_(log) {}
    bool Available() const override { return log_.available; }
    void Add(const TrayIconData& data) override { Record("Add", data); }
    void Modify(const TrayIconData& data) override { Record("Modify", data); }
    void Remove() override { log_.calls << "Remove"; }
    void ShowTaskbarButton(bool shown) override { log_.calls << QString("TaskbarButton %1").arg(shown); }
    QPoint CursorPos() const override { return {40, 7}; }
    void Popup(QMenu& menu, QPoint at) override
    {
        log_.calls << QString("Popup %1 %2,%3").arg(menu.objectName()).arg(at.x()).arg(at.y());
    }
    void Listen(std::function<void(TrayMouseMessage)> handler) override { log_.handler = std::move(handler); }

private:
    void Record(const char* call, const TrayIconData& data)
    {
        log_.calls << QString("%1 %2").arg(call, data.tip);
        log_.lastIcon = data.icon;
    }
    TrayLog& log_;
};

}  // namespace tallyrix
