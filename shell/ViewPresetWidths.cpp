#include "shell/ViewPresetWidths.h"

#include <algorithm>

namespace tallyrix {
namespace {

// A side pane dragged over the whole right panel counts as hidden.
bool SidePaneHidden(const PaneWidths& current)
{
    return current.reResult == 0 || current.reResult >= current.rightPanelInner;
}

// A stored width edited below zero would not show the pane either way.
int Restored(int storedWidth) { return std::max(storedWidth, 0); }

PresetOutcome OnlyExpression(const PaneWidths& current)
{
    PresetOutcome outcome;
    if (current.leftPanel > 0) outcome.storeLeftPanel = current.leftPanel;
    if (current.reResult > 0 && current.reResult < current.rightPanelInner - current.splitter2)
        outcome.storeReResult = current.reResult;
    return outcome;
}

PresetOutcome FileListAndExpression(const PaneWidths& current, const StoredPaneWidths& stored)
{
    PresetOutcome outcome;
    if (current.leftPanel > 0) outcome.storeLeftPanel = current.leftPanel;
    outcome.reResult = SidePaneHidden(current) ? Restored(stored.reResult) : current.reResult;
    return outcome;
}

PresetOutcome DefaultForm(const PaneWidths& current, const StoredPaneWidths& stored)
{
    PresetOutcome outcome;
    outcome.leftPanel = current.leftPanel == 0 ? Restored(stored.leftPanel) : current.leftPanel;
    outcome.reResult = SidePaneHidden(current) ? Restored(stored.reResult) : current.reResult;
    return outcome;
}

}  // namespace

PresetOutcome ApplyViewPreset(ViewPreset preset, const PaneWidths& current, const StoredPaneWidths& stored)
{
    PresetOutcome outcome;
    switch (preset) {
        case ViewPreset::OnlyExpression:
            return OnlyExpression(current);
        case ViewPreset::FileListAndExpression:
            return FileListAndExpression(current, stored);
        case ViewPreset::DefaultForm:
            return DefaultForm(current, stored);
        case ViewPreset::MostSimple:
            outcome = OnlyExpression(current);
            outcome.toolbarsShown = false;
            return outcome;
        case ViewPreset::FullyShown:
            outcome = DefaultForm(current, stored);
            outcome.toolbarsShown = true;
            return outcome;
    }
    return outcome;
}

int OutputEditWidth(int resultPanelWidth, int outputEditLeft) { return std::max(resultPanelWidth - outputEditLeft, 0); }

}  // namespace tallyrix
