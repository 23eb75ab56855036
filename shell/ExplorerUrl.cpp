#include "shell/ExplorerUrl.h"

#include <QDesktopServices>
#include <QDir>

namespace tallyrix {

QUrl DirectoryUrl(const QString& directory)
{
    if (directory.isEmpty()) return {};
    // cleanPath also folds a leading "//", which a file URL would read as a host.
    return QUrl::fromLocalFile(QDir::cleanPath(QDir(directory).absolutePath()));
}

bool OpenInFileManager(const QString& directory)
{
    const QUrl url = DirectoryUrl(directory);
    return url.isValid() && QDesktopServices::openUrl(url);
}

}  // namespace tallyrix
