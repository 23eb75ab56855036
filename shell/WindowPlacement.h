// Window geometry read from the settings, brought onto a screen that exists
// now: a monitor may have been unplugged, or the file edited, since it was
// saved.
#pragma once

#include <vector>

namespace tallyrix {

struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// The window as wanted when each of its corners lies on some screen (it may
// span several). Otherwise it moves onto the screen it overlaps most, or the
// first screen when it overlaps none, shrunk to fit and moved as little as
// possible. A size below the minimum is raised to it first. Without screens
// the wanted rectangle is returned.
ScreenRect PlaceOnScreens(const ScreenRect& wanted, const std::vector<ScreenRect>& screens, int minWidth,
                          int minHeight);

}  // namespace tallyrix
