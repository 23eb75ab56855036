// Names in the editor: the value a name holds after the last calculation on
// hover, and the jump from a name to the statement that assigned it.
#include <QLabel>

#include "app/MainForm.h"
#include "document/NameHover.h"
#include "document/NameSites.h"
#include "registry/RegisteredEntries.h"
#include "shell/DocumentLoader.h"
#include "shell/NameProbe.h"
#include "shell/RichEdit.h"

namespace tallyrix {

void TMainForm::CreateNameProbe()
{
    NameProbe = new TNameProbe(Panes.reExpression);
    // A hover shows only what a finished calculation left: it never
    // calculates, nor waits for one.
    Bind(NameProbe, &TNameProbe::HoverRequested, &TMainForm::reExpressionNameHover, WhileLoading::Run);
    Bind(NameProbe, &TNameProbe::JumpRequested, &TMainForm::reExpressionNameClick);
}

void TMainForm::reExpressionNameHover()
{
    if (Loader->Loading() || Calculating()) return NameProbe->ShowTip({});
    const NameSites sites(NameProbe->ScanText());
    const std::optional<NameToken> name = sites.NameAt(NameProbe->PointerOffset(), NameSites::Place::Character);
    if (!name) return NameProbe->ShowTip({});
    const std::string_view spelling = sites.Spelling(*name);
    const std::string text =
        HoverText(spelling, LastValueOf(Engine, spelling), FindRegisteredConstant(RegisteredLines, spelling),
                  Menu.Options.mGroupDigits->isChecked());
    NameProbe->ShowTip(QString::fromStdString(text));
}

void TMainForm::reExpressionNameClick()
{
    // The Ctrl of the click is no keystroke: its release must not
    // recalculate, which would replace what the jump says in panel 3.
    EditorKeys.Released(Qt::Key_Control);
    JumpToAssignment(NameProbe->PointerOffset(), false);
}

void TMainForm::mJumpToAssignmentClick() { JumpToAssignment(NameProbe->CaretOffset(), true); }

void TMainForm::JumpToAssignment(std::size_t offset, bool atCaret)
{
    const NameSites sites(NameProbe->ScanText());
    const std::optional<NameToken> name =
        sites.NameAt(offset, atCaret ? NameSites::Place::Caret : NameSites::Place::Character);
    if (!name) return;
    const std::string spelling(sites.Spelling(*name));
    const JumpTarget target = FindJumpTarget(sites, *name, FindRegisteredConstant(RegisteredLines, spelling));
    switch (target.kind) {
        case JumpTarget::Kind::Statement:
            return NameProbe->Select(target.from, target.to);
        case JumpTarget::Kind::RegisteredEntry:
            return RunRegisterForm(spelling);
        case JumpTarget::Kind::Undefined:
            return StatusPanel(3)->setText(QStringLiteral("未定義"));
        case JumpTarget::Kind::BuiltIn:
            return;
    }
}

}  // namespace tallyrix
