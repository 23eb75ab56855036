// The speed bar, the file pane with Splitter1 beside the right panel, the
// File menu and the file list's pop-up menu.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/MainForm.h"
#include "shell/FileListBox.h"
#include "shell/FilePane.h"
#include "shell/Hints.h"
#include "shell/ThemeIcons.h"

namespace tallyrix {

void TMainForm::PlacePanels()
{
    auto* window = new QWidget(this);
    window->setObjectName(QStringLiteral("ClientArea"));
    auto* rows = new QVBoxLayout(window);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    CreateSpeedBar();
    rows->addWidget(SpeedBar);

    LeftPanel = new TFilePane;
    Splitter1 = new QSplitter(Qt::Horizontal);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(5);
    Splitter1->addWidget(LeftPanel);
    Splitter1->addWidget(RightPanel);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({129, 448});
    // The drive list fills its panel's layout, so it follows every move of
    // Splitter1; the result field likewise reaches the end of its band at
    // every size of the window. No handler has to set either width.
    rows->addWidget(Splitter1, 1);
    setCentralWidget(window);

    Bind(LeftPanel, &TFilePane::FileChosen, &TMainForm::FileListBoxClick);
    CreateFileListPopup();
}

namespace {

struct SpeedButtonDefinition {
    const char* name;
    int left;
    const char* hint;
    const char* themeIcon;
    QStyle::StandardPixmap fallbackIcon;
    TMainForm::Command handler;  // none: bound by the find, tray and explorer commands
    QToolButton* TMainForm::*member;
};

// The buttons stand at their own left edges, with gaps between the groups.
const SpeedButtonDefinition SpeedButtons[] = {
    {"NewBtn", 8, "新規|新規ファイルを作成", "document-new-symbolic", QStyle::SP_FileIcon, &TMainForm::FileNew,
     &TMainForm::NewBtn},
    {"FileOpenBtn", 31, "開く|ファイルを開く", "document-open-symbolic", QStyle::SP_DialogOpenButton,
     &TMainForm::FileOpen, &TMainForm::FileOpenBtn},
    {"FileSaveBtn", 54, "保存|ファイルを上書き保存する", "document-save-symbolic", QStyle::SP_DialogSaveButton,
     &TMainForm::FileSave, &TMainForm::FileSaveBtn},
    {"CutBtn", 96, "カット|選択部分の切り取り", "edit-cut-symbolic", QStyle::SP_DialogDiscardButton,
     &TMainForm::CutClick, &TMainForm::CutBtn},
    {"CopyBtn", 119, "コピー|選択部分のコピー", "edit-copy-symbolic", QStyle::SP_FileDialogDetailedView,
     &TMainForm::CopyClick, &TMainForm::CopyBtn},
    {"PasteBtn", 142, "張り付け|クリップボードから張り付け", "edit-paste-symbolic", QStyle::SP_DialogApplyButton,
     &TMainForm::PasteClick, &TMainForm::PasteBtn},
    {"UndoBtn", 165, "取り消し", "edit-undo-symbolic", QStyle::SP_ArrowBack, &TMainForm::UndoClick,
     &TMainForm::UndoBtn},
    {"FindBtn", 208, "検索", "edit-find-symbolic", QStyle::SP_FileDialogContentsView, nullptr, &TMainForm::FindBtn},
    {"UpdateBtn", 231, "更新|表示の更新", "view-refresh-symbolic", QStyle::SP_BrowserReload, &TMainForm::mUpdate1Click,
     &TMainForm::UpdateBtn},
    {"FontBtn", 273, "フォント|編集画面のフォント設定", "preferences-desktop-font-symbolic",
     QStyle::SP_FileDialogListView, &TMainForm::EditorFontClick, &TMainForm::FontBtn},
    {"CommentFontBtn", 296, "コメントフォント|コメント文のフォント設定", "format-text-bold-symbolic",
     QStyle::SP_FileDialogInfoView, &TMainForm::CommentFontClick, &TMainForm::CommentFontBtn},
    {"EditorColorBtn", 321, "背景色|編集画面の背景色の設定", "color-select-symbolic", QStyle::SP_DesktopIcon,
     &TMainForm::EditorColorClick, &TMainForm::EditorColorBtn},
    {"OnlyExpressionBtn", 361, "計算式のみ|計算式の全画面表示", "view-fullscreen-symbolic",
     QStyle::SP_TitleBarMaxButton, &TMainForm::OnlyExpressionClick, &TMainForm::OnlyExpressionBtn},
    {"FileListExpressionBtn", 384, "ファイルリストを隠す", "view-dual-symbolic", QStyle::SP_ArrowLeft,
     &TMainForm::FileListAndExpressionClick, &TMainForm::FileListExpressionBtn},
    {"DefaultFormBtn", 407, "デフォルト表示|デフォルトのウインドウ表示", "view-restore-symbolic",
     QStyle::SP_TitleBarNormalButton, &TMainForm::DefaultFormClick, &TMainForm::DefaultFormBtn},
    {"FormHideBtn", 448, "隠す|タスクトレーに隠す", "go-bottom-symbolic", QStyle::SP_TitleBarMinButton, nullptr,
     &TMainForm::FormHideBtn},
    {"ExplorerBtn", 471, "エクスプローラ|エクスプローラの起動", "system-file-manager-symbolic", QStyle::SP_DirOpenIcon,
     nullptr, &TMainForm::ExplorerBtn},
};

}  // namespace

void TMainForm::CreateSpeedBar()
{
    SpeedBar = new QWidget;
    SpeedBar->setObjectName(QStringLiteral("SpeedBar"));
    SpeedBar->setFixedHeight(25);
    for (const SpeedButtonDefinition& definition : SpeedButtons) {
        QToolButton* button =
            AddSpeedButton(QString::fromUtf8(definition.name), definition.left, QString::fromUtf8(definition.hint),
                           ThemeIcon(QString::fromUtf8(definition.themeIcon), definition.fallbackIcon, style()));
        if (definition.handler) Bind(button, &QToolButton::clicked, definition.handler);
        this->*definition.member = button;
    }
}

QToolButton* TMainForm::AddSpeedButton(const QString& name, int left, const QString& hint, const QIcon& icon)
{
    auto* button = new QToolButton(SpeedBar);
    button->setObjectName(name);
    button->setGeometry(left, 1, 23, 23);
    button->setAutoRaise(true);
    button->setIcon(icon);
    button->setIconSize(QSize(16, 16));
    button->setFocusPolicy(Qt::NoFocus);
    ApplyHint(button, hint);
    return button;
}

void TMainForm::CreateFileMenu()
{
    QMenu* menu = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    menu->setObjectName(QStringLiteral("mFile"));
    mFileNew = NewAction(QStringLiteral("mFileNew"), QStringLiteral("新規作成(&N)"), &TMainForm::FileNew,
                         QKeySequence(Qt::CTRL | Qt::Key_N));
    mFileOpen = NewAction(QStringLiteral("mFileOpen"), QStringLiteral("開く(&O)..."), &TMainForm::FileOpen,
                          QKeySequence(Qt::CTRL | Qt::Key_O));
    mFileSave = NewAction(QStringLiteral("mFileSave"), QStringLiteral("上書き保存(&S)"), &TMainForm::FileSave,
                          QKeySequence(Qt::CTRL | Qt::Key_S));
    mFileSaveAs =
        NewAction(QStringLiteral("mFileSaveAs"), QStringLiteral("名前を付けて保存(&A)..."), &TMainForm::FileSaveAs);
    mFileExit = NewAction(QStringLiteral("mFileExit"), QStringLiteral("終了(&X)"), &TMainForm::FileExit,
                          QKeySequence(Qt::ALT | Qt::Key_X));
    mFileNew->setStatusTip(QStringLiteral("新規ﾌｧｲﾙの作成"));
    mFileOpen->setStatusTip(QStringLiteral("既存のﾌｧｲﾙを開く"));
    mFileSave->setStatusTip(QStringLiteral("ﾌｧｲﾙを保存する"));
    mFileSaveAs->setStatusTip(QStringLiteral("ﾌｧｲﾙに別の名前を付けて保存"));
    mFileExit->setStatusTip(QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝの終了"));
    menu->addActions({mFileNew, mFileOpen, mFileSave, mFileSaveAs});
    menu->addSeparator();
    menu->addAction(mFileExit);
}

void TMainForm::CreateFileListPopup()
{
    pmFileListbox = new QMenu(this);
    pmFileListbox->setObjectName(QStringLiteral("pmFileListbox"));
    pmFileListbox->addAction(NewAction(QStringLiteral("pmOpenSelected"), QStringLiteral("選択ファイルを開く"),
                                       &TMainForm::FileListBoxClick));
    pmFileListbox->addSeparator();
    pmFileListbox->addAction(
        NewAction(QStringLiteral("pmDeleteSelected"), QStringLiteral("選択ファイルを削除"), &TMainForm::DELClick));
    QListView* list = LeftPanel->FileListBox;
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, pmFileListbox,
            [this, list](const QPoint& at) { pmFileListbox->popup(list->viewport()->mapToGlobal(at)); });
}

}  // namespace tallyrix
