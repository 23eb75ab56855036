// The window's commands: one table gives each its caption, shortcut, status
// text, icon and handler, and places it in the main menu or a pop-up menu.
// Further pop-up items and the speed buttons run a command of the table, so
// each handler is bound once, to its command's action.
#include <QAction>
#include <QActionGroup>
#include <QHash>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>

#include "app/MainForm.h"
#include "shell/FileListBox.h"
#include "shell/FilePane.h"
#include "shell/ResultPane.h"
#include "shell/RichEdit.h"
#include "shell/ThemeIcons.h"

namespace tallyrix {
namespace {

// How a menu item shows a check mark. Radio items of one menu are one
// exclusive group whose first item starts checked.
enum class Mark { None, Off, On, Radio };

struct MenuDefinition {
    const char* name;
    const char* title;
    const char* parent;  // "": the menu bar; nullptr: a pop-up menu of its own
    bool separatorBefore;
};

struct CommandDefinition {
    const char* menu;  // where the item goes, after the items before it
    bool separatorBefore;
    const char* name;
    const char* caption;
    const char* shortcut;  // as Qt writes it ("Ctrl+Shift+C"); "" none
    const char* status;
    const char* themeIcon;  // for a speed button of the command; nullptr: none
    QStyle::StandardPixmap fallbackIcon;
    TMainForm::Command handler;  // none: the item only switches its check mark
    QAction*& (*member)(TMainForm& form);
    Mark mark = Mark::None;
    // Handlers wait for a document being put in the editor or calculated.
    TMainForm::WhileLoading loading = TMainForm::WhileLoading::Finish;
};

// An item of a pop-up menu that runs a command of the menu bar under a
// caption of its own.
struct PopupItemDefinition {
    const char* menu;
    bool separatorBefore;
    const char* name;
    const char* caption;
    const char* command;
};

// clang-format off
const MenuDefinition Menus[] = {
    {"mFile",           "ファイル(&F)",             "",                false},
    {"mEdit",           "編集(&E)",                 "",                false},
    {"mConvertCase",    "選択部分の変換(&T)",       "mEdit",           true},
    {"mTools",          "ツール(&T)",               "",                false},
    {"mOptions",        "オプション(&O)",           "",                false},
    {"mSubWindow",      "サブウインドウの表示(&H)", "mOptions",        false},
    {"mAngle",          "角度(&A)",                 "mOptions",        true},
    {"mPresets",        "表示設定の一括変更(&O)",   "mOptions",        true},
    {"mToolBars",       "ツールバーの表示(&T)",     "mOptions",        false},
    {"mDivision",       "ウインドウの分割(&D)",     "mOptions",        false},
    {"mEditorSettings", "編集画面の設定(&F)",       "mOptions",        false},
    {"mHelp",           "ヘルプ(&H)",               "",                false},
    {"pm_reExpression", "",                         nullptr,           false},
    {"pmConvertCase",   "選択部分...",              "pm_reExpression", true},
    {"pm_reResult",     "",                         nullptr,           false},
    {"pmFileListbox",   "",                         nullptr,           false},
};

#define MENU_ITEM(path) [](TMainForm& form) -> QAction*& { return form.Menu.path; }
#define NO_MEMBER nullptr
#define NO_ICON nullptr, QStyle::SP_CustomBase

const CommandDefinition Commands[] = {
    {"mFile", false, "mFileNew", "新規作成(&N)", "Ctrl+N", "新規ﾌｧｲﾙの作成",
     "document-new-symbolic", QStyle::SP_FileIcon, &TMainForm::FileNew, MENU_ITEM(File.mFileNew)},
    {"mFile", false, "mFileOpen", "開く(&O)...", "Ctrl+O", "既存のﾌｧｲﾙを開く",
     "document-open-symbolic", QStyle::SP_DialogOpenButton, &TMainForm::FileOpen, MENU_ITEM(File.mFileOpen)},
    {"mFile", false, "mFileSave", "上書き保存(&S)", "Ctrl+S", "ﾌｧｲﾙを保存する",
     "document-save-symbolic", QStyle::SP_DialogSaveButton, &TMainForm::FileSave, MENU_ITEM(File.mFileSave)},
    {"mFile", false, "mFileSaveAs", "名前を付けて保存(&A)...", "", "ﾌｧｲﾙに別の名前を付けて保存",
     NO_ICON, &TMainForm::FileSaveAs, MENU_ITEM(File.mFileSaveAs)},
    {"mFile", true, "mFileExit", "終了(&X)", "Alt+X", "ｱﾌﾟﾘｹｰｼｮﾝの終了",
     NO_ICON, &TMainForm::FileExit, MENU_ITEM(File.mFileExit)},

    {"mEdit", false, "mUndo", "取り消し(&U)", "Ctrl+Z", "",
     "edit-undo-symbolic", QStyle::SP_ArrowBack, &TMainForm::UndoClick, MENU_ITEM(Edit.mUndo)},
    {"mEdit", true, "mCut", "切り取り(&T)", "Ctrl+X", "",
     "edit-cut-symbolic", QStyle::SP_DialogDiscardButton, &TMainForm::CutClick, MENU_ITEM(Edit.mCut)},
    {"mEdit", false, "mCopy", "コピー(&C)", "Ctrl+C", "",
     "edit-copy-symbolic", QStyle::SP_FileDialogDetailedView, &TMainForm::CopyClick, MENU_ITEM(Edit.mCopy)},
    {"mEdit", false, "mPaste", "貼り付け(&P)", "Ctrl+V", "",
     "edit-paste-symbolic", QStyle::SP_DialogApplyButton, &TMainForm::PasteClick, MENU_ITEM(Edit.mPaste)},
    {"mEdit", false, "mSelectAll", "すべて選択(&A)", "Ctrl+A", "",
     NO_ICON, &TMainForm::SelectAllClick, MENU_ITEM(Edit.mSelectAll)},
    {"mEdit", true, "mCopyWithResult", "計算式と結果をコピー", "Ctrl+Shift+C", "",
     NO_ICON, &TMainForm::CopyWithResultClick, MENU_ITEM(Edit.mCopyWithResult)},
    {"mConvertCase", false, "mLowerCase", "すべて小文字に(&L)", "", "",
     NO_ICON, &TMainForm::mLowerCaseClick, MENU_ITEM(Edit.mLowerCase)},
    {"mConvertCase", false, "mUpperCase", "すべて大文字に(&U)", "", "",
     NO_ICON, &TMainForm::mUpperCaseClick, MENU_ITEM(Edit.mUpperCase)},
    {"mEdit", true, "mFind", "検索(&F)...", "Ctrl+F", "",
     "edit-find-symbolic", QStyle::SP_FileDialogContentsView, &TMainForm::FindClick, MENU_ITEM(Edit.mFind)},
    {"mEdit", false, "mReplace", "置換(&R)...", "Ctrl+R", "",
     NO_ICON, &TMainForm::ReplaceClick, MENU_ITEM(Edit.mReplace)},
    {"mEdit", false, "mJumpToAssignment", "代入箇所へ移動(&J)", "F12", "",
     NO_ICON, &TMainForm::mJumpToAssignmentClick, MENU_ITEM(Edit.mJumpToAssignment)},

    {"mTools", false, "mRegisterConst1", "定数・文字列の登録...(&R)", "", "",
     NO_ICON, &TMainForm::mRegisterConst1Click, MENU_ITEM(Tools.mRegisterConst1)},
    {"mTools", true, "mUpdate1", "表示の更新(&U)", "Ctrl+U", "",
     "view-refresh-symbolic", QStyle::SP_BrowserReload, &TMainForm::mUpdate1Click, MENU_ITEM(Tools.mUpdate1)},
    {"mTools", true, "mExplorer1", "エクスプローラの起動(&E)", "", "",
     "system-file-manager-symbolic", QStyle::SP_DirOpenIcon, &TMainForm::mExplorer1Click, MENU_ITEM(Tools.mExplorer1)},
    {"mTools", true, "mHide1", "タスクトレーに隠す(&H)", "", "",
     "go-bottom-symbolic", QStyle::SP_TitleBarMinButton, &TMainForm::mHide1Click, MENU_ITEM(Tools.mHide1)},

    {"mSubWindow", false, "mVariable", "登録変数の一覧", "", "",
     NO_ICON, &TMainForm::mVariableClick, MENU_ITEM(Options.mVariable), Mark::Radio},
    {"mSubWindow", false, "mEquation", "各式の値", "", "",
     NO_ICON, &TMainForm::mEquationClick, MENU_ITEM(Options.mEquation), Mark::Radio},
    {"mSubWindow", false, "mAligned", "各行の値", "", "",
     NO_ICON, &TMainForm::mAlignedClick, MENU_ITEM(Options.mAligned), Mark::Radio},
    {"mOptions", false, "mEnter", "エンターキーを押すまで評価しない(&E)", "", "",
     NO_ICON, nullptr, MENU_ITEM(Options.mEnter), Mark::Off},
    {"mOptions", false, "mEnterToSemicolon", "エンターキーで \";\" を挿入(&S)", "", "",
     NO_ICON, nullptr, MENU_ITEM(Options.mEnterToSemicolon), Mark::Off},
    {"mOptions", false, "mInsertRegisteredValue", "定数の登録値を直接挿入(&C)", "", "",
     NO_ICON, nullptr, MENU_ITEM(Options.mInsertRegisteredValue), Mark::Off},
    {"mOptions", false, "mSkipCheckFileSave", "変更時保存確認しない(&N)", "", "",
     NO_ICON, nullptr, MENU_ITEM(Options.mSkipCheckFileSave), Mark::Off},
    // The typing aid stands apart from the Enter and file options.
    {"mOptions", true, "mCompletion", "入力補完", "", "",
     NO_ICON, nullptr, MENU_ITEM(Options.mCompletion), Mark::On},
    {"mAngle", false, "mRAD", "RAD", "", "",
     NO_ICON, &TMainForm::mRADClick, MENU_ITEM(Options.mRAD), Mark::Radio},
    {"mAngle", false, "mDEG", "DEG", "", "",
     NO_ICON, &TMainForm::mDEGClick, MENU_ITEM(Options.mDEG), Mark::Radio},
    {"mPresets", false, "MostSimple", "最もシンプルに", "F5", "",
     NO_ICON, &TMainForm::MostSimpleClick, MENU_ITEM(Options.MostSimple)},
    {"mPresets", false, "FullyShown", "フル表示に", "F6", "",
     NO_ICON, &TMainForm::FullyShownClick, MENU_ITEM(Options.FullyShown)},
    {"mToolBars", false, "ShowSpeedBar", "メイン", "", "",
     NO_ICON, &TMainForm::ShowSpeedBarClick, MENU_ITEM(Options.ShowSpeedBar), Mark::On},
    {"mToolBars", false, "ShowNumberToolBar", "数値と記号", "", "",
     NO_ICON, &TMainForm::ShowNumberToolBarClick, MENU_ITEM(Options.ShowNumberToolBar), Mark::On},
    {"mToolBars", false, "ShowFunctionToolBar", "関数", "", "",
     NO_ICON, &TMainForm::ShowFunctionToolBarClick, MENU_ITEM(Options.ShowFunctionToolBar), Mark::On},
    {"mToolBars", false, "ShowRegisteredToolBar", "登録定数", "", "",
     NO_ICON, &TMainForm::ShowRegisteredToolBarClick, MENU_ITEM(Options.ShowRegisteredToolBar), Mark::On},
    {"mDivision", false, "OnlyExpression", "計算式の全画面表示(&Z)", "F7", "",
     "view-fullscreen-symbolic", QStyle::SP_TitleBarMaxButton, &TMainForm::OnlyExpressionClick,
     MENU_ITEM(Options.OnlyExpression)},
    {"mDivision", false, "FileListAndExpression", "ファイルリストを隠す(&Y)", "F8", "",
     "view-dual-symbolic", QStyle::SP_ArrowLeft, &TMainForm::FileListAndExpressionClick,
     MENU_ITEM(Options.FileListAndExpression)},
    {"mDivision", false, "DefaultForm", "デフォルト表示(&X)", "F9", "",
     "view-restore-symbolic", QStyle::SP_TitleBarNormalButton, &TMainForm::DefaultFormClick,
     MENU_ITEM(Options.DefaultForm)},
    {"mEditorSettings", false, "mEditorFont", "計算式の表示フォント...", "", "",
     "preferences-desktop-font-symbolic", QStyle::SP_FileDialogListView, &TMainForm::EditorFontClick,
     MENU_ITEM(Options.mEditorFont)},
    {"mEditorSettings", false, "mCommentFont", "コメントの表示フォント...", "", "",
     "format-text-bold-symbolic", QStyle::SP_FileDialogInfoView, &TMainForm::CommentFontClick,
     MENU_ITEM(Options.mCommentFont)},
    {"mEditorSettings", false, "mEditorColor", "背景色...", "", "",
     "color-select-symbolic", QStyle::SP_DesktopIcon, &TMainForm::EditorColorClick, MENU_ITEM(Options.mEditorColor)},
    {"mOptions", true, "mFlatBtn", "フラットボタン(&F)", "", "",
     NO_ICON, &TMainForm::mFlatBtnClick, MENU_ITEM(Options.mFlatBtn), Mark::On},
    {"mOptions", false, "mStayOnTop", "ウインドウを最前面に(&U)", "F4", "",
     NO_ICON, &TMainForm::mStayOnTopClick, MENU_ITEM(Options.mStayOnTop), Mark::Off},
    // How values are shown: after the window's own switches, in a group of its own.
    {"mOptions", true, "mGroupDigits", "3桁区切りで表示", "", "",
     NO_ICON, &TMainForm::mGroupDigitsClick, MENU_ITEM(Options.mGroupDigits), Mark::Off},

    {"mHelp", false, "Topics", "トピックス(&T)", "F1", "",
     NO_ICON, &TMainForm::TopicsClick, MENU_ITEM(Help.Topics)},
    {"mHelp", true, "About1", "バージョン情報(&A)", "", "",
     NO_ICON, &TMainForm::About1Click, MENU_ITEM(Help.About1)},

    {"pm_reResult", false, "Copy2", "コピー", "", "",
     NO_ICON, &TMainForm::Copy2Click, NO_MEMBER},
    {"pmFileListbox", false, "pmOpenSelected", "選択ファイルを開く", "", "",
     NO_ICON, &TMainForm::FileListBoxClick, NO_MEMBER},
    {"pmFileListbox", true, "pmDeleteSelected", "選択ファイルを削除", "", "",
     NO_ICON, &TMainForm::DELClick, NO_MEMBER},
};

#undef MENU_ITEM
#undef NO_MEMBER
#undef NO_ICON

const PopupItemDefinition PopupItems[] = {
    {"pm_reExpression", false, "pmUndo",           "取り消し",             "mUndo"},
    {"pm_reExpression", true,  "pmCut",            "切り取り",             "mCut"},
    {"pm_reExpression", false, "pmCopy",           "コピー",               "mCopy"},
    {"pm_reExpression", false, "pmPaste",          "貼り付け",             "mPaste"},
    {"pm_reExpression", true,  "pmCopyWithResult", "計算式と結果をコピー", "mCopyWithResult"},
    {"pmConvertCase",   false, "pmLowerCase",      "すべて小文字に",       "mLowerCase"},
    {"pmConvertCase",   false, "pmUpperCase",      "すべて大文字に",       "mUpperCase"},
    {"pm_reExpression", true,  "pmFind",           "検索",                 "mFind"},
    {"pm_reExpression", false, "pmReplace",        "置換",                 "mReplace"},
};
// clang-format on

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

// The menus by object name, each made when first named, so that it stands
// in its parent after the items placed there before it.
class MenuPlaces {
public:
    explicit MenuPlaces(QMainWindow& window) : Window(window) {}

    QMenu* Place(const char* name, bool separatorBefore)
    {
        QMenu* menu = Find(name);
        if (separatorBefore) menu->addSeparator();
        return menu;
    }

    QActionGroup* RadioGroup(QMenu* menu)
    {
        QActionGroup*& group = RadioGroups[menu];
        if (!group) group = new QActionGroup(&Window);
        return group;
    }

private:
    QMenu* Find(const char* name)
    {
        QMenu*& menu = Made[Text(name)];
        if (!menu) menu = Make(Definition(name));
        return menu;
    }

    QMenu* Make(const MenuDefinition& definition)
    {
        QMenu* menu = nullptr;
        if (!definition.parent) {
            menu = new QMenu(&Window);
        } else if (*definition.parent == '\0') {
            menu = Window.menuBar()->addMenu(Text(definition.title));
        } else {
            menu = Place(definition.parent, definition.separatorBefore)->addMenu(Text(definition.title));
        }
        menu->setObjectName(Text(definition.name));
        return menu;
    }

    static const MenuDefinition& Definition(const char* name)
    {
        for (const MenuDefinition& definition : Menus) {
            if (qstrcmp(definition.name, name) == 0) return definition;
        }
        qFatal("no menu %s", name);
    }

    QMainWindow& Window;
    QHash<QString, QMenu*> Made;
    QHash<QMenu*, QActionGroup*> RadioGroups;
};

void SetMark(QAction* action, Mark mark, MenuPlaces& places, QMenu* menu)
{
    if (mark == Mark::None) return;
    action->setCheckable(true);
    // Qt inverts the check mark on each click, before the handler runs.
    action->setChecked(mark == Mark::On);
    if (mark != Mark::Radio) return;
    QActionGroup* group = places.RadioGroup(menu);
    group->addAction(action);
    if (group->actions().size() == 1) action->setChecked(true);
}

void ShowPopupAt(QAbstractScrollArea* pane, QMenu* menu)
{
    pane->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(pane, &QWidget::customContextMenuRequested, menu,
                     [pane, menu](const QPoint& at) { menu->popup(pane->viewport()->mapToGlobal(at)); });
}

QAction* NewCommand(TMainForm& form, const CommandDefinition& definition, QMenu* menu)
{
    auto* action = new QAction(Text(definition.caption), &form);
    action->setObjectName(Text(definition.name));
    action->setShortcut(QKeySequence::fromString(Text(definition.shortcut), QKeySequence::PortableText));
    action->setStatusTip(Text(definition.status));
    // A shortcut works wherever the focus is in the window.
    if (!action->shortcut().isEmpty()) form.addAction(action);
    if (definition.handler) form.Bind(action, &QAction::triggered, definition.handler, definition.loading);
    if (definition.member) definition.member(form) = action;
    menu->addAction(action);
    return action;
}

}  // namespace

// The menus stay without pictures (an icon on an action would widen them);
// the picture is for the command's speed button.
QIcon TMainForm::CommandIcon(const char* name) const
{
    for (const CommandDefinition& definition : Commands) {
        if (qstrcmp(definition.name, name) == 0 && definition.themeIcon)
            return ThemeIcon(Text(definition.themeIcon), definition.fallbackIcon, style());
    }
    qFatal("no icon for the command %s", name);
}

QAction* TMainForm::CommandAction(const char* name) const
{
    auto* action = findChild<QAction*>(Text(name), Qt::FindDirectChildrenOnly);
    if (!action) qFatal("no command %s", name);
    return action;
}

void TMainForm::CreateMenus()
{
    menuBar()->setObjectName(QStringLiteral("MainMenu"));
    MenuPlaces places(*this);
    for (const CommandDefinition& definition : Commands) {
        QMenu* menu = places.Place(definition.menu, definition.separatorBefore);
        SetMark(NewCommand(*this, definition, menu), definition.mark, places, menu);
    }
    for (const PopupItemDefinition& definition : PopupItems) {
        auto* item = new QAction(Text(definition.caption), this);
        item->setObjectName(Text(definition.name));
        connect(item, &QAction::triggered, CommandAction(definition.command), &QAction::trigger);
        places.Place(definition.menu, definition.separatorBefore)->addAction(item);
    }
    Popup.pm_reExpression = places.Place("pm_reExpression", false);
    Popup.pm_reResult = places.Place("pm_reResult", false);
    Popup.pmFileListbox = places.Place("pmFileListbox", false);
}

void TMainForm::AttachPopupMenus()
{
    ShowPopupAt(Panes.reExpression, Popup.pm_reExpression);
    ShowPopupAt(Panes.reResult, Popup.pm_reResult);
    ShowPopupAt(Panes.LeftPanel->FileListBox, Popup.pmFileListbox);
}

}  // namespace tallyrix
