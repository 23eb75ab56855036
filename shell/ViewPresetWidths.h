// The pane widths behind the view presets (F5 to F9), without the window:
// current widths and the two stored widths in, new widths and what to store
// out. A pane is hidden by width 0; its splitter stays.
#pragma once

#include <optional>

namespace tallyrix {

enum class ViewPreset {
    OnlyExpression,         // F7: the editor alone
    FileListAndExpression,  // F8: hide the file pane
    DefaultForm,            // F9: both panes back
    MostSimple,             // F5: no toolbars, the editor alone
    FullyShown,             // F6: every toolbar, both panes
};

struct PaneWidths {
    int leftPanel = 0;        // the file pane
    int reResult = 0;         // the side pane
    int rightPanelInner = 0;  // RightPanel less its two borders
    int splitter2 = 0;        // between the editor and the side pane
};

// iOldLeftPanelWidth and iOldreResultWidth as read (100 when absent).
struct StoredPaneWidths {
    int leftPanel = 0;
    int reResult = 0;
};

struct PresetOutcome {
    int leftPanel = 0;
    int reResult = 0;
    std::optional<int> storeLeftPanel;  // write iOldLeftPanelWidth when set
    std::optional<int> storeReResult;   // write iOldreResultWidth when set
    std::optional<bool> toolbarsShown;  // every toolbar and the speed bar; unset leaves them
};

PresetOutcome ApplyViewPreset(ViewPreset preset, const PaneWidths& current, const StoredPaneWidths& stored);

// The resize rule: the result field reaches the right end of its band.
int OutputEditWidth(int resultPanelWidth, int outputEditLeft);

}  // namespace tallyrix
