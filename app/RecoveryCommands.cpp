// The end of a session (the session manager's logout, SIGTERM) and the
// document it kept, offered back at the next start.
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTextEdit>
#include <cstdio>

#include "app/MainForm.h"
#include "files/RecoveryFile.h"
#include "shell/DocumentLoader.h"

namespace tallyrix {
namespace {

// Nobody may be there to answer a box while the session ends: a failure is
// written to the standard error output and the next step still runs.
void RunQuietly(const std::function<void()>& step)
{
    try {
        step();
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "tallyrix: %s\n", failure.what());
    }
}

}  // namespace

std::string TMainForm::RecoveryPath() const { return RecoveryFilePath(ProgDir.toStdString()); }

void TMainForm::SessionEnding()
{
    RunQuietly([this] { SaveFormSettings(); });
    if (const std::optional<std::string> notice = Ini.TakeNotice())
        std::fprintf(stderr, "tallyrix: %s\n", notice->c_str());
    RunQuietly([this] { SaveEditorStyle(); });
    RunQuietly([this] { KeepUnsavedDocument(); });
}

void TMainForm::KeepUnsavedDocument()
{
    if (!Panes.reExpression->document()->isModified()) return;
    SaveRecoveryFile(RecoveryPath(), RecoveredDocument{DocumentText(), CurFileName.toStdString(), true});
}

// The file is removed whatever the answer; one that cannot be read is
// reported and left for the user.
void TMainForm::OfferRecovery()
{
    const std::optional<RecoveredDocument> document = LoadRecoveryFile(RecoveryPath());
    if (!document) return;
    const bool restore = Ask(QMessageBox::Question, QStringLiteral("復元しますか？"),
                             QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    QFile::remove(QString::fromStdString(RecoveryPath()));
    if (restore) RestoreDocument(*document);
}

// A document that is still on disk is opened first, so that a save writes
// it back in its own encoding.
void TMainForm::RestoreDocument(const RecoveredDocument& document)
{
    const QString name = QString::fromStdString(document.fileName);
    if (QFileInfo(name).isFile()) {
        OpenFile(name);
    } else {
        FileNew();
        SetCurrentFile(name);
        StatusPanel(4)->clear();  // nothing was created
    }
    FinishLoading();
    Loader->Load(DocumentChars.ToEditor(QString::fromStdString(document.text)));
    FinishLoading();
    SetModified(document.modified);
    Recalculate();
}

}  // namespace tallyrix
