// The view presets (F5 to F9), the toolbar switches, flat buttons and
// stay-on-top. A pane is hidden by width 0; its splitter stays in place.
#include <QAction>
#include <QSplitter>

#include "app/MainForm.h"
#include "files/FormSettings.h"
#include "files/SettingsFiles.h"
#include "shell/ButtonBar.h"
#include "shell/FilePane.h"
#include "shell/ResultPane.h"
#include "shell/SplitterPanes.h"
#include "shell/ViewPresetWidths.h"

namespace tallyrix {
namespace {

// An editor squeezed to nothing leaves the side pane the whole panel.
PaneWidths CurrentPaneWidths(const TMainForm& form)
{
    const int inner = form.Panes.Splitter2->width();
    const bool editorGone = form.Panes.Splitter2->sizes().value(0) == 0;
    return PaneWidths{form.LeftPanelWidth(), editorGone ? inner : form.ReResultWidth(), inner,
                      form.Panes.Splitter2->handleWidth()};
}

}  // namespace

int TMainForm::LeftPanelWidth() const { return Panes.Splitter1->sizes().value(0); }

int TMainForm::ReResultWidth() const { return Panes.Splitter2->sizes().value(1); }

void TMainForm::SetLeftPanelWidth(int width) { SetPaneSize(Panes.Splitter1, 0, width); }

void TMainForm::SetReResultWidth(int width) { SetPaneSize(Panes.Splitter2, 1, width); }

// The panes change first; the widths to restore are then written at once,
// apart from the settings written at close (or kept until then when the
// file cannot take them).
void TMainForm::RunViewPreset(ViewPreset preset)
{
    ProfileFile profile = Ini.Read();
    const FormSettings stored = ReadFormSettings(profile);
    const PresetOutcome outcome = ApplyViewPreset(
        preset, CurrentPaneWidths(*this), StoredPaneWidths{stored.iOldLeftPanelWidth, stored.iOldreResultWidth});
    if (outcome.toolbarsShown) ShowToolbars(*outcome.toolbarsShown);
    SetLeftPanelWidth(outcome.leftPanel);
    SetReResultWidth(outcome.reResult);
    if (!outcome.storeLeftPanel && !outcome.storeReResult) return;
    WriteStoredPaneWidths(profile, outcome.storeLeftPanel, outcome.storeReResult);
    Ini.Write(profile);
    ReportIniNotice();
}

void TMainForm::OnlyExpressionClick() { RunViewPreset(ViewPreset::OnlyExpression); }

void TMainForm::FileListAndExpressionClick() { RunViewPreset(ViewPreset::FileListAndExpression); }

void TMainForm::DefaultFormClick() { RunViewPreset(ViewPreset::DefaultForm); }

void TMainForm::MostSimpleClick() { RunViewPreset(ViewPreset::MostSimple); }

void TMainForm::FullyShownClick() { RunViewPreset(ViewPreset::FullyShown); }

void TMainForm::ShowToolbars(bool shown)
{
    const std::pair<QWidget*, QAction*> switches[] = {{Panes.SpeedBar, Menu.Options.ShowSpeedBar},
                                                      {Bands.tbNumber, Menu.Options.ShowNumberToolBar},
                                                      {Bands.tbFunction, Menu.Options.ShowFunctionToolBar},
                                                      {Bands.tbRegister, Menu.Options.ShowRegisteredToolBar}};
    for (const auto& [bar, item] : switches) {
        item->setChecked(shown);
        SwitchBar(bar, item);
    }
}

// Qt has inverted the check mark already; the bar follows it.
void TMainForm::SwitchBar(QWidget* bar, QAction* item) { bar->setVisible(item->isChecked()); }

void TMainForm::ShowSpeedBarClick() { SwitchBar(Panes.SpeedBar, Menu.Options.ShowSpeedBar); }

void TMainForm::ShowNumberToolBarClick() { SwitchBar(Bands.tbNumber, Menu.Options.ShowNumberToolBar); }

void TMainForm::ShowFunctionToolBarClick() { SwitchBar(Bands.tbFunction, Menu.Options.ShowFunctionToolBar); }

void TMainForm::ShowRegisteredToolBarClick() { SwitchBar(Bands.tbRegister, Menu.Options.ShowRegisteredToolBar); }

// The speed buttons stay flat whatever the switch says.
void TMainForm::mFlatBtnClick()
{
    for (TButtonBar* bar : {Bands.tbNumber, Bands.tbFunction, Bands.tbRegister})
        bar->SetFlat(Menu.Options.mFlatBtn->isChecked());
}

// Changing the flag hides a shown window; it comes back at once, active,
// so that its shortcuts keep working.
void TMainForm::mStayOnTopClick()
{
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == Menu.Options.mStayOnTop->isChecked()) return;
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, Menu.Options.mStayOnTop->isChecked());
    if (!shown) return;
    show();
    activateWindow();
}

}  // namespace tallyrix
