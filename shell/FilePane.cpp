#include "shell/FilePane.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QScrollBar>
#include <QSplitter>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

#include "files/SaveFile.h"
#include "shell/DriveList.h"
#include "shell/FileIcons.h"
#include "shell/FileListBox.h"
#include "shell/Hints.h"

namespace tallyrix {
namespace {

QString CleanDirectory(const QString& dir) { return QDir::cleanPath(QFileInfo(dir).absoluteFilePath()); }

// Each folder of the tree offers its whole path as its tooltip: deep in the
// tree a narrow pane shows only the last names.
class DirectoryTreeModel : public QFileSystemModel {
public:
    using QFileSystemModel::QFileSystemModel;
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == Qt::ToolTipRole && index.isValid()) return QDir::toNativeSeparators(filePath(index));
        return QFileSystemModel::data(index, role);
    }
};

}  // namespace

// The model's reader thread asks the icon provider until the model is gone.
TFilePane::~TFilePane() { delete FileModel; }

TFilePane::TFilePane(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("LeftPanel"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(3, 3, 3, 3);
    column->setSpacing(0);

    CreateModels();
    CreateDriveList();
    CreateDirectoryList();
    CreateFileList();
    Splitter3 = new QSplitter(Qt::Vertical);
    Splitter3->setObjectName(QStringLiteral("Splitter3"));
    Splitter3->setHandleWidth(5);
    Splitter3->setChildrenCollapsible(false);
    Splitter3->addWidget(DirectoryListBox);
    Splitter3->addWidget(FileListBox);
    Splitter3->setStretchFactor(0, 0);
    Splitter3->setStretchFactor(1, 1);
    Splitter3->setSizes({58, 300});
    column->addWidget(dcbPanel);
    column->addWidget(Splitter3, 1);
}

// Files only in the file list: no subdirectories, and no hidden or system
// entries, since QDir::Hidden and QDir::System are left out.
void TFilePane::CreateModels()
{
    DirectoryModel = new DirectoryTreeModel(this);
    DirectoryModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    FileModel = new QFileSystemModel(this);
    FileModel->setFilter(QDir::Files | QDir::NoDotAndDotDot);
    FileModel->setReadOnly(false);
    FileIcons = std::make_unique<TFileIcons>(style()->standardIcon(QStyle::SP_FileIcon));
    FileModel->setIconProvider(FileIcons.get());
    // Connected before the views: the views move their current entry as
    // rows go, and that move must not count as the user's choice.
    const auto keepLater = [this] {
        QMetaObject::invokeMethod(
            this, [this] { KeepShownDirectory(); }, Qt::QueuedConnection);
    };
    for (QFileSystemModel* model : {DirectoryModel, FileModel}) {
        connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this, [this] { ModelRemovingRows = true; });
        connect(model, &QAbstractItemModel::rowsRemoved, this, [this, keepLater] {
            ModelRemovingRows = false;
            keepLater();
        });
    }
    // The models do not report the removal of the directory they show.
    ShownWatcher = new QFileSystemWatcher(this);
    connect(ShownWatcher, &QFileSystemWatcher::directoryChanged, this, keepLater);
}

// The models drop and list again a directory created after they read its
// parent, and the views then fall back to the parent. The shown directory
// stays while it exists; a deleted one gives way to the nearest directory
// above it.
void TFilePane::KeepShownDirectory()
{
    if (ShownDirectory.isEmpty()) return;
    if (!QFileInfo(ShownDirectory).isDir()) {
        QString above = ShownDirectory;
        while (!QFileInfo(above).isDir() && above != QStringLiteral("/"))
            above = QFileInfo(above).absolutePath();
        ShownDirectory.clear();
        ShowDrive(above);
        ShowDirectory(above);
        return;
    }
    const bool treeMoved = CleanDirectory(DirectoryModel->filePath(DirectoryListBox->currentIndex())) != ShownDirectory;
    const bool listMoved = FileListBox->rootIndex() != FileModel->index(ShownDirectory);
    if (treeMoved || listMoved) {
        const QString dir = ShownDirectory;
        ShownDirectory.clear();
        ShowDirectory(dir);
    }
}

void TFilePane::CreateDriveList()
{
    dcbPanel = new QWidget;
    dcbPanel->setObjectName(QStringLiteral("dcbPanel"));
    dcbPanel->setFixedHeight(28);
    auto* row = new QHBoxLayout(dcbPanel);
    row->setContentsMargins(1, 4, 0, 0);
    DriveComboBox1 = new QComboBox;
    DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
    DriveComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ApplyHint(DriveComboBox1, QStringLiteral("ドライブ"));
    row->addWidget(DriveComboBox1, 1, Qt::AlignTop);
    FillDrives();
    connect(DriveComboBox1, &QComboBox::activated, this, [this](int index) { DriveChosen(index); });
}

void TFilePane::CreateDirectoryList()
{
    DirectoryListBox = new QTreeView;
    DirectoryListBox->setObjectName(QStringLiteral("DirectoryListBox"));
    DirectoryListBox->setModel(DirectoryModel);
    DirectoryListBox->setHeaderHidden(true);
    for (int column = 1; column < DirectoryModel->columnCount(); ++column)
        DirectoryListBox->hideColumn(column);
    DirectoryListBox->setSelectionMode(QAbstractItemView::SingleSelection);
    DirectoryListBox->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DirectoryListBox->setUniformRowHeights(true);
    // Names are never cut to "…": the column is as wide as the longest name
    // shown, and the tree scrolls sideways to the current folder.
    DirectoryListBox->setTextElideMode(Qt::ElideNone);
    DirectoryListBox->header()->setStretchLastSection(false);
    DirectoryListBox->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    // The view's own minimum is taller than the design height of 58.
    DirectoryListBox->setMinimumHeight(16);
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);
    DirectoryListBox->setFont(font);
    ApplyHint(DirectoryListBox, QStringLiteral("計算ファイルのディレクトリ"));
    connect(DirectoryListBox->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { DirectoryChosen(current); });
    // The tree is read and sorted in the background; until the user takes
    // over, each change brings the shown directory back into view.
    const auto follow = [this] {
        if (FollowShownDirectory)
            QMetaObject::invokeMethod(
                this, [this] { RevealCurrentDirectory(); }, Qt::QueuedConnection);
    };
    connect(DirectoryModel, &QFileSystemModel::directoryLoaded, this, follow);
    connect(DirectoryModel, &QAbstractItemModel::layoutChanged, this, follow);
    connect(DirectoryModel, &QAbstractItemModel::rowsInserted, this, follow);
    // The sideways range grows as the column takes the width of names read later.
    connect(DirectoryListBox->horizontalScrollBar(), &QAbstractSlider::rangeChanged, this, follow);
    DirectoryListBox->viewport()->installEventFilter(this);
    DirectoryListBox->installEventFilter(this);
    for (QScrollBar* bar : {DirectoryListBox->verticalScrollBar(), DirectoryListBox->horizontalScrollBar()})
        connect(bar, &QAbstractSlider::actionTriggered, this, [this] { FollowShownDirectory = false; });
}

// The current folder's row in view, and its name from the left edge of the
// tree (with its own branch mark), so deep folders stay readable.
void TFilePane::RevealCurrentDirectory()
{
    const QModelIndex current = DirectoryListBox->currentIndex();
    DirectoryListBox->scrollTo(current);
    const int nameLeft = DirectoryListBox->visualRect(current).left() - DirectoryListBox->indentation();
    QScrollBar* sideways = DirectoryListBox->horizontalScrollBar();
    sideways->setValue(sideways->value() + nameLeft);
}

void TFilePane::CreateFileList()
{
    FileListBox = new TFileListBox;
    FileListBox->setModel(FileModel);
    ApplyHint(FileListBox, QStringLiteral("ダブルクリックでファイルを開く"));
    connect(FileListBox, &TFileListBox::Chosen, this, &TFilePane::FileChosen);
}

void TFilePane::FillDrives()
{
    for (const DriveEntry& drive : MountedDrives())
        DriveComboBox1->addItem(drive.label, drive.root);
}

QString TFilePane::Directory() const { return ShownDirectory; }

void TFilePane::SetDirectory(const QString& dir)
{
    const QString clean = CleanDirectory(dir);
    if (!QFileInfo(clean).isDir())
        throw FileError("ディレクトリがありません: " + QDir::toNativeSeparators(clean).toStdString());
    ShowDrive(clean);
    ShowDirectory(clean);
}

void TFilePane::ShowDrive(const QString& dir)
{
    const DriveEntry drive = DriveOf(dir);
    int index = DriveComboBox1->findData(drive.root);
    // A directory on a volume the list leaves out still shows its volume.
    if (index < 0) {
        DriveComboBox1->addItem(drive.label, drive.root);
        index = DriveComboBox1->count() - 1;
    }
    DriveComboBox1->setCurrentIndex(index);
    DirectoryModel->setRootPath(drive.root);
    DirectoryListBox->setRootIndex(DirectoryModel->index(drive.root));
}

// The tree opens down to dir and shows dir's own subdirectories.
void TFilePane::ShowDirectory(const QString& dir)
{
    const QModelIndex index = DirectoryModel->index(dir);
    for (QModelIndex above = index; above.isValid(); above = above.parent())
        DirectoryListBox->expand(above);
    DirectoryListBox->setCurrentIndex(index);
    RevealCurrentDirectory();
    FollowShownDirectory = true;
    ShowFiles(dir);
}

void TFilePane::ShowFiles(const QString& dir)
{
    if (dir != ShownDirectory) {
        ShownDirectory = dir;
        if (!ShownWatcher->directories().isEmpty()) ShownWatcher->removePaths(ShownWatcher->directories());
        ShownWatcher->addPath(dir);
        FileModel->setRootPath(dir);
        FileListBox->setRootIndex(FileModel->index(dir));
    }
    QDir::setCurrent(dir);
}

void TFilePane::DriveChosen(int index)
{
    const QString root = DriveComboBox1->itemData(index).toString();
    // A volume unmounted since the list was filled: stay where we are.
    if (!QFileInfo(root).isDir()) {
        ShowDrive(ShownDirectory);
        return;
    }
    ShowDrive(root);
    ShowDirectory(root);
}

bool TFilePane::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::Wheel:
        case QEvent::KeyPress:
            FollowShownDirectory = false;
            break;
        default:
            break;
    }
    return QFrame::eventFilter(watched, event);
}

void TFilePane::DirectoryChosen(const QModelIndex& current)
{
    if (current.isValid() && !ModelRemovingRows) ShowFiles(CleanDirectory(DirectoryModel->filePath(current)));
}

void TFilePane::SelectFile(const QString& path)
{
    const QFileInfo file(path);
    if (CleanDirectory(file.absolutePath()) != ShownDirectory) SetDirectory(file.absolutePath());
    // index() lists a file the model's reader has not reported yet.
    const QModelIndex index = FileModel->index(file.absoluteFilePath());
    if (!index.isValid()) return;
    FileListBox->setCurrentIndex(index);
    FileListBox->scrollTo(index);
}

QString TFilePane::SelectedFileName() const
{
    const QModelIndexList selected = FileListBox->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? QString() : FileModel->fileName(selected.constFirst());
}

bool TFilePane::DeleteFile(const QString& path)
{
    const QModelIndex index = FileModel->index(path);
    return index.isValid() ? FileModel->remove(index) : QFile::remove(path);
}

QStringList TFilePane::ListedFiles() const
{
    QStringList names;
    const QModelIndex root = FileListBox->rootIndex();
    for (int row = 0; row < FileModel->rowCount(root); ++row)
        names.append(FileModel->fileName(FileModel->index(row, 0, root)));
    return names;
}

}  // namespace tallyrix
