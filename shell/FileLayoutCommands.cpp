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
    QStyle::StandardPixmap icon;
    TMainForm::Command handler;
    QToolButton* TMainForm::*member;
};

// The buttons stand at their own left edges, with gaps between the groups.
const SpeedButtonDefinition SpeedButtons[] = {
    {"NewBtn", 8, "新規|新規ファイルを作成", QStyle::SP_FileIcon, &TMainForm::FileNew, &TMainForm::NewBtn},
    {"FileOpenBtn", 31, "開く|ファイルを開く", QStyle::SP_DialogOpenButton, &TMainForm::FileOpen,
     &TMainForm::FileOpenBtn},
    {"FileSaveBtn", 54, "保存|ファイルを上書き保存する", QStyle::SP_DialogSaveButton, &TMainForm::FileSave,
     &TMainForm::FileSaveBtn},
};

}  // namespace

void TMainForm::CreateSpeedBar()
{
    SpeedBar = new QWidget;
    SpeedBar->setObjectName(QStringLiteral("SpeedBar"));
    SpeedBar->setFixedHeight(25);
    for (const SpeedButtonDefinition& definition : SpeedButtons) {
        this->*definition.member =
            AddSpeedButton(QString::fromUtf8(definition.name), definition.left, QString::fromUtf8(definition.hint),
                           style()->standardIcon(definition.icon), definition.handler);
    }
}

QToolButton* TMainForm::AddSpeedButton(const QString& name, int left, const QString& hint, const QIcon& icon,
                                       Command handler)
{
    auto* button = new QToolButton(SpeedBar);
    button->setObjectName(name);
    button->setGeometry(left, 1, 23, 23);
    button->setAutoRaise(true);
    button->setIcon(icon);
    button->setFocusPolicy(Qt::NoFocus);
    ApplyHint(button, hint);
    Bind(button, &QToolButton::clicked, handler);
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
