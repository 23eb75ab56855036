// The tray icon of the window and hiding the window to it. Where the desktop
// has no notification area, or it goes away while the window is hidden, the
// window is minimized to its taskbar button instead, so it stays reachable.
#include "app/MainForm.h"
#include "shell/ProgramIcon.h"
#include "shell/QtTrayBackend.h"
#include "shell/TaskBar.h"
#include "shell/TrayHideGuard.h"

namespace tallyrix {

void TMainForm::CreateTaskBar(const TrayBackendFactory& tray)
{
    setWindowIcon(ProgramIcon());
    TaskBar1 = new TTaskBar(tray ? tray(this) : std::make_unique<QtTrayBackend>(this), this);
    TaskBar1->SetIcon(windowIcon());
    TaskBar1->SetTips(QStringLiteral("Tallyrix"));
    TaskBar1->SetEnableTaskBar(!TaskBar1->CanHideToTray());
    TaskBar1->OnTrayClick = [this](TMouseButton button) { TaskBar1TrayClick(button); };
    TaskBar1->OnError = [this](const QString& message) { ShowStandardError(message); };
    TaskBar1->Loaded();
    TrayGuard = new TTrayHideGuard(*TaskBar1, *this, [this] { RunHandler([this] { MinimizeToTaskbar(); }); });
}

// Showing a hidden window runs FormShow: it recalculates and focuses the editor.
void TMainForm::TaskBar1TrayClick(TMouseButton Button)
{
    if (Button != TMouseButton::mbLeft) return;
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void TMainForm::mHide1Click()
{
    if (!TaskBar1->CanHideToTray()) return MinimizeToTaskbar();
    hide();
    TrayGuard->Watch();
}

void TMainForm::MinimizeToTaskbar()
{
    TaskBar1->SetEnableTaskBar(true);
    showMinimized();
}

}  // namespace tallyrix
