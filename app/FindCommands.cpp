// Find and replace: the two modeless dialogs live as long as the window; the
// search itself is plain code over the editor (shell/FindReplace.h).
#include "app/MainForm.h"
#include "shell/FindDialog.h"
#include "shell/FindReplace.h"
#include "shell/ReplaceDialog.h"
#include "shell/TextEditFindTarget.h"

namespace tallyrix {

void TMainForm::CreateFindDialogs()
{
    FindDialog = new TFindDialog(this);
    ReplaceDialog = new TReplaceDialog(this);
    Bind(FindDialog, &TFindDialog::Find, &TMainForm::FindDialogFind);
    Bind(ReplaceDialog, &TReplaceDialog::Find, &TMainForm::ReplaceDialogFind);
    Bind(ReplaceDialog, &TReplaceDialog::Replace, &TMainForm::ReplaceDialogReplace);
}

// Replacements are inserted with the editor's format, never a comment's.
TextEditFindTarget TMainForm::EditorFindTarget() { return TextEditFindTarget(*Panes.reExpression, EditorFormat()); }

void TMainForm::FocusEditor()
{
    activateWindow();
    Panes.reExpression->setFocus();
}

void TMainForm::FindClick()
{
    TextEditFindTarget target = EditorFindTarget();
    FindDialog->Open(BeginSearch(target));
}

void TMainForm::ReplaceClick()
{
    TextEditFindTarget target = EditorFindTarget();
    ReplaceDialog->Open(BeginSearch(target));
}

void TMainForm::SearchNext(const TSearchDialog& dialog)
{
    TextEditFindTarget target = EditorFindTarget();
    FindNext(target, dialog.FindText(), dialog.Options());
    FocusEditor();
}

void TMainForm::FindDialogFind() { SearchNext(*FindDialog); }

void TMainForm::ReplaceDialogFind() { SearchNext(*ReplaceDialog); }

void TMainForm::ReplaceDialogReplace()
{
    TextEditFindTarget target = EditorFindTarget();
    if (ReplaceOccurrences(target, ReplaceDialog->Request(), Menu.Options.mEnter->isChecked()).recalculate)
        Recalculate();
    FocusEditor();
}

}  // namespace tallyrix
