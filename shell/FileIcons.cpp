#include "shell/FileIcons.h"

#include <QFileInfo>

namespace tallyrix {

TFileIcons::TFileIcons(const QIcon& plainFile) : PlainFile(plainFile) {}

QIcon TFileIcons::icon(IconType type) const
{
    const QIcon themed = QAbstractFileIconProvider::icon(type);
    return themed.isNull() ? PlainFile : themed;
}

QIcon TFileIcons::icon(const QFileInfo& info) const
{
    const QMimeType type = Types.mimeTypeForFile(info, QMimeDatabase::MatchExtension);
    for (const QString& name : {type.iconName(), type.genericIconName()}) {
        const QIcon themed = QIcon::fromTheme(name);
        if (!themed.isNull()) return themed;
    }
    return PlainFile;
}

}  // namespace tallyrix
