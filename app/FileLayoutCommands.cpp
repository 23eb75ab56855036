// The speed bar and the file pane with Panes.Splitter1 beside the right panel.
#include <QAction>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/MainForm.h"
#include "shell/FilePane.h"
#include "shell/Hints.h"

namespace tallyrix {

void TMainForm::PlacePanels()
{
    auto* window = new QWidget(this);
    window->setObjectName(QStringLiteral("ClientArea"));
    auto* rows = new QVBoxLayout(window);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    CreateSpeedBar();
    rows->addWidget(Panes.SpeedBar);

    Panes.LeftPanel = new TFilePane;
    Panes.Splitter1 = new QSplitter(Qt::Horizontal);
    Panes.Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Panes.Splitter1->setHandleWidth(5);
    Panes.Splitter1->addWidget(Panes.LeftPanel);
    Panes.Splitter1->addWidget(Panes.RightPanel);
    Panes.Splitter1->setStretchFactor(0, 0);
    Panes.Splitter1->setStretchFactor(1, 1);
    Panes.Splitter1->setSizes({129, 448});
    // The drive list fills its panel's layout, so it follows every move of
    // Panes.Splitter1; the result field likewise reaches the end of its band at
    // every size of the window. No handler has to set either width.
    rows->addWidget(Panes.Splitter1, 1);
    setCentralWidget(window);

    Bind(Panes.LeftPanel, &TFilePane::FileChosen, &TMainForm::FileListBoxClick);
}

namespace {

// A speed button runs a command of the menus and shows its icon, with a hint
// of its own.
struct SpeedButtonDefinition {
    const char* name;
    int left;
    const char* hint;
    const char* command;
};

// The buttons stand at their own left edges, with gaps between the groups.
// clang-format off
const SpeedButtonDefinition SpeedButtons[] = {
    {"NewBtn",                8,   "新規|新規ファイルを作成",                   "mFileNew"},
    {"FileOpenBtn",           31,  "開く|ファイルを開く",                       "mFileOpen"},
    {"FileSaveBtn",           54,  "保存|ファイルを上書き保存する",             "mFileSave"},
    {"CutBtn",                96,  "カット|選択部分の切り取り",                 "mCut"},
    {"CopyBtn",               119, "コピー|選択部分のコピー",                   "mCopy"},
    {"PasteBtn",              142, "張り付け|クリップボードから張り付け",       "mPaste"},
    {"UndoBtn",               165, "取り消し",                                  "mUndo"},
    {"FindBtn",               208, "検索",                                      "mFind"},
    {"UpdateBtn",             231, "更新|表示の更新",                           "mUpdate1"},
    {"FontBtn",               273, "フォント|編集画面のフォント設定",           "mEditorFont"},
    {"CommentFontBtn",        296, "コメントフォント|コメント文のフォント設定", "mCommentFont"},
    {"EditorColorBtn",        321, "背景色|編集画面の背景色の設定",             "mEditorColor"},
    {"OnlyExpressionBtn",     361, "計算式のみ|計算式の全画面表示",             "OnlyExpression"},
    {"FileListExpressionBtn", 384, "ファイルリストを隠す",                      "FileListAndExpression"},
    {"DefaultFormBtn",        407, "デフォルト表示|デフォルトのウインドウ表示", "DefaultForm"},
    {"FormHideBtn",           448, "隠す|タスクトレーに隠す",                   "mHide1"},
    {"ExplorerBtn",           471, "エクスプローラ|エクスプローラの起動",       "mExplorer1"},
};
// clang-format on

}  // namespace

void TMainForm::CreateSpeedBar()
{
    Panes.SpeedBar = new QWidget;
    Panes.SpeedBar->setObjectName(QStringLiteral("SpeedBar"));
    Panes.SpeedBar->setFixedHeight(25);
    for (const SpeedButtonDefinition& definition : SpeedButtons) {
        QToolButton* button = AddSpeedButton(QString::fromUtf8(definition.name), definition.left,
                                             QString::fromUtf8(definition.hint), CommandIcon(definition.command));
        connect(button, &QToolButton::clicked, CommandAction(definition.command), &QAction::trigger);
    }
}

QToolButton* TMainForm::AddSpeedButton(const QString& name, int left, const QString& hint, const QIcon& icon)
{
    auto* button = new QToolButton(Panes.SpeedBar);
    button->setObjectName(name);
    button->setGeometry(left, 1, 23, 23);
    button->setAutoRaise(true);
    button->setIcon(icon);
    button->setIconSize(QSize(16, 16));
    button->setFocusPolicy(Qt::NoFocus);
    ApplyHint(button, hint);
    return button;
}

}  // namespace tallyrix
