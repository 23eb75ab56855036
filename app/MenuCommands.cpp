// The main menu and the pop-up menus of the editor and the side pane.
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include "app/MainForm.h"
#include "shell/ResultPane.h"
#include "shell/RichEdit.h"

namespace tallyrix {
namespace {

QMenu* AddSubMenu(QMenu* parent, const QString& name, const QString& title)
{
    QMenu* menu = parent->addMenu(title);
    menu->setObjectName(name);
    return menu;
}

void MakeRadioGroup(QObject* owner, std::initializer_list<QAction*> actions)
{
    auto* group = new QActionGroup(owner);
    group->setExclusive(true);
    for (QAction* action : actions) {
        action->setCheckable(true);
        group->addAction(action);
    }
    (*actions.begin())->setChecked(true);
}

// A switch whose check mark Qt inverts before its handler runs.
QAction* Checkable(QAction* action, bool checked)
{
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

void ShowPopupAt(QAbstractScrollArea* pane, QMenu* menu)
{
    pane->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(pane, &QWidget::customContextMenuRequested, menu,
                     [pane, menu](const QPoint& at) { menu->popup(pane->viewport()->mapToGlobal(at)); });
}

}  // namespace

QAction* TMainForm::NewAction(const QString& name, const QString& caption, TMainForm::Command handler,
                              const QKeySequence& shortcut)
{
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    if (!shortcut.isEmpty()) addAction(action);
    if (handler) Bind(action, &QAction::triggered, handler);
    return action;
}

QAction* TMainForm::NewOption(const QString& name, const QString& caption, bool checked)
{
    // Qt inverts the check mark on each click, which is all these options do.
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

void TMainForm::CreateMenus()
{
    menuBar()->setObjectName(QStringLiteral("MainMenu"));
    CreateFileMenu();
    CreateEditMenu();
    CreateToolsMenu();
    CreateOptionsMenu();
    CreateHelpMenu();
}

void TMainForm::CreateEditMenu()
{
    QMenu* menu = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    menu->setObjectName(QStringLiteral("mEdit"));
    mUndo = NewAction(QStringLiteral("mUndo"), QStringLiteral("取り消し(&U)"), &TMainForm::UndoClick,
                      QKeySequence(Qt::CTRL | Qt::Key_Z));
    mCut = NewAction(QStringLiteral("mCut"), QStringLiteral("切り取り(&T)"), &TMainForm::CutClick,
                     QKeySequence(Qt::CTRL | Qt::Key_X));
    mCopy = NewAction(QStringLiteral("mCopy"), QStringLiteral("コピー(&C)"), &TMainForm::CopyClick,
                      QKeySequence(Qt::CTRL | Qt::Key_C));
    mPaste = NewAction(QStringLiteral("mPaste"), QStringLiteral("貼り付け(&P)"), &TMainForm::PasteClick,
                       QKeySequence(Qt::CTRL | Qt::Key_V));
    mSelectAll = NewAction(QStringLiteral("mSelectAll"), QStringLiteral("すべて選択(&A)"), &TMainForm::SelectAllClick,
                           QKeySequence(Qt::CTRL | Qt::Key_A));
    mCopyWithResult = NewAction(QStringLiteral("mCopyWithResult"), QStringLiteral("計算式と結果をコピー"),
                                &TMainForm::CopyWithResultClick, QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_C));
    mLowerCase =
        NewAction(QStringLiteral("mLowerCase"), QStringLiteral("すべて小文字に(&L)"), &TMainForm::mLowerCaseClick);
    mUpperCase =
        NewAction(QStringLiteral("mUpperCase"), QStringLiteral("すべて大文字に(&U)"), &TMainForm::mUpperCaseClick);
    menu->addAction(mUndo);
    menu->addSeparator();
    menu->addActions({mCut, mCopy, mPaste, mSelectAll});
    menu->addSeparator();
    menu->addAction(mCopyWithResult);
    menu->addSeparator();
    AddSubMenu(menu, QStringLiteral("mConvertCase"), QStringLiteral("選択部分の変換(&T)"))
        ->addActions({mLowerCase, mUpperCase});
    menu->addSeparator();
    mFind =
        NewAction(QStringLiteral("mFind"), QStringLiteral("検索(&F)..."), nullptr, QKeySequence(Qt::CTRL | Qt::Key_F));
    mReplace = NewAction(QStringLiteral("mReplace"), QStringLiteral("置換(&R)..."), nullptr,
                         QKeySequence(Qt::CTRL | Qt::Key_R));
    menu->addActions({mFind, mReplace});
}

void TMainForm::CreateToolsMenu()
{
    QMenu* menu = menuBar()->addMenu(QStringLiteral("ツール(&T)"));
    menu->setObjectName(QStringLiteral("mTools"));
    mRegisterConst1 = NewAction(QStringLiteral("mRegisterConst1"), QStringLiteral("定数・文字列の登録...(&R)"),
                                &TMainForm::mRegisterConst1Click);
    menu->addAction(mRegisterConst1);
    menu->addSeparator();
    mUpdate1 = NewAction(QStringLiteral("mUpdate1"), QStringLiteral("表示の更新(&U)"), &TMainForm::mUpdate1Click,
                         QKeySequence(Qt::CTRL | Qt::Key_U));
    menu->addAction(mUpdate1);
    menu->addSeparator();
    mExplorer1 = NewAction(QStringLiteral("mExplorer1"), QStringLiteral("エクスプローラの起動(&E)"), nullptr);
    menu->addAction(mExplorer1);
    menu->addSeparator();
    mHide1 = NewAction(QStringLiteral("mHide1"), QStringLiteral("タスクトレーに隠す(&H)"), nullptr);
    menu->addAction(mHide1);
}

void TMainForm::CreateOptionsMenu()
{
    QMenu* menu = menuBar()->addMenu(QStringLiteral("オプション(&O)"));
    menu->setObjectName(QStringLiteral("mOptions"));
    mVariable = NewAction(QStringLiteral("mVariable"), QStringLiteral("登録変数の一覧"), &TMainForm::mVariableClick);
    mEquation = NewAction(QStringLiteral("mEquation"), QStringLiteral("各式の値"), &TMainForm::mEquationClick);
    mAligned = NewAction(QStringLiteral("mAligned"), QStringLiteral("各行の値"), &TMainForm::mAlignedClick);
    MakeRadioGroup(this, {mVariable, mEquation, mAligned});
    AddSubMenu(menu, QStringLiteral("mSubWindow"), QStringLiteral("サブウインドウの表示(&H)"))
        ->addActions({mVariable, mEquation, mAligned});
    mEnter = NewOption(QStringLiteral("mEnter"), QStringLiteral("エンターキーを押すまで評価しない(&E)"), false);
    mEnterToSemicolon =
        NewOption(QStringLiteral("mEnterToSemicolon"), QStringLiteral("エンターキーで \";\" を挿入(&S)"), false);
    mInsertRegisteredValue =
        NewOption(QStringLiteral("mInsertRegisteredValue"), QStringLiteral("定数の登録値を直接挿入(&C)"), false);
    mSkipCheckFileSave =
        NewOption(QStringLiteral("mSkipCheckFileSave"), QStringLiteral("変更時保存確認しない(&N)"), false);
    menu->addActions({mEnter, mEnterToSemicolon, mInsertRegisteredValue, mSkipCheckFileSave});
    menu->addSeparator();
    // The typing aid stands apart from the Enter and file options.
    mCompletion = NewOption(QStringLiteral("mCompletion"), QStringLiteral("入力補完"), true);
    menu->addAction(mCompletion);
    menu->addSeparator();
    mRAD = NewAction(QStringLiteral("mRAD"), QStringLiteral("RAD"), &TMainForm::mRADClick);
    mDEG = NewAction(QStringLiteral("mDEG"), QStringLiteral("DEG"), &TMainForm::mDEGClick);
    MakeRadioGroup(this, {mRAD, mDEG});
    AddSubMenu(menu, QStringLiteral("mAngle"), QStringLiteral("角度(&A)"))->addActions({mRAD, mDEG});
    menu->addSeparator();
    CreateViewMenus(menu);
    mEditorFont = NewAction(QStringLiteral("mEditorFont"), QStringLiteral("計算式の表示フォント..."),
                            &TMainForm::EditorFontClick);
    mCommentFont = NewAction(QStringLiteral("mCommentFont"), QStringLiteral("コメントの表示フォント..."),
                             &TMainForm::CommentFontClick);
    mEditorColor = NewAction(QStringLiteral("mEditorColor"), QStringLiteral("背景色..."), &TMainForm::EditorColorClick);
    AddSubMenu(menu, QStringLiteral("mEditorSettings"), QStringLiteral("編集画面の設定(&F)"))
        ->addActions({mEditorFont, mCommentFont, mEditorColor});
    menu->addSeparator();
    mFlatBtn = Checkable(
        NewAction(QStringLiteral("mFlatBtn"), QStringLiteral("フラットボタン(&F)"), &TMainForm::mFlatBtnClick), true);
    mStayOnTop = Checkable(NewAction(QStringLiteral("mStayOnTop"), QStringLiteral("ウインドウを最前面に(&U)"),
                                     &TMainForm::mStayOnTopClick, QKeySequence(Qt::Key_F4)),
                           false);
    menu->addActions({mFlatBtn, mStayOnTop});
}

// The presets, the toolbar switches and the window's division.
void TMainForm::CreateViewMenus(QMenu* options)
{
    MostSimple = NewAction(QStringLiteral("MostSimple"), QStringLiteral("最もシンプルに"), &TMainForm::MostSimpleClick,
                           QKeySequence(Qt::Key_F5));
    FullyShown = NewAction(QStringLiteral("FullyShown"), QStringLiteral("フル表示に"), &TMainForm::FullyShownClick,
                           QKeySequence(Qt::Key_F6));
    AddSubMenu(options, QStringLiteral("mPresets"), QStringLiteral("表示設定の一括変更(&O)"))
        ->addActions({MostSimple, FullyShown});
    ShowSpeedBar = Checkable(
        NewAction(QStringLiteral("ShowSpeedBar"), QStringLiteral("メイン"), &TMainForm::ShowSpeedBarClick), true);
    ShowNumberToolBar = Checkable(NewAction(QStringLiteral("ShowNumberToolBar"), QStringLiteral("数値と記号"),
                                            &TMainForm::ShowNumberToolBarClick),
                                  true);
    ShowFunctionToolBar = Checkable(
        NewAction(QStringLiteral("ShowFunctionToolBar"), QStringLiteral("関数"), &TMainForm::ShowFunctionToolBarClick),
        true);
    ShowRegisteredToolBar = Checkable(NewAction(QStringLiteral("ShowRegisteredToolBar"), QStringLiteral("登録定数"),
                                                &TMainForm::ShowRegisteredToolBarClick),
                                      true);
    AddSubMenu(options, QStringLiteral("mToolBars"), QStringLiteral("ツールバーの表示(&T)"))
        ->addActions({ShowSpeedBar, ShowNumberToolBar, ShowFunctionToolBar, ShowRegisteredToolBar});
    OnlyExpression = NewAction(QStringLiteral("OnlyExpression"), QStringLiteral("計算式の全画面表示(&Z)"),
                               &TMainForm::OnlyExpressionClick, QKeySequence(Qt::Key_F7));
    FileListAndExpression =
        NewAction(QStringLiteral("FileListAndExpression"), QStringLiteral("ファイルリストを隠す(&Y)"),
                  &TMainForm::FileListAndExpressionClick, QKeySequence(Qt::Key_F8));
    DefaultForm = NewAction(QStringLiteral("DefaultForm"), QStringLiteral("デフォルト表示(&X)"),
                            &TMainForm::DefaultFormClick, QKeySequence(Qt::Key_F9));
    AddSubMenu(options, QStringLiteral("mDivision"), QStringLiteral("ウインドウの分割(&D)"))
        ->addActions({OnlyExpression, FileListAndExpression, DefaultForm});
}

void TMainForm::CreateHelpMenu()
{
    QMenu* menu = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    menu->setObjectName(QStringLiteral("mHelp"));
    Topics = NewAction(QStringLiteral("Topics"), QStringLiteral("トピックス(&T)"), nullptr, QKeySequence(Qt::Key_F1));
    About1 = NewAction(QStringLiteral("About1"), QStringLiteral("バージョン情報(&A)"), nullptr);
    menu->addAction(Topics);
    menu->addSeparator();
    menu->addAction(About1);
}

void TMainForm::CreatePopupMenus()
{
    pm_reExpression = new QMenu(this);
    pm_reExpression->setObjectName(QStringLiteral("pm_reExpression"));
    pm_reExpression->addAction(NewAction(QStringLiteral("pmUndo"), QStringLiteral("取り消し"), &TMainForm::UndoClick));
    pm_reExpression->addSeparator();
    pm_reExpression->addActions(
        {NewAction(QStringLiteral("pmCut"), QStringLiteral("切り取り"), &TMainForm::CutClick),
         NewAction(QStringLiteral("pmCopy"), QStringLiteral("コピー"), &TMainForm::CopyClick),
         NewAction(QStringLiteral("pmPaste"), QStringLiteral("貼り付け"), &TMainForm::PasteClick)});
    pm_reExpression->addSeparator();
    pm_reExpression->addAction(NewAction(QStringLiteral("pmCopyWithResult"), QStringLiteral("計算式と結果をコピー"),
                                         &TMainForm::CopyWithResultClick));
    pm_reExpression->addSeparator();
    AddSubMenu(pm_reExpression, QStringLiteral("pmConvertCase"), QStringLiteral("選択部分..."))
        ->addActions(
            {NewAction(QStringLiteral("pmLowerCase"), QStringLiteral("すべて小文字に"), &TMainForm::mLowerCaseClick),
             NewAction(QStringLiteral("pmUpperCase"), QStringLiteral("すべて大文字に"), &TMainForm::mUpperCaseClick)});
    pm_reExpression->addSeparator();
    pmFind = NewAction(QStringLiteral("pmFind"), QStringLiteral("検索"), nullptr);
    pmReplace = NewAction(QStringLiteral("pmReplace"), QStringLiteral("置換"), nullptr);
    pm_reExpression->addActions({pmFind, pmReplace});
    ShowPopupAt(reExpression, pm_reExpression);

    pm_reResult = new QMenu(this);
    pm_reResult->setObjectName(QStringLiteral("pm_reResult"));
    pm_reResult->addAction(NewAction(QStringLiteral("Copy2"), QStringLiteral("コピー"), &TMainForm::Copy2Click));
    ShowPopupAt(reResult, pm_reResult);
}

}  // namespace tallyrix
