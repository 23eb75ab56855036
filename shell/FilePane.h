// The file pane (LeftPanel): the drive list, the directory tree and the
// list of files, chained so that each drives the next. The directory the
// file list shows is also the process's current directory.
#pragma once

#include <QFrame>
#include <QStringList>
#include <memory>

class QComboBox;
class QFileSystemModel;
class QFileSystemWatcher;
class QModelIndex;
class QSplitter;
class QTreeView;

namespace tallyrix {

class TFileIcons;
class TFileListBox;

class TFilePane : public QFrame {
    Q_OBJECT
public:
    explicit TFilePane(QWidget* parent = nullptr);
    ~TFilePane() override;

    QString Directory() const;
    // Shows dir in all three lists. Throws FileError when dir is not a directory.
    void SetDirectory(const QString& dir);
    // Shows the file's directory and highlights its entry, listing the file at
    // once when the list has not read it yet (a file just written).
    void SelectFile(const QString& path);
    // The name of the highlighted entry; empty when there is none.
    QString SelectedFileName() const;
    // Deletes through the list's model, so the entry goes with the file.
    // False when the file could not be deleted.
    bool DeleteFile(const QString& path);
    // The names the list shows, in its order.
    QStringList ListedFiles() const;

    QWidget* dcbPanel = nullptr;
    QComboBox* DriveComboBox1 = nullptr;
    QTreeView* DirectoryListBox = nullptr;
    QSplitter* Splitter3 = nullptr;
    TFileListBox* FileListBox = nullptr;
    QFileSystemModel* DirectoryModel = nullptr;
    QFileSystemModel* FileModel = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // A click or a keyboard selection in the file list.
    void FileChosen();

private:
    void CreateModels();
    void CreateDriveList();
    void CreateDirectoryList();
    void CreateFileList();
    void FillDrives();
    void ShowDrive(const QString& dir);
    void ShowDirectory(const QString& dir);
    void ShowFiles(const QString& dir);
    void DriveChosen(int index);
    void DirectoryChosen(const QModelIndex& current);
    void KeepShownDirectory();
    void RevealCurrentDirectory();

    std::unique_ptr<TFileIcons> FileIcons;  // FileModel's; the destructor ends the model first
    QFileSystemWatcher* ShownWatcher = nullptr;
    QString ShownDirectory;
    bool ModelRemovingRows = false;
    bool FollowShownDirectory = false;
};

}  // namespace tallyrix
