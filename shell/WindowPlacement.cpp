#include "shell/WindowPlacement.h"

#include <algorithm>
#include <cstdint>

namespace tallyrix {
namespace {

// Edges in 64 bits: a settings file may hold any int in each of them.
struct Box {
    std::int64_t left, top, right, bottom;  // right and bottom exclusive
};

Box ToBox(const ScreenRect& rect)
{
    return {rect.left, rect.top, std::int64_t{rect.left} + rect.width, std::int64_t{rect.top} + rect.height};
}

bool Contains(const Box& box, std::int64_t x, std::int64_t y)
{
    return x >= box.left && x < box.right && y >= box.top && y < box.bottom;
}

std::int64_t OverlapArea(const Box& a, const Box& b)
{
    const std::int64_t width = std::min(a.right, b.right) - std::max(a.left, b.left);
    const std::int64_t height = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

bool CornersOnScreens(const Box& window, const std::vector<Box>& screens)
{
    const std::int64_t xs[] = {window.left, window.right - 1};
    const std::int64_t ys[] = {window.top, window.bottom - 1};
    for (const std::int64_t x : xs)
        for (const std::int64_t y : ys)
            if (std::none_of(screens.begin(), screens.end(), [&](const Box& s) { return Contains(s, x, y); }))
                return false;
    return true;
}

const Box& MostOverlapped(const Box& window, const std::vector<Box>& screens)
{
    const Box* best = &screens.front();
    std::int64_t bestArea = 0;
    for (const Box& screen : screens) {
        if (const std::int64_t area = OverlapArea(window, screen); area > bestArea) {
            best = &screen;
            bestArea = area;
        }
    }
    return *best;
}

}  // namespace

ScreenRect PlaceOnScreens(const ScreenRect& wanted, const std::vector<ScreenRect>& screens, int minWidth, int minHeight)
{
    std::vector<Box> boxes;
    for (const ScreenRect& screen : screens)
        if (screen.width > 0 && screen.height > 0) boxes.push_back(ToBox(screen));
    if (boxes.empty()) return wanted;

    ScreenRect sized = wanted;
    sized.width = std::max(wanted.width, minWidth);
    sized.height = std::max(wanted.height, minHeight);
    const Box window = ToBox(sized);
    if (CornersOnScreens(window, boxes)) return sized;

    const Box& screen = MostOverlapped(window, boxes);
    const std::int64_t width = std::min<std::int64_t>(sized.width, screen.right - screen.left);
    const std::int64_t height = std::min<std::int64_t>(sized.height, screen.bottom - screen.top);
    const std::int64_t left = std::clamp<std::int64_t>(window.left, screen.left, screen.right - width);
    const std::int64_t top = std::clamp<std::int64_t>(window.top, screen.top, screen.bottom - height);
    return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(width), static_cast<int>(height)};
}

}  // namespace tallyrix
