// The file pane, the speed bar's file buttons, the File menu and the file
// list's pop-up, as a user reaches them.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusTipEvent>
#include <QStorageInfo>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include "shell/FileListBox.h"
#include "shell/FilePane.h"
#include "tests/files_window/FilesWindowFixture.h"

namespace tallyrix::test {
namespace {

using FilePaneTest = FilesWindowTest;

TEST_F(FilePaneTest, PaneHoldsItsListsBesideTheRightPanel)
{
    TFilePane* pane = Form->Panes.LeftPanel;
    const QList<std::pair<QString, QObject*>> named = {
        {QStringLiteral("LeftPanel"), pane},
        {QStringLiteral("dcbPanel"), pane->dcbPanel},
        {QStringLiteral("DriveComboBox1"), pane->DriveComboBox1},
        {QStringLiteral("DirectoryListBox"), pane->DirectoryListBox},
        {QStringLiteral("Splitter3"), pane->Splitter3},
        {QStringLiteral("FileListBox"), pane->FileListBox},
        {QStringLiteral("Splitter1"), Form->Panes.Splitter1},
        {QStringLiteral("SpeedBar"), Form->Panes.SpeedBar},
        {QStringLiteral("pmFileListbox"), Form->Popup.pmFileListbox},
        {QStringLiteral("mSkipCheckFileSave"), Form->Menu.Options.mSkipCheckFileSave},
    };
    for (const auto& [name, object] : named) {
        ASSERT_NE(object, nullptr) << name.toStdString();
        EXPECT_EQ(Form->findChild<QObject*>(name), object) << name.toStdString();
    }
    EXPECT_EQ(Form->Panes.Splitter1->widget(0), pane);
    EXPECT_EQ(Form->Panes.Splitter1->widget(1), Form->Panes.RightPanel);
    EXPECT_EQ(pane->Splitter3->widget(0), pane->DirectoryListBox);
    EXPECT_EQ(pane->Splitter3->widget(1), pane->FileListBox);
    EXPECT_LT(Form->Panes.SpeedBar->geometry().bottom(), pane->geometry().top() + Form->Panes.Splitter1->y());
}

TEST_F(FilePaneTest, ControlsCarryTheirHints)
{
    struct Case {
        QWidget* widget;
        const char* tip;
        const char* status;
    };
    const Case cases[] = {
        {Form->Panes.LeftPanel->DriveComboBox1, "ドライブ", "ドライブ"},
        {Form->Panes.LeftPanel->DirectoryListBox, "計算ファイルのディレクトリ", "計算ファイルのディレクトリ"},
        {Form->Panes.LeftPanel->FileListBox, "ダブルクリックでファイルを開く", "ダブルクリックでファイルを開く"},
        {Button(QStringLiteral("NewBtn")), "新規", "新規ファイルを作成"},
        {Button(QStringLiteral("FileOpenBtn")), "開く", "ファイルを開く"},
        {Button(QStringLiteral("FileSaveBtn")), "保存", "ファイルを上書き保存する"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.widget->toolTip(), QString::fromUtf8(c.tip)) << c.tip;
        // Entering the control puts its long hint in panel 4.
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QApplication::sendEvent(c.widget, &enter);
        EXPECT_EQ(Panel(4), QString::fromUtf8(c.status)) << c.tip;
    }
}

TEST_F(FilePaneTest, SpeedButtonsRunTheFileCommands)
{
    struct Case {
        QToolButton* button;
        const char* name;
        int left;
    };
    const Case cases[] = {
        {Button(QStringLiteral("NewBtn")), "NewBtn", 8},
        {Button(QStringLiteral("FileOpenBtn")), "FileOpenBtn", 31},
        {Button(QStringLiteral("FileSaveBtn")), "FileSaveBtn", 54},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.button->objectName(), QString::fromUtf8(c.name));
        EXPECT_EQ(c.button->geometry(), QRect(c.left, 1, 23, 23)) << c.name;
        EXPECT_TRUE(c.button->autoRaise()) << c.name;
        EXPECT_FALSE(c.button->icon().isNull()) << c.name;
    }
    Type(QStringLiteral("1+1"));
    QTest::mouseClick(Button(QStringLiteral("FileSaveBtn")), Qt::LeftButton);  // untitled: Save As, cancelled
    QTest::mouseClick(Button(QStringLiteral("FileOpenBtn")), Qt::LeftButton);  // the confirmation, cancelled
    ASSERT_EQ(Dialogs->FileDialogs.size(), 1u);
    EXPECT_EQ(Dialogs->FileDialogs[0].title, QStringLiteral("計算ﾌｧｲﾙを保存する"));
    ASSERT_EQ(Dialogs->Messages.size(), 1u);
    Dialogs->MessageAnswers.push_back(QMessageBox::No);
    QTest::mouseClick(Button(QStringLiteral("NewBtn")), Qt::LeftButton);
    EXPECT_EQ(Panel(4), QStringLiteral("新規.txtを作成して下さい"));
    EXPECT_TRUE(Document().isEmpty());
}

TEST_F(FilePaneTest, FileMenuComesFirstWithShortcutsAndHints)
{
    const QList<QAction*> menus = Form->menuBar()->actions();
    ASSERT_FALSE(menus.isEmpty());
    EXPECT_EQ(menus.first()->text(), QStringLiteral("ファイル(&F)"));
    struct Item {
        QAction* action;
        const char* caption;
        QKeySequence shortcut;
        const char* status;
    };
    const Item items[] = {
        {Form->Menu.File.mFileNew, "新規作成(&N)", QKeySequence(Qt::CTRL | Qt::Key_N), "新規ﾌｧｲﾙの作成"},
        {Form->Menu.File.mFileOpen, "開く(&O)...", QKeySequence(Qt::CTRL | Qt::Key_O), "既存のﾌｧｲﾙを開く"},
        {Form->Menu.File.mFileSave, "上書き保存(&S)", QKeySequence(Qt::CTRL | Qt::Key_S), "ﾌｧｲﾙを保存する"},
        {Form->Menu.File.mFileSaveAs, "名前を付けて保存(&A)...", QKeySequence(), "ﾌｧｲﾙに別の名前を付けて保存"},
        {nullptr, "", QKeySequence(), ""},
        {Form->Menu.File.mFileExit, "終了(&X)", QKeySequence(Qt::ALT | Qt::Key_X), "ｱﾌﾟﾘｹｰｼｮﾝの終了"},
    };
    const QList<QAction*> actions = menus.first()->menu()->actions();
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(std::size(items)));
    for (qsizetype i = 0; i < actions.size(); ++i) {
        const Item& item = items[i];
        if (!item.action) {
            EXPECT_TRUE(actions[i]->isSeparator());
            continue;
        }
        EXPECT_EQ(actions[i], item.action) << item.caption;
        EXPECT_EQ(item.action->text(), QString::fromUtf8(item.caption));
        EXPECT_EQ(item.action->shortcut(), item.shortcut) << item.caption;
        EXPECT_EQ(item.action->statusTip(), QString::fromUtf8(item.status));
    }
    // The option sits last among the four check options.
    const QList<QAction*> options = menus.at(3)->menu()->actions();
    const qsizetype at = options.indexOf(Form->Menu.Options.mSkipCheckFileSave);
    ASSERT_GT(at, 0);
    EXPECT_EQ(Form->Menu.Options.mSkipCheckFileSave->text(), QStringLiteral("変更時保存確認しない(&N)"));
    EXPECT_TRUE(Form->Menu.Options.mSkipCheckFileSave->isCheckable());
    EXPECT_FALSE(Form->Menu.Options.mSkipCheckFileSave->isChecked());
    EXPECT_TRUE(options.at(at + 1)->isSeparator());
}

TEST_F(FilePaneTest, ShortcutsReachTheCommands)
{
    // Window shortcuts need the window active, which the platform reports later.
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    Type(QStringLiteral("2"));
    PressAndRelease(Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(Dialogs->FileDialogs.size(), 1u);
    PressAndRelease(Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(Dialogs->Messages.size(), 1u);
    Dialogs->MessageAnswers.push_back(QMessageBox::No);
    PressAndRelease(Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(Document().isEmpty());
    PressAndRelease(Qt::Key_X, Qt::AltModifier);
    EXPECT_FALSE(Form->isVisible());
}

TEST_F(FilePaneTest, PopupOpensAndDeletesTheSelectedFile)
{
    const QList<QAction*> items = Form->Popup.pmFileListbox->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0]->text(), QStringLiteral("選択ファイルを開く"));
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_EQ(items[2]->text(), QStringLiteral("選択ファイルを削除"));
    EXPECT_EQ(FileList()->contextMenuPolicy(), Qt::CustomContextMenu);

    // Nothing selected: opening says so, deleting does nothing.
    items[0]->trigger();
    items[2]->trigger();
    ASSERT_EQ(Dialogs->Messages.size(), 1u);
    EXPECT_EQ(Dialogs->Messages[0].text, QStringLiteral("ﾌｧｲﾙを選択して下さい"));
    EXPECT_EQ(Dialogs->Messages[0].icon, QMessageBox::NoIcon);
    EXPECT_EQ(Dialogs->Messages[0].buttons, QMessageBox::Ok);

    const QString path = CalPath(QStringLiteral("p.txt"));
    WriteBytes(path, "6*7");
    Form->Panes.LeftPanel->SelectFile(path);
    items[0]->trigger();
    EXPECT_EQ(Form->CurFileName, path);
    EXPECT_EQ(Output(), QStringLiteral("42"));
    Dialogs->MessageAnswers.push_back(QMessageBox::Yes);
    items[2]->trigger();
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(FilePaneTest, ClickingAFileOpensIt)
{
    WriteBytes(CalPath(QStringLiteral("one.txt")), "1+2");
    WriteBytes(CalPath(QStringLiteral("two.txt")), "3*4");
    ClickFile(QStringLiteral("one.txt"));
    EXPECT_EQ(Form->CurFileName, CalPath(QStringLiteral("one.txt")));
    EXPECT_EQ(Output(), QStringLiteral("3"));
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Tallyrix - one.txt"));

    // The keyboard moves the selection and opens the file it lands on, once
    // the list has settled in its sorted order.
    EXPECT_TRUE(WaitFor([&] {
        return Form->Panes.LeftPanel->ListedFiles() ==
               QStringList{QStringLiteral("one.txt"), QStringLiteral("two.txt")};
    }));
    FileList()->setFocus();
    QTest::keyClick(FileList(), Qt::Key_Down);
    EXPECT_EQ(Form->CurFileName, CalPath(QStringLiteral("two.txt")));
    EXPECT_EQ(Output(), QStringLiteral("12"));
    // A selection the program makes opens nothing.
    Form->Panes.LeftPanel->SelectFile(CalPath(QStringLiteral("one.txt")));
    EXPECT_EQ(Form->CurFileName, CalPath(QStringLiteral("two.txt")));
}

// A double click is one click to the list: the confirmation comes once.
TEST_F(FilePaneTest, DoubleClickAsksOnce)
{
    WriteBytes(CalPath(QStringLiteral("d.txt")), "5");
    Type(QStringLiteral("1"));
    ClickFile(QStringLiteral("d.txt"), true);
    EXPECT_EQ(Dialogs->Messages.size(), 1u);
    EXPECT_EQ(Document(), QStringLiteral("1"));
    // The clicked entry stays highlighted although it was not opened.
    EXPECT_EQ(Form->Panes.LeftPanel->SelectedFileName(), QStringLiteral("d.txt"));
}

TEST_F(FilePaneTest, ListShowsPlainFilesOnly)
{
    WriteBytes(CalPath(QStringLiteral("b.txt")), "1");
    WriteBytes(CalPath(QStringLiteral("a")), "1");
    WriteBytes(CalPath(QStringLiteral(".hidden")), "1");
    QDir().mkpath(CalPath(QStringLiteral("sub")));
    Restart();
    WaitUntilListed(QStringLiteral("b.txt"));
    WaitUntilListed(QStringLiteral("a"));
    QStringList listed = Form->Panes.LeftPanel->ListedFiles();
    listed.sort();
    EXPECT_EQ(listed, (QStringList{QStringLiteral("a"), QStringLiteral("b.txt")}));
    // Each entry shows the icon of its file type.
    const QFileSystemModel* model = Form->Panes.LeftPanel->FileModel;
    EXPECT_TRUE(WaitFor([&] {
        return !model->data(model->index(CalPath(QStringLiteral("b.txt"))), Qt::DecorationRole).value<QIcon>().isNull();
    }));
}

// Choosing a directory in the tree or a drive moves the file list and the
// current directory with it.
TEST_F(FilePaneTest, DirectoryAndDriveListsDriveTheFileList)
{
    TFilePane* pane = Form->Panes.LeftPanel;
    const QString sub = CalPath(QStringLiteral("sub"));
    QDir().mkpath(sub);
    WriteBytes(sub + QStringLiteral("/inside.txt"), "1");
    pane->DirectoryListBox->setCurrentIndex(pane->DirectoryModel->index(sub));
    EXPECT_EQ(pane->Directory(), sub);
    EXPECT_EQ(QDir::currentPath(), sub);
    WaitUntilListed(QStringLiteral("inside.txt"));

    const QString root = QStorageInfo(sub).rootPath();
    const int drive = pane->DriveComboBox1->findData(root);
    ASSERT_GE(drive, 0) << root.toStdString();
    EXPECT_EQ(pane->DriveComboBox1->currentIndex(), drive);
    emit pane->DriveComboBox1->activated(drive);
    EXPECT_EQ(pane->Directory(), root);
    EXPECT_EQ(pane->DirectoryModel->filePath(pane->DirectoryListBox->currentIndex()), root);
    EXPECT_EQ(QDir::currentPath(), root);
}

// However deep the folder, at the design width its name shows whole from the
// tree's left edge (or fills the tree when it is longer than that), and each
// folder names its whole path as its tooltip.
TEST_F(FilePaneTest, CurrentFolderNameIsReadableAtTheDesignWidth)
{
    QTreeView* tree = Form->Panes.LeftPanel->DirectoryListBox;
    ASSERT_EQ(Form->Panes.LeftPanel->width(), 129);
    const char* folders[] = {"", "計算ファイル", "a/b/c/d/e/f/g/h", "a/b/c/d/e/f/g/h/long_folder_name_for_notes"};
    for (const char* folder : folders) {
        SCOPED_TRACE(folder);
        const QString dir = QDir::cleanPath(CalPath(QString::fromUtf8(folder)));
        QDir().mkpath(dir);
        Form->Panes.LeftPanel->SetDirectory(dir);
        const auto readable = [&] {
            const QModelIndex current = tree->currentIndex();
            const QRect name = tree->visualRect(current);
            const int needed = tree->sizeHintForIndex(current).width();
            const bool whole = name.left() + needed <= tree->viewport()->width();
            return name.width() >= needed && name.left() >= 0 && (whole || name.left() <= tree->indentation());
        };
        EXPECT_TRUE(WaitFor(readable));
        EXPECT_EQ(tree->model()->data(tree->currentIndex(), Qt::ToolTipRole).toString(), QDir::toNativeSeparators(dir));
    }
}

// A shown directory deleted behind the pane's back gives way to the one above.
TEST_F(FilePaneTest, ADeletedDirectoryGivesWayToItsParent)
{
    const QString deep = CalPath(QStringLiteral("a/b"));
    QDir().mkpath(deep);
    Form->Panes.LeftPanel->SetDirectory(deep);
    ASSERT_EQ(Form->Panes.LeftPanel->Directory(), deep);
    QDir(CalPath(QStringLiteral("a"))).removeRecursively();
    EXPECT_TRUE(WaitFor([&] { return Form->Panes.LeftPanel->Directory() == Form->CalDir; }))
        << Form->Panes.LeftPanel->Directory().toStdString();
    EXPECT_EQ(QDir::currentPath(), Form->CalDir);
}

TEST_F(FilePaneTest, PointingAtAMissingDirectoryFails)
{
    const QString before = Form->Panes.LeftPanel->Directory();
    EXPECT_THROW(Form->Panes.LeftPanel->SetDirectory(HomePath(QStringLiteral("missing"))), std::exception);
    EXPECT_EQ(Form->Panes.LeftPanel->Directory(), before);
    EXPECT_EQ(QDir::currentPath(), before);
}

}  // namespace
}  // namespace tallyrix::test
