#include "shell/DriveList.h"

#include <QFileInfo>
#include <QSet>
#include <QStorageInfo>

namespace tallyrix {
namespace {

bool IsNetworkType(const QByteArray& type)
{
    static const QSet<QByteArray> network = {"nfs", "nfs4", "cifs", "smb3", "smbfs", "fuse.sshfs", "9p"};
    return network.contains(type);
}

// Read-only images of packages and the like: mounted from devices, but no
// place for documents.
bool IsImageType(const QByteArray& type)
{
    static const QSet<QByteArray> images = {"squashfs", "iso9660"};
    return images.contains(type);
}

DriveEntry EntryOf(const QStorageInfo& volume)
{
    return DriveEntry{volume.rootPath(), DriveLabel(volume.rootPath(), volume.name())};
}

}  // namespace

bool IsUserVolume(const QByteArray& fileSystemType, const QByteArray& device, const QString& root)
{
    if (root == QStringLiteral("/")) return true;
    if (IsNetworkType(fileSystemType)) return true;
    return device.startsWith('/') && !IsImageType(fileSystemType);
}

QString DriveLabel(const QString& root, const QString& name)
{
    return name.isEmpty() ? root : QStringLiteral("%1 [%2]").arg(root, name);
}

QList<DriveEntry> MountedDrives()
{
    QList<DriveEntry> drives;
    QSet<QString> seen;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        // Files bound into a container show as mounts too.
        if (!volume.isValid() || !QFileInfo(volume.rootPath()).isDir()) continue;
        if (!IsUserVolume(volume.fileSystemType(), volume.device(), volume.rootPath())) continue;
        if (seen.contains(volume.rootPath())) continue;
        seen.insert(volume.rootPath());
        drives.append(EntryOf(volume));
    }
    return drives;
}

DriveEntry DriveOf(const QString& path) { return EntryOf(QStorageInfo(path)); }

}  // namespace tallyrix
