#include "files/DiskSnapshot.h"

#include <sys/stat.h>

#include <QFile>
#include <functional>

namespace tallyrix {
namespace {

// Tells a file that changed within one tick of its time from the bytes
// recorded; no adversary is in view, so a fast hash of the whole serves.
std::size_t HashOf(std::string_view bytes) { return std::hash<std::string_view>{}(bytes); }

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
    snapshot.hash = HashOf(bytes);
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
    const QByteArray bytes = file.readAll();
    return HashOf(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))) != hash;
}

}  // namespace tallyrix
