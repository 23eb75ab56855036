// The volumes the drive list offers: mounted file systems that hold a
// user's files, not the kernel's pseudo file systems.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace tallyrix {

struct DriveEntry {
    QString root;   // the mount point
    QString label;  // what the list shows
};

// The root file system always counts; otherwise a volume counts when it
// lives on a device or a network share and is not a pseudo or image file
// system.
bool IsUserVolume(const QByteArray& fileSystemType, const QByteArray& device, const QString& root);

// The mount point, followed by the volume's name in brackets when it has one.
QString DriveLabel(const QString& root, const QString& name);

// The mounted volumes that count, each mount point once, in mount order.
QList<DriveEntry> MountedDrives();

// The entry for the volume holding path, whether or not it counts above.
DriveEntry DriveOf(const QString& path);

}  // namespace tallyrix
