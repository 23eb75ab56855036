// The main window's panels, toolbars, menus and status bar.
#include <QAction>
#include <QActionGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/MainForm.h"
#include "shell/ButtonBar.h"
#include "shell/Hints.h"
#include "shell/ResultPane.h"
#include "shell/RichEdit.h"

namespace tallyrix {
namespace {

using Handler = void (TMainForm::*)();

struct ButtonDefinition {
    const char* caption;
    const char* hint;
    bool breakAfter;
    Handler handler;  // none: the button inserts through its group's handler
    const char* name;
};

// The rows break after "0" and after "=".
constexpr ButtonDefinition NumberButtons[] = {
    {"1", "'1'の入力", false, nullptr, nullptr},
    {"2", "'2'の入力", false, nullptr, nullptr},
    {"3", "'3'の入力", false, nullptr, nullptr},
    {"4", "'4'の入力", false, nullptr, nullptr},
    {"5", "'5'の入力", false, nullptr, nullptr},
    {"6", "'6'の入力", false, nullptr, nullptr},
    {"7", "'7'の入力", false, nullptr, nullptr},
    {"8", "'8'の入力", false, nullptr, nullptr},
    {"9", "'9'の入力", false, nullptr, nullptr},
    {"0", "'0'の入力", true, nullptr, nullptr},
    {".", "'.'の入力", false, nullptr, nullptr},
    {"pi", "'pi'の入力", false, nullptr, nullptr},
    {"+", "'+'の入力", false, nullptr, nullptr},
    {"-", "'-'の入力", false, nullptr, nullptr},
    {"*", "'*'の入力", false, nullptr, nullptr},
    {"/", "'/'の入力", false, nullptr, nullptr},
    {"^", "'^ 'の入力", false, nullptr, nullptr},
    {"%", "'%'の入力", false, nullptr, nullptr},
    {"!", "'!'の入力", false, nullptr, nullptr},
    {"=", "'='の入力", true, nullptr, nullptr},
    {";", "';'の入力", false, nullptr, nullptr},
    {"(", "'('の入力", false, nullptr, nullptr},
    {")", "')'の入力", false, nullptr, nullptr},
    {"BS", "バックスペースキー", false, &TMainForm::BSBtnClick, "BSBtn"},
    {"Del", "Delキー", false, &TMainForm::DelBtnClick, "DelBtn"},
    {"Tab", "タブキー", false, &TMainForm::TabBtnClick, "TabBtn"},
    {"CR", "リターン|改行", false, &TMainForm::LfBtnClick, "LfBtn"},
    {"Home", "先頭へ", false, &TMainForm::HomeBtnClick, "HomeBtn"},
    {"End", "最後へ", false, &TMainForm::EndBtnClick, "EndBtn"},
};

// The rows break after "tan()".
constexpr ButtonDefinition FunctionButtons[] = {
    {"()", "両端に括弧|選択部分の両側に括弧をつける", false, nullptr, nullptr},
    {"abs()", "絶対値|絶対値関数", false, nullptr, nullptr},
    {"sqrt()", "平方根|平方根関数", false, nullptr, nullptr},
    {"exp()", "指数|指数関数", false, nullptr, nullptr},
    {"log()", "自然対数|自然対数関数", false, nullptr, nullptr},
    {"log10()", "常用対数|常用対数関数", false, nullptr, nullptr},
    {"sin()", "正弦|正弦関数", false, nullptr, nullptr},
    {"cos()", "余弦|余弦関数", false, nullptr, nullptr},
    {"tan()", "正接|正接関数", true, nullptr, nullptr},
    {"asin()", "逆正弦|逆正弦関数", false, nullptr, nullptr},
    {"acos()", "逆余弦|逆余弦関数", false, nullptr, nullptr},
    {"atan()", "逆正弦|逆正接関数", false, nullptr, nullptr},
    {"sinh()", "双曲線正弦関数", false, nullptr, nullptr},
    {"cosh()", "双曲線余弦関数", false, nullptr, nullptr},
    {"tanh()", "双曲線正接関数", false, nullptr, nullptr},
    {"ceil()", "小数点以下切り上げ", false, nullptr, nullptr},
    {"floor()", "小数点以下切り捨て", false, nullptr, nullptr},
    {"step()", "ステップ関数", false, nullptr, nullptr},
};

template <typename Sender, typename Signal>
void Bind(TMainForm* form, Sender* sender, Signal signal, std::function<void()> handler)
{
    QObject::connect(sender, signal, form, [form, handler = std::move(handler)] { form->RunHandler(handler); });
}

// Buttons without a handler of their own insert through groupHandler; they
// are numbered after it (NumberBtn1, FuncBtn1, ...).
template <std::size_t N>
void AddButtons(TMainForm* form, TButtonBar* bar, const ButtonDefinition (&definitions)[N],
                void (TMainForm::*groupHandler)(QAbstractButton*), const QString& groupName)
{
    int number = 0;
    for (const ButtonDefinition& definition : definitions) {
        QToolButton* button = bar->AddButton(QString::fromUtf8(definition.caption), QString::fromUtf8(definition.hint),
                                             definition.breakAfter);
        if (definition.handler) {
            button->setObjectName(QString::fromUtf8(definition.name));
            Bind(form, button, &QToolButton::clicked, [form, handler = definition.handler] { (form->*handler)(); });
        } else {
            button->setObjectName(groupName + QString::number(++number));
            Bind(form, button, &QToolButton::clicked, [form, button, groupHandler] { (form->*groupHandler)(button); });
        }
    }
}

QMenu* AddSubMenu(QMenu* parent, const QString& name, const QString& title)
{
    QMenu* menu = parent->addMenu(title);
    menu->setObjectName(name);
    return menu;
}

void MakeRadioPair(QObject* owner, QAction* first, QAction* second)
{
    auto* group = new QActionGroup(owner);
    group->setExclusive(true);
    for (QAction* action : {first, second}) {
        action->setCheckable(true);
        group->addAction(action);
    }
    first->setChecked(true);
}

void ShowPopupAt(QAbstractScrollArea* pane, QMenu* menu)
{
    pane->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(pane, &QWidget::customContextMenuRequested, menu,
                     [pane, menu](const QPoint& at) { menu->popup(pane->viewport()->mapToGlobal(at)); });
}

}  // namespace

void TMainForm::CreateComponents()
{
    setObjectName(QStringLiteral("MainForm"));
    setGeometry(1, 0, 582, 466);
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(13);
    setFont(font);
    // Menus are windows of their own; they take the window's font too.
    setAttribute(Qt::WA_WindowPropagation);

    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    frame->setLineWidth(1);
    RightPanel = frame;
    RightPanel->setObjectName(QStringLiteral("RightPanel"));
    auto* column = new QVBoxLayout(RightPanel);
    column->setContentsMargins(3, 3, 3, 3);
    column->setSpacing(0);

    CoolBar1 = new QWidget(RightPanel);
    CoolBar1->setObjectName(QStringLiteral("CoolBar1"));
    auto* bands = new QVBoxLayout(CoolBar1);
    bands->setContentsMargins(0, 0, 0, 2);
    bands->setSpacing(2);
    AddBand(bands, CreateResultBand(), 23);
    CreateNumberToolBar();
    AddBand(bands, tbNumber, 63);
    CreateFunctionToolBar();
    AddBand(bands, tbFunction, 42);
    CreateRegisterToolBar();
    AddBand(bands, tbRegister, 19);
    column->addWidget(CoolBar1);
    column->addWidget(CreateEditors(), 1);
    PlacePanels();

    CreateStatusBar();
    CreateMenus();
    CreatePopupMenus();
}

void TMainForm::AddBand(QVBoxLayout* column, QWidget* band, int minimumHeight)
{
    band->setMinimumHeight(minimumHeight);
    column->addWidget(band);
}

QWidget* TMainForm::CreateResultBand()
{
    ResultPanel = new QWidget;
    ResultPanel->setObjectName(QStringLiteral("ResultPanel"));
    auto* row = new QHBoxLayout(ResultPanel);
    row->setContentsMargins(4, 0, 0, 0);
    row->setSpacing(0);
    Label1 = new QLabel(QStringLiteral("計算結果"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFixedWidth(60);  // the result field starts at 64
    OutputEdit = new QLineEdit;
    OutputEdit->setObjectName(QStringLiteral("OutputEdit"));
    OutputEdit->setReadOnly(true);
    ApplyHint(OutputEdit, QStringLiteral("右クリックでコピーできます"));
    row->addWidget(Label1);
    row->addWidget(OutputEdit, 1);
    return ResultPanel;
}

void TMainForm::CreateNumberToolBar()
{
    tbNumber = new TButtonBar(QStringLiteral("tbNumber"), QSize(39, 21));
    ApplyHint(tbNumber, QStringLiteral("|数値や記号の入力"));
    AddButtons(this, tbNumber, NumberButtons, &TMainForm::NumberBtn1Click, QStringLiteral("NumberBtn"));
}

void TMainForm::CreateFunctionToolBar()
{
    tbFunction = new TButtonBar(QStringLiteral("tbFunction"), QSize(45, 21));
    ApplyHint(tbFunction, QStringLiteral("|関数の入力"));
    AddButtons(this, tbFunction, FunctionButtons, &TMainForm::FuncBtn1Click, QStringLiteral("FuncBtn"));
}

// Filled from Registered.txt; each button as wide as its caption.
void TMainForm::CreateRegisterToolBar() { tbRegister = new TButtonBar(QStringLiteral("tbRegister"), QSize()); }

QWidget* TMainForm::CreateEditors()
{
    rePanel = new QWidget;
    rePanel->setObjectName(QStringLiteral("rePanel"));
    auto* layout = new QVBoxLayout(rePanel);
    layout->setContentsMargins(0, 0, 0, 0);
    Splitter2 = new QSplitter(Qt::Horizontal);
    Splitter2->setObjectName(QStringLiteral("Splitter2"));
    Splitter2->setHandleWidth(3);
    reExpression = new TRichEdit(QStringLiteral("reExpression"));
    ApplyHint(reExpression, QStringLiteral("|//行末までコメント、///以下すべての行コメント"));
    reResult = new TResultPane(QStringLiteral("reResult"));
    ApplyHint(reResult, QStringLiteral("|変数・途中式の値"));
    Splitter2->addWidget(reExpression);
    Splitter2->addWidget(reResult);
    Splitter2->setStretchFactor(0, 1);
    Splitter2->setStretchFactor(1, 0);
    Splitter2->setSizes({400, 165});
    layout->addWidget(Splitter2);

    ApplyEditorFont();
    reExpression->setCurrentCharFormat(EditorFormat());
    reExpression->installEventFilter(this);
    Bind(this, reExpression, &QTextEdit::textChanged, [this] { reExpressionChange(); });
    Bind(this, reExpression, &QTextEdit::cursorPositionChanged, [this] { ShowCaretPosition(); });
    Bind(this, reExpression, &QTextEdit::selectionChanged, [this] { ShowCaretPosition(); });
    return rePanel;
}

void TMainForm::CreateStatusBar()
{
    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setMinimumHeight(20);
    setStatusBar(StatusBar);
    constexpr int widths[] = {120, 70, 50, 170};
    for (int i = 0; i < 5; ++i) {
        auto* panel = new QLabel(StatusBar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        // The last panel takes the rest of the bar; a long hint there must
        // not widen the window.
        if (i < 4) {
            panel->setFixedWidth(widths[i]);
        } else {
            panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
            panel->setMinimumWidth(50);
        }
        StatusBar->addWidget(panel, i < 4 ? 0 : 1);
        StatusPanels[i] = panel;
    }
}

QAction* TMainForm::NewAction(const QString& name, const QString& caption, Handler handler,
                              const QKeySequence& shortcut)
{
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    if (!shortcut.isEmpty()) addAction(action);
    Bind(this, action, &QAction::triggered, [this, handler] { (this->*handler)(); });
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
    mSelectAll = NewAction(QStringLiteral("mSelectAll"), QStringLiteral("すべて選択(&A)"),
                           &TMainForm::SelectAllClick, QKeySequence(Qt::CTRL | Qt::Key_A));
    mCopyWithResult = NewAction(QStringLiteral("mCopyWithResult"), QStringLiteral("計算式と結果をコピー"),
                                &TMainForm::CopyWithResultClick, QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_C));
    mLowerCase = NewAction(QStringLiteral("mLowerCase"), QStringLiteral("すべて小文字に(&L)"),
                           &TMainForm::mLowerCaseClick);
    mUpperCase = NewAction(QStringLiteral("mUpperCase"), QStringLiteral("すべて大文字に(&U)"),
                           &TMainForm::mUpperCaseClick);
    menu->addAction(mUndo);
    menu->addSeparator();
    menu->addActions({mCut, mCopy, mPaste, mSelectAll});
    menu->addSeparator();
    menu->addAction(mCopyWithResult);
    menu->addSeparator();
    AddSubMenu(menu, QStringLiteral("mConvertCase"), QStringLiteral("選択部分の変換(&T)"))
        ->addActions({mLowerCase, mUpperCase});
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
}

void TMainForm::CreateOptionsMenu()
{
    QMenu* menu = menuBar()->addMenu(QStringLiteral("オプション(&O)"));
    menu->setObjectName(QStringLiteral("mOptions"));
    mVariable = NewAction(QStringLiteral("mVariable"), QStringLiteral("登録変数の一覧"), &TMainForm::mVariableClick);
    mEquation = NewAction(QStringLiteral("mEquation"), QStringLiteral("各式の値"), &TMainForm::mEquationClick);
    MakeRadioPair(this, mVariable, mEquation);
    AddSubMenu(menu, QStringLiteral("mSubWindow"), QStringLiteral("サブウインドウの表示(&H)"))
        ->addActions({mVariable, mEquation});
    mEnter = NewOption(QStringLiteral("mEnter"), QStringLiteral("エンターキーを押すまで評価しない(&E)"), false);
    mEnterToSemicolon =
        NewOption(QStringLiteral("mEnterToSemicolon"), QStringLiteral("エンターキーで \";\" を挿入(&S)"), false);
    mInsertRegisteredValue =
        NewOption(QStringLiteral("mInsertRegisteredValue"), QStringLiteral("定数の登録値を直接挿入(&C)"), false);
    mSkipCheckFileSave =
        NewOption(QStringLiteral("mSkipCheckFileSave"), QStringLiteral("変更時保存確認しない(&N)"), false);
    menu->addActions({mEnter, mEnterToSemicolon, mInsertRegisteredValue, mSkipCheckFileSave});
    menu->addSeparator();
    mRAD = NewAction(QStringLiteral("mRAD"), QStringLiteral("RAD"), &TMainForm::mRADClick);
    mDEG = NewAction(QStringLiteral("mDEG"), QStringLiteral("DEG"), &TMainForm::mDEGClick);
    MakeRadioPair(this, mRAD, mDEG);
    AddSubMenu(menu, QStringLiteral("mAngle"), QStringLiteral("角度(&A)"))->addActions({mRAD, mDEG});
    menu->addSeparator();
    mEditorFont = NewAction(QStringLiteral("mEditorFont"), QStringLiteral("計算式の表示フォント..."),
                            &TMainForm::EditorFontClick);
    mCommentFont = NewAction(QStringLiteral("mCommentFont"), QStringLiteral("コメントの表示フォント..."),
                             &TMainForm::CommentFontClick);
    mEditorColor = NewAction(QStringLiteral("mEditorColor"), QStringLiteral("背景色..."), &TMainForm::EditorColorClick);
    AddSubMenu(menu, QStringLiteral("mEditorSettings"), QStringLiteral("編集画面の設定(&F)"))
        ->addActions({mEditorFont, mCommentFont, mEditorColor});
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
        ->addActions({NewAction(QStringLiteral("pmLowerCase"), QStringLiteral("すべて小文字に"),
                                &TMainForm::mLowerCaseClick),
                      NewAction(QStringLiteral("pmUpperCase"), QStringLiteral("すべて大文字に"),
                                &TMainForm::mUpperCaseClick)});
    ShowPopupAt(reExpression, pm_reExpression);

    pm_reResult = new QMenu(this);
    pm_reResult->setObjectName(QStringLiteral("pm_reResult"));
    pm_reResult->addAction(NewAction(QStringLiteral("Copy2"), QStringLiteral("コピー"), &TMainForm::Copy2Click));
    ShowPopupAt(reResult, pm_reResult);
}

}  // namespace tallyrix
