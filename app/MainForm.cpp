// Creation, display, hint routing and the failure report of the main window.
#include "app/MainForm.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTextEdit>

#include "files/CalcFileNames.h"
#include "files/ProgramDirectory.h"
#include "files/SaveTemporaries.h"
#include "shell/FilePane.h"
#include "shell/Fonts.h"
#include "shell/QtDialogs.h"

namespace tallyrix {

TMainForm::TMainForm(std::unique_ptr<ModalDialogs> dialogs, TrayBackendFactory tray, QWidget* parent)
    : QMainWindow(parent), Dialogs(dialogs ? std::move(dialogs) : std::make_unique<QtDialogs>())
{
    InstallFontSubstitutes();
    FontDialog.Font = DefaultEditorFont();
    CommentFontDialog.Font = DefaultCommentFont();
    Engine.SetReporter([this](const MathErrorReport& report) { ReportMathError(report); });
    CreateComponents();
    CreateFindDialogs();
    FormCreate();
    CreateTaskBar(tray);
    ShowCaretPosition();
    ShowAngleMode();
}

TMainForm::~TMainForm() = default;

void TMainForm::RunHandler(const std::function<void()>& work)
{
    try {
        work();
    } catch (const std::exception& failure) {
        ShowStandardError(QString::fromUtf8(failure.what()));
    } catch (...) {
        ShowStandardError(QStringLiteral("予期しないエラーが発生しました"));
    }
}

void TMainForm::ShowStandardError(const QString& text)
{
    Dialogs->ShowMessage(this, MessageRequest{QMessageBox::Critical, QCoreApplication::applicationName(), text});
}

// Boxes of the standard functions carry the program's file name, as the
// runtime library's own reports did.
void TMainForm::ReportMathError(const MathErrorReport& report)
{
    if (!report.showBox || !MathBoxes.FirstTime(report.function, report.kind)) return;
    const QString caption = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    Dialogs->ShowMessage(this,
                         MessageRequest{QMessageBox::Critical, caption, QString::fromStdString(MathErrorText(report))});
}

QLabel* TMainForm::StatusPanel(int index) const { return Status.StatusPanels.at(static_cast<std::size_t>(index)); }

void TMainForm::ShowHint(const QString& longHint)
{
    Status.StatusBar->clearMessage();
    StatusPanel(4)->setText(longHint);
}

// Each step reports its own failure and the next still runs: without CAL
// the window keeps its engine, its registered entries and its settings.
void TMainForm::FormCreate()
{
    RunHandler([this] { FindProgramDirectories(); });
    SetCurrentFile(UntitledFileName());
    SetModified(false);
    RunHandler([this] { LoadRegisteredEntries(); });
    RunHandler([this] { LoadSettings(); });
    RunHandler([this] { OfferRecovery(); });
}

void TMainForm::FindProgramDirectories()
{
    const ProgramDirectories directories = ProgramDirectoriesOfThisProcess();
    ProgDir = directories.progDir;
    // Across the whole bar, too long for panel 4; the first hint or key
    // gives the panels back.
    if (const QString notice = FallbackNotice(directories); !notice.isEmpty()) Status.StatusBar->showMessage(notice);
    CalDir = CreateCalDirectory(ProgDir);
    // Temporaries a killed save left beside the settings and the documents.
    for (const QString& directory : {ProgDir, CalDir})
        RemoveStaleTemporaries(directory.toStdString());
    Panes.LeftPanel->SetDirectory(CalDir);
}

void TMainForm::FormShow()
{
    // The bar hides its panels for a message only while they are shown, and
    // only when the message changes.
    if (const QString message = Status.StatusBar->currentMessage(); !message.isEmpty()) {
        Status.StatusBar->clearMessage();
        Status.StatusBar->showMessage(message);
    }
    Recalculate();
    Panes.reExpression->setFocus();
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) RunHandler([this] { FormShow(); });
}

bool TMainForm::event(QEvent* event)
{
    // Long hints go to panel 4 instead of replacing the panels.
    if (event->type() == QEvent::StatusTip) {
        ShowHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

// The editor would take the clipboard and undo keys for itself; the menu
// commands get them, so that they recalculate as the menu items do.
bool TMainForm::IsEditShortcut(const QKeyEvent* key) const
{
    const QKeySequence pressed(QKeyCombination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key())));
    for (const QAction* action : {Menu.Edit.mUndo, Menu.Edit.mCut, Menu.Edit.mCopy, Menu.Edit.mPaste,
                                  Menu.Edit.mSelectAll, Menu.Edit.mCopyWithResult}) {
        if (action->shortcut() == pressed) return true;
    }
    return false;
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != Panes.reExpression) return QMainWindow::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    switch (event->type()) {
        case QEvent::ShortcutOverride:
            if (!IsEditShortcut(key)) return false;
            event->ignore();
            return true;
        case QEvent::KeyPress: {
            Status.StatusBar->clearMessage();
            EditorKeys.Pressed(key->key());
            bool consumed = false;
            RunHandler([&] {
                consumed = CompletionKeyDown(key->key(), key->modifiers(), key->text()) ||
                           reExpressionKeyDown(key->key(), key->modifiers());
            });
            return consumed;
        }
        case QEvent::KeyRelease:
            // One release per key, as the platform reports it once at the end
            // of an auto-repeat; a release whose press went to a message box is
            // not the editor's.
            if (!key->isAutoRepeat() && EditorKeys.Released(key->key()))
                RunHandler([&] { reExpressionKeyUp(key->key(), key->modifiers()); });
            return false;
        default:
            return false;
    }
}

}  // namespace tallyrix
