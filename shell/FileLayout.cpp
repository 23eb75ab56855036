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

    connect(LeftPanel, &TFilePane::FileChosen, this, [this] { RunHandler([this] { FileListBoxClick(); }); });
    CreateFileListPopup();
}

// The buttons stand at their own left edges, with gaps between the groups.
void TMainForm::CreateSpeedBar()
{
    SpeedBar = new QWidget;
    SpeedBar->setObjectName(QStringLiteral("SpeedBar"));
    SpeedBar->setFixedHeight(25);
    NewBtn = AddSpeedButton(QStringLiteral("NewBtn"), 8, QStringLiteral("新規|新規ファイルを作成"),
                            style()->standardIcon(QStyle::SP_FileIcon), &TMainForm::FileNew);
    FileOpenBtn = AddSpeedButton(QStringLiteral("FileOpenBtn"), 31, QStringLiteral("開く|ファイルを開く"),
                                 style()->standardIcon(QStyle::SP_DialogOpenButton), &TMainForm::FileOpen);
    FileSaveBtn = AddSpeedButton(QStringLiteral("FileSaveBtn"), 54, QStringLiteral("保存|ファイルを上書き保存する"),
                                 style()->standardIcon(QStyle::SP_DialogSaveButton), &TMainForm::FileSave);
}

QToolButton* TMainForm::AddSpeedButton(const QString& name, int left, const QString& hint, const QIcon& icon,
                                       void (TMainForm::*handler)())
{
    auto* button = new QToolButton(SpeedBar);
    button->setObjectName(name);
    button->setGeometry(left, 1, 23, 23);
    button->setAutoRaise(true);
    button->setIcon(icon);
    button->setFocusPolicy(Qt::NoFocus);
    ApplyHint(button, hint);
    connect(button, &QToolButton::clicked, this,
            [this, handler] { RunHandler([this, handler] { (this->*handler)(); }); });
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
    mFileSaveAs = NewAction(QStringLiteral("mFileSaveAs"), QStringLiteral("名前を付けて保存(&A)..."),
                            &TMainForm::FileSaveAs);
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
