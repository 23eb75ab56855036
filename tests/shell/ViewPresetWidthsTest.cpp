// The view presets' pane widths: which panes hide, which come back at what
// width, and which widths are stored for later.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "shell/ViewPresetWidths.h"

namespace tallyrix {
namespace {

using P = ViewPreset;
constexpr std::nullopt_t none = std::nullopt;

struct PresetCase {
    std::string name;
    ViewPreset preset;
    PaneWidths current;  // left, side, inner width of the right panel, splitter
    StoredPaneWidths stored;
    PresetOutcome expected;
};

TEST(ViewPresetWidthsTest, Table)
{
    // clang-format off
    const PresetCase cases[] = {
        {"F7 hides both and stores both", P::OnlyExpression, {129, 165, 400, 3}, {100, 100}, {0, 0, 129, 165, none}},
        {"F7 twice stores nothing", P::OnlyExpression, {0, 0, 400, 3}, {129, 165}, {0, 0, none, none, none}},
        {"F7 with a side pane just narrower than the panel less the splitter", P::OnlyExpression, {129, 396, 400, 3},
         {100, 100}, {0, 0, 129, 396, none}},
        {"F7 with a side pane over the whole panel", P::OnlyExpression, {129, 397, 400, 3}, {100, 100},
         {0, 0, 129, none, none}},
        {"F8 hides the file pane only", P::FileListAndExpression, {129, 165, 400, 3}, {100, 100},
         {0, 165, 129, none, none}},
        {"F8 after F7 brings the side pane back", P::FileListAndExpression, {0, 0, 400, 3}, {129, 165},
         {0, 165, none, none, none}},
        {"F8 resets a side pane as wide as the panel", P::FileListAndExpression, {129, 400, 400, 3}, {100, 120},
         {0, 120, 129, none, none}},
        {"F9 after F7 restores both", P::DefaultForm, {0, 0, 400, 3}, {129, 165}, {129, 165, none, none, none}},
        {"F9 keeps visible panes", P::DefaultForm, {200, 150, 400, 3}, {129, 165}, {200, 150, none, none, none}},
        {"F9 keeps a side pane a pixel short of the panel", P::DefaultForm, {200, 399, 400, 3}, {129, 165},
         {200, 399, none, none, none}},
        {"F9 resets a side pane as wide as the panel", P::DefaultForm, {200, 400, 400, 3}, {129, 165},
         {200, 165, none, none, none}},
        {"F9 never gives a negative width", P::DefaultForm, {0, 0, 400, 3}, {-5, -1}, {0, 0, none, none, none}},
        {"F5 is F7 without toolbars", P::MostSimple, {129, 165, 400, 3}, {100, 100}, {0, 0, 129, 165, false}},
        {"F6 is F9 with toolbars", P::FullyShown, {0, 0, 400, 3}, {129, 165}, {129, 165, none, none, true}},
    };
    // clang-format on
    for (const PresetCase& c : cases) {
        const PresetOutcome outcome = ApplyViewPreset(c.preset, c.current, c.stored);
        EXPECT_EQ(outcome.leftPanel, c.expected.leftPanel) << c.name;
        EXPECT_EQ(outcome.reResult, c.expected.reResult) << c.name;
        EXPECT_EQ(outcome.storeLeftPanel, c.expected.storeLeftPanel) << c.name;
        EXPECT_EQ(outcome.storeReResult, c.expected.storeReResult) << c.name;
        EXPECT_EQ(outcome.toolbarsShown, c.expected.toolbarsShown) << c.name;
    }
}

// Presets one after another, with the stored widths carried between them as
// the settings file carries them.
TEST(ViewPresetWidthsTest, SequencesRestoreThePanesAsTheyWere)
{
    const struct {
        std::string name;
        std::vector<ViewPreset> presets;
        int left;
        int side;
    } cases[] = {
        {"F7 F9", {P::OnlyExpression, P::DefaultForm}, 150, 170},
        {"F7 F8 F9", {P::OnlyExpression, P::FileListAndExpression, P::DefaultForm}, 150, 170},
        {"F8 F7 F9", {P::FileListAndExpression, P::OnlyExpression, P::DefaultForm}, 150, 170},
        {"F5 F6", {P::MostSimple, P::FullyShown}, 150, 170},
        {"F8", {P::FileListAndExpression}, 0, 170},
    };
    for (const auto& c : cases) {
        PaneWidths panes{150, 170, 450, 3};
        StoredPaneWidths stored{100, 100};
        for (const ViewPreset preset : c.presets) {
            const PresetOutcome outcome = ApplyViewPreset(preset, panes, stored);
            stored.leftPanel = outcome.storeLeftPanel.value_or(stored.leftPanel);
            stored.reResult = outcome.storeReResult.value_or(stored.reResult);
            panes.leftPanel = outcome.leftPanel;
            panes.reResult = outcome.reResult;
        }
        EXPECT_EQ(panes.leftPanel, c.left) << c.name;
        EXPECT_EQ(panes.reResult, c.side) << c.name;
    }
}

TEST(ViewPresetWidthsTest, ResultFieldReachesTheEndOfItsBand)
{
    const struct {
        int band;
        int left;
        int width;
    } cases[] = {{500, 64, 436}, {64, 64, 0}, {30, 64, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(OutputEditWidth(c.band, c.left), c.width) << c.band;
}

}  // namespace
}  // namespace tallyrix
