// New, Open, Save, Save As, open by selection and Delete of calculation
// documents, the save confirmation and the caption.
#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTextDocument>
#include <QTextEdit>

#include "app/MainForm.h"
#include "files/CalcDocumentFile.h"
#include "files/CalcFileNames.h"
#include "shell/DisplayBreaks.h"
#include "shell/DocumentLoader.h"
#include "shell/FilePane.h"
#include "shell/ResultPane.h"
#include "shell/RichEdit.h"

namespace tallyrix {

QMessageBox::StandardButton TMainForm::Ask(QMessageBox::Icon icon, const QString& text,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton)
{
    return Dialogs->ShowMessage(
        this, MessageRequest{icon, QCoreApplication::applicationName(), text, buttons, defaultButton});
}

FileDialogRequest TMainForm::FileDialogFor(const QString& title, const QString& fileName) const
{
    return FileDialogRequest{title, Panes.LeftPanel->Directory(), fileName, DialogNameFilters(FileFilter),
                             QStringLiteral("txt")};
}

// The raw text keeps no-break spaces, which toPlainText would turn into
// plain spaces on every save; a long line broken for display is saved whole.
// In UTF-8, the editor's copy gone before the caller encodes it.
std::string TMainForm::DocumentText() const
{
    const QTextDocument& document = *Panes.reExpression->document();
    return DocumentChars.FromEditor(Panes.reExpression->Paragraphs().DisplayBreakCount() == 0
                                        ? document.toRawText()
                                        : WithoutDisplayBreaks(document.toRawText(), document, 0));
}

// Throws FileError with the old file untouched; the encoding changes only
// when the write succeeded. A file changed by another program since it was
// read or saved is replaced only when the user says so.
std::optional<SaveMethod> TMainForm::WriteDocument(const QString& path)
{
    if (DocumentOnDisk.ChangedOnDisk(path.toStdString()) &&
        Ask(QMessageBox::Warning, path + QStringLiteral("は他のプログラムによって変更されています。\n上書きしますか？"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return std::nullopt;
    SaveMethod method = SaveMethod::Replaced;
    DocumentFormat.encoding =
        WriteCalcDocument(path.toStdString(), DocumentText(), DocumentFormat, &DocumentOnDisk, &method);
    return method;
}

void TMainForm::SetCurrentFile(const QString& path)
{
    setWindowTitle(CaptionFor(QCoreApplication::applicationName(), path));
    CurFileName = path;
}

QMessageBox::StandardButton TMainForm::ConfirmSave()
{
    if (Menu.Options.mSkipCheckFileSave->isChecked()) Panes.reExpression->document()->setModified(false);
    if (!Panes.reExpression->document()->isModified()) return QMessageBox::Yes;
    const QMessageBox::StandardButton answer =
        Ask(QMessageBox::Warning, QStringLiteral("編集中のファイルが保存されていません.\n保存しますか？"),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer != QMessageBox::Yes) return answer;
    FileSave();
    // A Save As given up (the dialog cancelled, a replacement declined) saved
    // nothing: the edits must not be dropped by the operation that asked.
    return Panes.reExpression->document()->isModified() ? QMessageBox::Cancel : QMessageBox::Yes;
}

void TMainForm::FileNew()
{
    if (ConfirmSave() == QMessageBox::Cancel) return;
    SetCurrentFile(UntitledFileName());
    Loader->Cancel();
    Panes.reExpression->clear();
    Panes.reExpression->setCurrentCharFormat(EditorFormat());
    DocumentFormat = {};
    DocumentOnDisk = {};
    DocumentChars = {};
    SetModified(false);
    if (!CalDir.isEmpty()) Panes.LeftPanel->SetDirectory(CalDir);  // empty: CAL could not be made
    Panes.reResult->clear();
    StatusPanel(4)->setText(CreatedMessage(CurFileName));
    Recalculate();
}

void TMainForm::FileOpen()
{
    if (ConfirmSave() == QMessageBox::Cancel) return;
    const std::optional<QString> chosen =
        Dialogs->ChooseOpenFile(this, FileDialogFor(QStringLiteral("計算式ﾌｧｲﾙを開く"), QString()));
    if (chosen) OpenFile(*chosen);
}

// The file is read before anything changes, so a failed read leaves the
// document, caption and status as they were.
void TMainForm::OpenFile(const QString& path)
{
    Panes.reExpression->setCurrentCharFormat(EditorFormat());
    const QString fullPath = QFileInfo(path).absoluteFilePath();
    CalcDocument document = ReadCalcDocument(fullPath.toStdString());
    DocumentFormat = std::move(document.format);
    DocumentOnDisk = std::move(document.onDisk);
    SetCurrentFile(fullPath);
    StatusPanel(4)->setText(OpenedMessage(CurFileName, document.undecodableBytes));
    Panes.LeftPanel->SetDirectory(DirectoryPart(fullPath));
    Panes.LeftPanel->SelectFile(CurFileName);
    // A short document is in at once and DocumentLoaded runs right here.
    Loader->Load(DocumentChars.ToEditor(document.text));
    if (Loader->Loading()) Recalculate();
}

// The arithmetic comes last: a failure it raises leaves the document
// coloured and unmodified.
void TMainForm::DocumentLoaded()
{
    // The text came in with the editor format set before it.
    RestyleComments(false);
    SetModified(false);
    Recalculate();
}

void TMainForm::ShowLoadingProgress()
{
    StatusPanel(3)->setText(QStringLiteral("読み込み中… %1%").arg(Loader->Percent()));
}

void TMainForm::FinishLoading() { Loader->FinishNow(); }

void TMainForm::FileListBoxClick()
{
    const QString name = Panes.LeftPanel->SelectedFileName();
    if (name.isEmpty()) {
        Ask(QMessageBox::NoIcon, QStringLiteral("ﾌｧｲﾙを選択して下さい"), QMessageBox::Ok);
        return;
    }
    const QString path = QDir(Panes.LeftPanel->Directory()).filePath(name);
    if (ConfirmSave() != QMessageBox::Cancel) OpenFile(path);
}

void TMainForm::FileSave()
{
    if (IsUntitled(CurFileName)) {
        FileSaveAs();
        return;
    }
    // Kept by the user: the edits may still go under another name.
    const std::optional<SaveMethod> method = WriteDocument(CurFileName);
    if (!method) {
        FileSaveAs();
        return;
    }
    StatusPanel(4)->setText(SavedMessage(CurFileName, *method));
    SetModified(false);
}

void TMainForm::FileSaveAs()
{
    const std::optional<QString> chosen =
        Dialogs->ChooseSaveFile(this, FileDialogFor(QStringLiteral("計算ﾌｧｲﾙを保存する"), FileNamePart(CurFileName)));
    if (!chosen) return;
    const QString path = QFileInfo(*chosen).absoluteFilePath();
    if (ReplacesAnotherFile(path, CurFileName) &&
        Ask(QMessageBox::Warning, path + QStringLiteral("は既に存在します。\n置き換えますか？"),
            QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    const std::optional<SaveMethod> method = WriteDocument(path);
    if (!method) return;
    SetCurrentFile(path);
    StatusPanel(4)->setText(SavedMessage(CurFileName, *method));
    SetModified(false);
    Panes.LeftPanel->SelectFile(CurFileName);
}

void TMainForm::DELClick()
{
    const QString name = Panes.LeftPanel->SelectedFileName();
    if (name.isEmpty()) return;
    const QString path = QDir(Panes.LeftPanel->Directory()).filePath(name);
    // A failed deletion is not reported; the entry then stays.
    if (Ask(QMessageBox::Critical, path + QStringLiteral("を削除しますか？"), QMessageBox::Yes | QMessageBox::No) ==
        QMessageBox::Yes)
        Panes.LeftPanel->DeleteFile(path);
}

void TMainForm::FileExit() { close(); }

bool TMainForm::FormCloseQuery() { return ConfirmSave() != QMessageBox::Cancel; }

void TMainForm::closeEvent(QCloseEvent* event)
{
    // A save that failed while closing keeps the window and its document.
    bool canClose = false;
    RunHandler([&] { canClose = FormCloseQuery(); });
    if (!canClose) {
        event->ignore();
        return;
    }
    // Settings that cannot be written are reported; the window still closes.
    RunHandler([this] { SaveSettings(); });
    // The user has decided about the edits: a document kept by an ended
    // session that went on after all is not offered again.
    QFile::remove(QString::fromStdString(RecoveryPath()));
    QMainWindow::closeEvent(event);
}

}  // namespace tallyrix
