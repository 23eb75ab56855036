#include "files/DiskSnapshot.h"

#include <sys/stat.h>

#include <QCryptographicHash>
#include <QFile>

namespace tallyrix {
namespace {

QByteArray HashOf(QByteArrayView bytes) { return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256); }

}  // namespace

DiskSnapshot::Stamp DiskSnapshot::StampOf(const std::string& path)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return {};
    return {true, static_cast<std::int64_t>(info.st_size),
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

DiskSnapshot DiskSnapshot::Of(const std::string& path, std::string_view bytes)
{
    DiskSnapshot snapshot;
    snapshot.recordedPath = path;
    snapshot.stamp = StampOf(path);
    snapshot.hash = HashOf(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return snapshot;
}

bool DiskSnapshot::ChangedOnDisk(const std::string& path) const
{
    if (recordedPath.empty() || path != recordedPath) return false;
    const Stamp now = StampOf(path);
    if (!now.exists) return false;
    if (now != stamp) return true;
    // Times may be coarse: a change within the same tick shows in the bytes.
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return true;
    return HashOf(file.readAll()) != hash;
}

}  // namespace tallyrix
