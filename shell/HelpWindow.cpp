#include "shell/HelpWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStandardPaths>

#include "files/RegularFileReader.h"

namespace tallyrix {

QString LocateHelpFile(const QStringList& directories)
{
    for (const QString& directory : directories) {
        const QString path = QDir(directory).filePath(QLatin1String(HelpFileName));
        if (QFileInfo(path).isFile()) return path;
    }
    return directories.isEmpty() ? QString() : QDir(directories.first()).filePath(QLatin1String(HelpFileName));
}

QStringList HelpDirectories(const QString& programDir, const QString& executableDir)
{
    const QDir executable(executableDir);
    QStringList directories = {programDir, executableDir,
                               QDir::cleanPath(executable.filePath(QStringLiteral("../share/tallyrix"))),
                               QDir::cleanPath(executable.filePath(QStringLiteral("../share/doc/tallyrix")))};
    for (const QString& shared : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        directories.append(QDir::cleanPath(QDir(shared).filePath(QStringLiteral("tallyrix"))));
    directories.append(QStringLiteral("/usr/share/tallyrix"));
    directories.removeDuplicates();
    return directories;
}

THelpWindow::THelpWindow(QWidget* parent) : QTextBrowser(parent)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("Tallyrix ヘルプ"));
    setOpenExternalLinks(true);
    resize(760, 600);
}

void THelpWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QTextBrowser::keyPressEvent(event);
}

std::optional<QString> THelpWindow::ShowFile(const QString& path)
{
    const QFileInfo file(path);
    if (!file.exists())
        return QStringLiteral("ヘルプファイル \"%1\" が見つかりません。").arg(QDir::toNativeSeparators(path));
    try {
        ReadRegularFile(file.absoluteFilePath().toStdString(), SmallFileSizeLimit);
    } catch (const FileError& error) {
        return QString::fromUtf8(error.what());
    }
    setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    show();
    raise();
    activateWindow();
    return std::nullopt;
}

QVariant THelpWindow::loadResource(int type, const QUrl& name)
{
    if (!name.isLocalFile()) return QTextBrowser::loadResource(type, name);
    try {
        return QByteArray::fromStdString(ReadRegularFile(name.toLocalFile().toStdString(), SmallFileSizeLimit));
    } catch (const FileError&) {
        return {};
    }
}

}  // namespace tallyrix
