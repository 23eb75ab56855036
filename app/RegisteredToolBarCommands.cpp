// The registered entries in the main window: Registered.txt at start-up,
// the toolbar of registered buttons with the engine's constants, a press of
// one of those buttons, and the register dialog.
#include <QAbstractButton>
#include <QFileInfo>
#include <QToolButton>

#include "app/MainForm.h"
#include "registry/RegisteredEntries.h"
#include "registry/RegisteredFile.h"
#include "registry/RegisteredFileSession.h"
#include "registry/Registerunit.h"
#include "shell/ButtonBar.h"
#include "shell/Hints.h"

namespace tallyrix {
namespace {

// Each button carries its line's position in RegisteredLines.
constexpr const char* TagProperty = "Tag";

// A '&' in a name is shown, not taken for a mnemonic.
QString ButtonCaption(const std::string& name)
{
    return QString::fromStdString(name).replace(u'&', QStringLiteral("&&"));
}

}  // namespace

std::string TMainForm::RegisteredPath() const { return RegisteredFilePath(ProgDir.toStdString()); }

void TMainForm::LoadRegisteredEntries()
{
    std::optional<std::vector<std::string>> lines = ReadRegisteredFile(RegisteredPath());
    if (lines) TakeRegisteredLines(std::move(*lines));
}

void TMainForm::TakeRegisteredLines(std::vector<std::string> lines)
{
    RegisteredLines = std::move(lines);
    UpdateRegisterToolBar();
}

// The bar makes a button when it is needed; each is wired as it is made.
void TMainForm::UpdateRegisterToolBar()
{
    if (!QFileInfo::exists(QString::fromStdString(RegisteredPath()))) return;
    FixedVariableCount = RegisterConstants(RegisteredLines, Engine);
    QList<BarEntry> entries;
    entries.reserve(static_cast<qsizetype>(RegisteredLines.size()));
    for (std::size_t index = 0; index < RegisteredLines.size(); ++index) {
        const RegisteredButton entry = DescribeRegisteredButton(RegisteredLines[index], static_cast<int>(index));
        entries.append({ButtonCaption(entry.caption), entry.hasHint ? QString::fromStdString(entry.hint) : QString()});
    }
    Bands.tbRegister->SetEntries(std::move(entries), [this](QToolButton* button, int index) {
        button->setProperty(TagProperty, index);
        Bind(button, &QToolButton::clicked, [this, button] { NumberBtn1Click(button); });
    });
}

// A name the engine knows goes in as the name, anything else as its text.
void TMainForm::RegisteredBtnClick(QAbstractButton* sender)
{
    const auto index = static_cast<std::size_t>(sender->property(TagProperty).toInt());
    const std::string text =
        RegisteredInsertText(RegisteredLines.at(index), Engine, Menu.Options.mInsertRegisteredValue->isChecked());
    InsertWithEditorFormat(QString::fromStdString(text));
    RecalculateUnlessEnterOnly();
}

// The file is read again first: an editor or another window may have
// changed it. The dialog's OK writes the file before anything else changes;
// a failed write keeps the dialog open, and the entries, the buttons and
// the constants as they were. The document is not recalculated.
void TMainForm::mRegisterConst1Click() { RunRegisterForm({}); }

void TMainForm::RunRegisterForm(const std::string& name)
{
    RegisteredFileSession file(RegisteredPath());
    if (const auto& lines = file.Read(); lines && *lines != RegisteredLines) TakeRegisteredLines(*lines);
    TRegisterForm form(*Dialogs, this);
    form.LoadLines(RegisteredLines);
    if (const std::optional<RegisteredNote> entry = FindRegisteredConstant(RegisteredLines, name))
        form.SelectEntry(entry->entry);
    form.SetFile(file);
    if (Dialogs->RunDialog(form) != QDialog::Accepted) return;
    // Without a file (none was there and nothing was written) the entries stay.
    if (file.Lines()) TakeRegisteredLines(*file.Lines());
}

}  // namespace tallyrix
