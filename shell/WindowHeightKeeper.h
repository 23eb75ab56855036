// Keeps a window tall enough for one of its panels, whose rows wrap: the
// narrower the panel, the more rows and the taller the panel must be. The
// window's minimum height follows every change of the panel's width (the
// window resized, a splitter moved) and of the window's layout (a band shown
// or hidden), so no row is ever drawn under another.
#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace tallyrix {

class TWindowHeightKeeper : public QObject {
public:
    // needed gives the panel's least height at a width. The rest of the
    // window (menus, bars, status bar) keeps its height whatever the
    // window's height; the panel takes what changes.
    using NeededHeight = std::function<int(int width)>;
    TWindowHeightKeeper(QWidget* window, QWidget* panel, NeededHeight needed);

    // Sets the window's minimum height from the present geometry.
    void Update();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* Window;
    QWidget* Panel;
    NeededHeight Needed;
    bool Pending = false;
};

}  // namespace tallyrix
