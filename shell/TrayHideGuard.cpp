#include "shell/TrayHideGuard.h"

#include <QWidget>

#include "shell/TaskBar.h"

namespace tallyrix {

TTrayHideGuard::TTrayHideGuard(const TTaskBar& taskBar, QWidget& window, std::function<void()> onLost, int intervalMs)
    : QObject(&window), TaskBar(taskBar), Window(window), OnLost(std::move(onLost))
{
    Timer.setInterval(intervalMs);
    connect(&Timer, &QTimer::timeout, this, [this] { Check(); });
}

void TTrayHideGuard::Watch() { Timer.start(); }

void TTrayHideGuard::Check()
{
    if (Window.isVisible()) {
        Timer.stop();
    } else if (!TaskBar.CanHideToTray()) {
        Timer.stop();
        OnLost();
    }
}

}  // namespace tallyrix
