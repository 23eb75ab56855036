// Window geometry from the settings always lands where the user can reach it.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "shell/WindowPlacement.h"

namespace tallyrix {
namespace {

TEST(WindowPlacementTest, Table)
{
    const std::vector<ScreenRect> one = {{0, 0, 1920, 1080}};
    const std::vector<ScreenRect> two = {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
    const std::vector<ScreenRect> leftOfPrimary = {{0, 0, 1920, 1080}, {-1280, 56, 1280, 1024}};
    const struct {
        std::string name;
        ScreenRect wanted;
        std::vector<ScreenRect> screens;
        ScreenRect placed;
    } cases[] = {
        {"design geometry", {1, 0, 582, 466}, one, {1, 0, 582, 466}},
        {"whole screen", {0, 0, 1920, 1080}, one, {0, 0, 1920, 1080}},
        {"far away", {-5000, -5000, 582, 466}, one, {0, 0, 582, 466}},
        {"over the right edge", {1800, 100, 582, 466}, one, {1338, 100, 582, 466}},
        {"below the bottom", {100, 1000, 582, 466}, one, {100, 614, 582, 466}},
        {"larger than the screen", {-10, -10, 3000, 2000}, one, {0, 0, 1920, 1080}},
        {"no size", {10, 10, 0, -4}, one, {10, 10, 200, 150}},
        {"edges at the end of int", {INT_MAX, INT_MAX, INT_MAX, INT_MAX}, one, {0, 0, 1920, 1080}},
        {"across two screens", {1700, 100, 582, 466}, two, {1700, 100, 582, 466}},
        {"on the second screen", {2000, 100, 582, 466}, two, {2000, 100, 582, 466}},
        {"below the shorter second screen", {2000, 900, 582, 466}, two, {2000, 558, 582, 466}},
        {"second screen unplugged", {2500, 100, 582, 466}, one, {1338, 100, 582, 466}},
        {"screen left of the primary", {-1000, 100, 582, 466}, leftOfPrimary, {-1000, 100, 582, 466}},
        {"above the left screen", {-1000, 0, 582, 466}, leftOfPrimary, {-1000, 56, 582, 466}},
        {"no screens", {-5000, 3, 1, 2}, {}, {-5000, 3, 1, 2}},
        {"only empty screens", {-5000, 3, 1, 2}, {{0, 0, 0, 0}}, {-5000, 3, 1, 2}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlaceOnScreens(c.wanted, c.screens, 200, 150), c.placed) << c.name;
}

}  // namespace
}  // namespace tallyrix
