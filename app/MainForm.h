// The main window: it owns the engine, every widget, action and dialog
// holder. Its handlers stay thin; the logic lives in plain functions and
// classes of each folder's library.
//
// Where TMainForm's members are defined (every one of them in app/, listed
// together in app/CMakeLists.txt):
//   MainForm.cpp                  creation, display, events, RunHandler
//   LayoutCommands.cpp            panels, toolbars, editors, status bar
//   MenuCommands.cpp              the command table: main menu, pop-up menus
//   FileLayoutCommands.cpp        speed bar (its buttons run commands), file pane
//   ViewPresetCommands.cpp        view presets, toolbar switches, flat buttons, stay on top
//   FindCommands.cpp              find and replace dialogs
//   TrayCommands.cpp              tray icon, hiding the window, the program's icon
//   HelpCommands.cpp              help window, about box, explorer
//   RecalculateCommands.cpp       recalculation and result presentation
//   StatementMarkCommands.cpp     values beside their lines, the failing statement's mark
//   CommentStyleCommands.cpp      comment colouring, fonts and colour
//   InputCommands.cpp             input buttons and editing commands
//   CompletionCommands.cpp        the names offered while a name is typed
//   CalcFileCommands.cpp          new, open, save, delete, closing
//   SettingsCommands.cpp          Tallyrix.ini and EditorStyle.dat
//   RecoveryCommands.cpp          the end of a session, the recovered document
//   RegisteredToolBarCommands.cpp registered toolbar and register dialog
//   NameCommands.cpp              a name's value on hover, the jump to its assignment
#pragma once

#include <QColor>
#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "document/FontChoice.h"
#include "document/KeyPressMemory.h"
#include "document/MathBoxesShown.h"
#include "document/NameCompletion.h"
#include "document/ReleaseBatch.h"
#include "engine/Eval.h"
#include "files/DiskSnapshot.h"
#include "files/EditorCharMap.h"
#include "files/ProfileStore.h"
#include "files/SaveFile.h"
#include "files/SettingsFiles.h"
#include "files/TextCodec.h"
#include "shell/Dialogs.h"
#include "shell/RichEdit.h"
#include "shell/TrayBackend.h"

class QAbstractButton;
class QAction;
class QIcon;
class QLabel;
class QMenu;
class QSplitter;
class QStatusBar;
class QTimer;
class QToolButton;

namespace tallyrix {

class TBandColumn;
class TButtonBar;
class TCompletionPopup;
class TFilePane;
class TFindDialog;
class THelpWindow;
class TReplaceDialog;
class TSearchDialog;
class TTaskBar;
class TTrayHideGuard;
class TextEditFindTarget;
struct FormSettings;
struct RecoveredDocument;
enum class ViewPreset;
class TDocumentLoader;
class TLineFollower;
class TNameProbe;
class TResultField;
class TResultPane;
class TStatementMark;
class StatementLines;

// Holders of the appearance choices; each keeps the user's last choice.
struct TFontDialog {
    FontChoice Font;
};
struct TColorDialog {
    QColor Color;  // invalid until the user has chosen one
};

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // Makes the notification area of the tray icon for the window.
    using TrayBackendFactory = std::function<std::unique_ptr<TrayBackend>(QWidget* window)>;

    // Without dialogs the real Qt dialogs are used; without a tray factory
    // the desktop's notification area.
    explicit TMainForm(std::unique_ptr<ModalDialogs> dialogs = nullptr, TrayBackendFactory tray = {},
                       QWidget* parent = nullptr);
    ~TMainForm() override;

    // The window from top to bottom: the speed bar, then the file pane beside
    // the right panel, whose bands stand above the two editors.
    struct {
        QWidget* SpeedBar = nullptr;        // the buttons along the top
        TFilePane* LeftPanel = nullptr;     // drives, folders and the calculation files
        QSplitter* Splitter1 = nullptr;     // between the file pane and the right panel
        QWidget* RightPanel = nullptr;      // the bands and the editors
        QWidget* CoolBar1 = nullptr;        // the column of bands
        QWidget* rePanel = nullptr;         // the frame of the editors
        QSplitter* Splitter2 = nullptr;     // between the two editors
        TRichEdit* reExpression = nullptr;  // the document
        TResultPane* reResult = nullptr;    // the side pane: variables, values of statements or lines
    } Panes;

    // The bands above the editors.
    struct {
        QWidget* ResultPanel = nullptr;  // Label1 "計算結果" and the result of the caret's line
        QLabel* Label1 = nullptr;
        TResultField* OutputEdit = nullptr;  // copies give the value without grouping
        TButtonBar* tbNumber = nullptr;      // digits and operators
        TButtonBar* tbFunction = nullptr;    // the built-in functions
        TButtonBar* tbRegister = nullptr;    // the registered constants and strings
    } Bands;

    // Along the bottom: five panels; panel 4 shows the long hints.
    struct {
        QStatusBar* StatusBar = nullptr;
        std::array<QLabel*, 5> StatusPanels{};
    } Status;

    // The menu bar's commands, menu by menu, made from the command table
    // (MenuCommands.cpp). The object names are the member names; the
    // settings keep the switches of the オプション menu under them.
    struct {
        struct {
            QAction* mFileNew = nullptr;
            QAction* mFileOpen = nullptr;
            QAction* mFileSave = nullptr;
            QAction* mFileSaveAs = nullptr;
            QAction* mFileExit = nullptr;
        } File;
        struct {
            QAction* mUndo = nullptr;
            QAction* mCut = nullptr;
            QAction* mCopy = nullptr;
            QAction* mPaste = nullptr;
            QAction* mSelectAll = nullptr;
            QAction* mCopyWithResult = nullptr;  // the selected lines with their values
            QAction* mLowerCase = nullptr;       // the selection in lower case
            QAction* mUpperCase = nullptr;       // the selection in upper case
            QAction* mFind = nullptr;
            QAction* mReplace = nullptr;
            QAction* mJumpToAssignment = nullptr;  // F12: to the statement that set the name
        } Edit;
        struct {
            QAction* mRegisterConst1 = nullptr;  // the register dialog
            QAction* mUpdate1 = nullptr;         // recalculates and recolours
            QAction* mExplorer1 = nullptr;       // the file manager on the file pane's folder
            QAction* mHide1 = nullptr;           // hides the window to the tray
        } Tools;
        struct {
            // サブウインドウの表示: what the side pane shows, one of three.
            QAction* mVariable = nullptr;
            QAction* mEquation = nullptr;
            QAction* mAligned = nullptr;

            QAction* mEnter = nullptr;                  // calculate on Enter only
            QAction* mEnterToSemicolon = nullptr;       // Enter types ";" first
            QAction* mInsertRegisteredValue = nullptr;  // registered buttons insert values, not names
            QAction* mSkipCheckFileSave = nullptr;      // no question about unsaved edits

            // 角度: the engine's angle unit, one of two.
            QAction* mRAD = nullptr;
            QAction* mDEG = nullptr;

            // The presets (F5, F6), the toolbar switches and the window's
            // division (F7, F8, F9).
            QAction* MostSimple = nullptr;
            QAction* FullyShown = nullptr;
            QAction* ShowSpeedBar = nullptr;
            QAction* ShowNumberToolBar = nullptr;
            QAction* ShowFunctionToolBar = nullptr;
            QAction* ShowRegisteredToolBar = nullptr;
            QAction* OnlyExpression = nullptr;
            QAction* FileListAndExpression = nullptr;
            QAction* DefaultForm = nullptr;

            // 編集画面の設定: fonts and the editors' background.
            QAction* mEditorFont = nullptr;
            QAction* mCommentFont = nullptr;
            QAction* mEditorColor = nullptr;

            QAction* mFlatBtn = nullptr;  // toolbar buttons without frames
            QAction* mStayOnTop = nullptr;

            QAction* mGroupDigits = nullptr;  // values shown with "," between groups of three digits
            QAction* mCompletion = nullptr;   // names offered while a name is typed
        } Options;
        struct {
            QAction* Topics = nullptr;  // the help window
            QAction* About1 = nullptr;
        } Help;
    } Menu;

    // The pop-up menus of the editor, the side pane and the file list.
    struct {
        QMenu* pm_reExpression = nullptr;
        QMenu* pm_reResult = nullptr;
        QMenu* pmFileListbox = nullptr;
    } Popup;

    using Command = void (TMainForm::*)();

    // What a handler does while a large document is still being put into
    // the editor or calculated: most need the whole document and its values
    // and have the rest done first; the editor's own notifications run as
    // they come.
    enum class WhileLoading { Finish, Run };

    // The one way a signal reaches a handler: a member command or a callable,
    // always run inside RunHandler, so that no failure leaves a slot.
    template <typename Sender, typename Signal, typename Handler>
    void Bind(Sender* sender, Signal signal, Handler handler, WhileLoading loading = WhileLoading::Finish)
    {
        connect(sender, signal, this, [this, handler, loading] {
            RunHandler([this, &handler, loading] {
                if (loading == WhileLoading::Finish) {
                    FinishLoading();
                    FinishCalculating();
                }
                if constexpr (std::is_member_function_pointer_v<Handler>) {
                    (this->*handler)();
                } else {
                    handler();
                }
            });
        });
    }

    // Recalculation and presentation (RecalculateCommands.cpp).
    // A long document is calculated a slice at a time from the event loop,
    // so that typing never waits for the whole of it; the results show when
    // the last slice is done.
    void Recalculate();
    bool Calculating() const;
    void FinishCalculating();
    void ShowCaretPosition();
    void SetModified(bool flag);
    void reExpressionChange();
    void reExpressionKeyUp(int key, Qt::KeyboardModifiers shift);
    void mRADClick();
    void mDEGClick();
    void mEquationClick();
    void mVariableClick();
    void mAlignedClick();
    void mGroupDigitsClick();
    // The lines of a run as the side pane shows them: with grouped digits
    // (kept in grouped) when 3桁区切りで表示 is on, else the lines themselves.
    std::string_view ShownValues(std::string_view lines, std::string& grouped) const;
    // Marks the statement a run stopped in and, in the "各行の値" mode, fills
    // the side pane line by line; returns whether it filled the pane
    // (StatementMarkCommands.cpp).
    bool ShowStatementPlaces(const StatementLines& places, bool stopped, const QString& message);
    void NextCalculationSlice();
    void ContinueCalculation(std::size_t slice);
    void ShowCalculationState(bool done);
    void ShowCalculationDone(const std::string& input);
    void SelectFailingStatement();
    // Status panel 2 shows the angle mode of the engine.
    void ShowAngleMode();

    // Comment colouring and appearance (CommentStyleCommands.cpp)
    // Without resetFormats only the comments are coloured: for a text just
    // put in with the editor format.
    void RestyleComments(bool resetFormats = true);
    void mUpdate1Click();
    void EditorFontClick();
    void CommentFontClick();
    void EditorColorClick();
    // The background of both editors.
    QColor EditorColor() const;
    void SetEditorColor(const QColor& color);
    QTextCharFormat EditorFormat() const;
    QTextCharFormat CommentFormat() const;

    // Input assistance and editing commands (InputCommands.cpp)
    // Returns true when the key press is consumed.
    bool reExpressionKeyDown(int key, Qt::KeyboardModifiers shift);
    void NumberBtn1Click(QAbstractButton* sender);
    void FuncBtn1Click(QAbstractButton* sender);
    void BSBtnClick();
    void DelBtnClick();
    void TabBtnClick();
    void LfBtnClick();
    void HomeBtnClick();
    void EndBtnClick();
    void mLowerCaseClick();
    void mUpperCaseClick();
    void UndoClick();
    void CutClick();
    void CopyClick();
    void PasteClick();
    void SelectAllClick();
    void Copy2Click();
    void CopyWithResultClick();

    // Names offered while a name is typed (CompletionCommands.cpp).
    // Returns true when the key press is the pop-up's alone.
    bool CompletionKeyDown(int key, Qt::KeyboardModifiers shift, const QString& text);
    // The list for the name before the caret; asked: by Ctrl+Space, which
    // offers names for any start, even none.
    void ShowCompletions(bool asked);
    void reExpressionCaretMoved();
    void reExpressionScrolled();
    void CompleteName();

    // Calculation files (CalcFileCommands.cpp)
    void FileNew();
    void FileOpen();
    void OpenFile(const QString& path);
    // The whole document is in the editor: its results and colours.
    void DocumentLoaded();
    void ShowLoadingProgress();
    void FinishLoading();
    void FileListBoxClick();
    void FileSave();
    void FileSaveAs();
    void DELClick();
    void FileExit();
    // Yes when there is nothing to save; callers give up on Cancel only.
    QMessageBox::StandardButton ConfirmSave();
    void SetCurrentFile(const QString& path);
    bool FormCloseQuery();

    // Settings files (SettingsCommands.cpp)
    void LoadSettings();
    void SaveSettings();

    // The end of a session (RecoveryCommands.cpp): the session manager
    // ends it, or SIGTERM. The settings are written and unsaved edits kept
    // for the next start, which offers them back (OfferRecovery).
    void SessionEnding();
    void OfferRecovery();

    // View presets and switches (ViewPresetCommands.cpp)
    void OnlyExpressionClick();
    void FileListAndExpressionClick();
    void DefaultFormClick();
    void MostSimpleClick();
    void FullyShownClick();
    void ShowSpeedBarClick();
    void ShowNumberToolBarClick();
    void ShowFunctionToolBarClick();
    void ShowRegisteredToolBarClick();
    void mFlatBtnClick();
    void mStayOnTopClick();
    // Widths of the panes; 0 is hidden.
    int LeftPanelWidth() const;
    int ReResultWidth() const;
    void SetLeftPanelWidth(int width);
    void SetReResultWidth(int width);

    // Registered entries (RegisteredToolBarCommands.cpp)
    void UpdateRegisterToolBar();
    void mRegisterConst1Click();

    // Names in the editor (NameCommands.cpp): a resting pointer shows
    // what the last calculation left in a name; Ctrl+click and F12 select
    // the statement that assigned it.
    void reExpressionNameHover();
    void reExpressionNameClick();
    void mJumpToAssignmentClick();

    // Find and replace (FindCommands.cpp)
    void FindClick();
    void ReplaceClick();
    void FindDialogFind();
    void ReplaceDialogFind();
    void ReplaceDialogReplace();

    // Tray icon and hiding (TrayCommands.cpp)
    void TaskBar1TrayClick(TMouseButton Button);
    void mHide1Click();

    // Help, about box and explorer (HelpCommands.cpp)
    void TopicsClick();
    void About1Click();
    void mExplorer1Click();

    // Runs one handler; a failure it raises ends here as the standard error
    // report, never crossing the event loop.
    void RunHandler(const std::function<void()>& work);
    void ShowStandardError(const QString& text);
    QLabel* StatusPanel(int index) const;

    QString ProgDir;
    QString CalDir;
    QString CurFileName;
    QString FileFilter = QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|すべてのﾌｧｲﾙ (*.*)|*.*");
    // How the open document was read, so that a save writes it back the same way.
    TextFormat DocumentFormat;
    DiskSnapshot DocumentOnDisk;  // the file as read or last saved
    EditorCharMap DocumentChars;

    // The form's components, named as in the window design.
    Evaluator Engine;
    int FixedVariableCount = 1;
    std::vector<std::string> RegisteredLines;  // UTF-8, in file order
    TFontDialog FontDialog;
    TFontDialog CommentFontDialog;
    TColorDialog ColorDialog1;
    TFindDialog* FindDialog = nullptr;
    TReplaceDialog* ReplaceDialog = nullptr;
    TTaskBar* TaskBar1 = nullptr;
    THelpWindow* HelpWindow = nullptr;  // made at the first use

    TLineFollower* LineFollower = nullptr;        // the pane beside the lines ("各行の値")
    TStatementMark* StatementMark = nullptr;      // the failing statement's mark
    TCompletionPopup* CompletionPopup = nullptr;  // the names offered under the caret
    TNameProbe* NameProbe = nullptr;              // names under the pointer and at the caret
    TDocumentLoader* Loader = nullptr;            // a large document, a piece at a time
    QTimer* CalculationSlices = nullptr;          // runs the next slice of a long calculation

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Window layout (LayoutCommands.cpp, MenuCommands.cpp)
    void CreateComponents();
    QWidget* CreateResultBand();
    void CreateNumberToolBar();
    void CreateFunctionToolBar();
    void CreateRegisterToolBar();
    QWidget* CreateEditors();
    void CreateStatusBar();
    int CaretPanelWidth() const;
    void CreateStatementMarks();
    // The commands and menus from the command table (MenuCommands.cpp).
    void CreateMenus();
    void AttachPopupMenus();
    QAction* CommandAction(const char* name) const;
    QIcon CommandIcon(const char* name) const;
    // The speed bar and the file pane (FileLayoutCommands.cpp)
    void PlacePanels();
    void CreateSpeedBar();
    QToolButton* AddSpeedButton(const QString& name, int left, const QString& hint, const QIcon& icon);
    void KeepRoomForBands(TBandColumn* bands);

    // The find dialogs and the tray icon.
    void CreateFindDialogs();
    void CreateTaskBar(const TrayBackendFactory& tray);
    TextEditFindTarget EditorFindTarget();
    void SearchNext(const TSearchDialog& dialog);
    void FocusEditor();
    // Where no notification area holds the icon, the window stays reachable
    // through its taskbar button.
    void MinimizeToTaskbar();

    void FormCreate();
    void FormShow();
    // ProgDir and CalDir; the file pane shows CAL when it could be made.
    void FindProgramDirectories();
    // The hint handler: panel 4 shows the long part of the hint under the mouse.
    void ShowHint(const QString& longHint);
    void ReportMathError(const MathErrorReport& report);
    void RecalculateUnlessEnterOnly();
    void InsertWithEditorFormat(const QString& text);
    void ReplaceSelectionCase(QString (*convert)(QString));
    bool IsEditShortcut(const QKeyEvent* key) const;
    std::string RegisteredPath() const;
    void LoadRegisteredEntries();
    void TakeRegisteredLines(std::vector<std::string> lines);
    void RegisteredBtnClick(QAbstractButton* sender);
    // The register dialog, on the entry of the constant name when one is given.
    void RunRegisterForm(const std::string& name);
    void CreateNameProbe();
    void JumpToAssignment(std::size_t offset, bool atCaret);
    void ApplyEditorFont();
    // Settings (SettingsCommands.cpp)
    std::string IniPath() const;
    void SaveFormSettings();
    // Says once why Tallyrix.ini is left as it is.
    void ReportIniNotice();
    void LoadEditorStyle();
    void SaveEditorStyle();
    void ApplyWindowSettings(const FormSettings& settings);
    void ApplySwitches(const FormSettings& settings);
    void ReopenDocument(const std::string& stored);
    FormSettings CurrentFormSettings() const;
    std::vector<std::pair<bool FormSettings::*, QAction*>> SwitchItems() const;
    // The recovery file (RecoveryCommands.cpp)
    std::string RecoveryPath() const;
    void KeepUnsavedDocument();
    void RestoreDocument(const RecoveredDocument& document);
    // The presets (ViewPresetCommands.cpp)
    void RunViewPreset(ViewPreset preset);
    void ShowToolbars(bool shown);
    void SwitchBar(QWidget* bar, QAction* item);
    QMessageBox::StandardButton Ask(QMessageBox::Icon icon, const QString& text, QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    FileDialogRequest FileDialogFor(const QString& title, const QString& fileName) const;
    std::string DocumentText() const;
    std::optional<SaveMethod> WriteDocument(const QString& path);  // nothing: the user kept the file

    std::unique_ptr<ModalDialogs> Dialogs;
    ProfileStore Ini;
    SettingsAsRead StoredSettings;
    TKeyPressMemory EditorKeys;
    TMathBoxesShown MathBoxes;
    TReleaseBatch EditorReleases;
    NameCompletion Completion;  // the last calculation's names
    TTrayHideGuard* TrayGuard = nullptr;
};

}  // namespace tallyrix
