// The help window, the about box and the explorer command.
#include <QCoreApplication>

#include "app/MainForm.h"
#include "shell/AboutBox.h"
#include "shell/ExplorerUrl.h"
#include "shell/FilePane.h"
#include "shell/HelpWindow.h"

namespace tallyrix {

// The page beside the program or where it was installed; a missing one is
// reported by the path beside the program.
void TMainForm::TopicsClick()
{
    const QString path = LocateHelpFile(HelpDirectories(ProgDir, QCoreApplication::applicationDirPath()));
    if (!HelpWindow) HelpWindow = new THelpWindow(this);
    if (const std::optional<QString> failure = HelpWindow->ShowFile(path))
        Dialogs->ShowMessage(this, MessageRequest{QMessageBox::Warning, QCoreApplication::applicationName(), *failure});
}

void TMainForm::About1Click()
{
    TAboutBox box(this);
    Dialogs->RunDialog(box);
}

// Handed to the desktop as a URL, never to a shell; a refusal is not reported.
void TMainForm::mExplorer1Click() { OpenInFileManager(Panes.LeftPanel->Directory()); }

}  // namespace tallyrix
