#include "files/SaveFile.h"

#include <QSaveFile>
#include <QString>

namespace tallyrix {
namespace {

[[noreturn]] void Fail(const std::string& path, const QString& reason)
{
    throw FileError("ファイルに書き込めません: " + path + " (" + reason.toStdString() + ")");
}

}  // namespace

void SaveWholeFile(const std::string& path, std::string_view bytes)
{
    QSaveFile file(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())));
    // Unbuffered, so that write() reports what reached the disk: Qt's
    // buffered flush drops a short write (a full disk, a file-size limit)
    // without an error, and commit() would then put a cut file in place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        Fail(path, file.errorString());
    const auto size = static_cast<qint64>(bytes.size());
    if (size > 0 && file.write(bytes.data(), size) != size) {
        const QString reason = file.error() != QFileDevice::NoError ? file.errorString()
                                                                     : QStringLiteral("書き込みが途中で終わりました");
        file.cancelWriting();
        Fail(path, reason);
    }
    if (!file.commit())
        Fail(path, file.errorString());
}

}  // namespace tallyrix
