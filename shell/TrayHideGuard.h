// Keeps a window hidden to the tray reachable: while it is hidden, looks now
// and then whether the notification area is still there, and when it has
// gone (the panel was closed or crashed), asks once for the window back.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

class QWidget;

namespace tallyrix {

class TTaskBar;

class TTrayHideGuard : public QObject {
public:
    // onLost runs when the area has gone while window is hidden; window owns
    // the guard.
    TTrayHideGuard(const TTaskBar& taskBar, QWidget& window, std::function<void()> onLost, int intervalMs = 1000);

    // Starts watching; the watch ends by itself once the window is shown.
    void Watch();

private:
    void Check();

    const TTaskBar& TaskBar;
    QWidget& Window;
    std::function<void()> OnLost;
    QTimer Timer;
};

}  // namespace tallyrix
