// Icons of the file list: the icon theme's icon for the file's type, or the
// style's plain file icon where the desktop has no icon theme.
#pragma once

#include <QAbstractFileIconProvider>
#include <QIcon>
#include <QMimeDatabase>

namespace tallyrix {

class TFileIcons : public QAbstractFileIconProvider {
public:
    // Made on the GUI thread: the model asks for icons from its reader thread.
    explicit TFileIcons(const QIcon& plainFile);

    QIcon icon(IconType type) const override;
    QIcon icon(const QFileInfo& info) const override;

private:
    QIcon PlainFile;
    QMimeDatabase Types;
};

}  // namespace tallyrix
