#include "files/RecoveryFile.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include "files/SaveFile.h"

namespace tallyrix {
namespace {

const QString TextKey = QStringLiteral("text");
const QString FileNameKey = QStringLiteral("fileName");
const QString ModifiedKey = QStringLiteral("modified");

[[noreturn]] void FailToRead(const std::string& path, const std::string& reason)
{
    throw FileError("復元ファイルを読み込めません: " + path + " (" + reason + ")");
}

}  // namespace

std::string RecoveryFilePath(const std::string& progDir) { return progDir + "/" + RecoveryFileName; }

void SaveRecoveryFile(const std::string& path, const RecoveredDocument& document)
{
    const QJsonObject object{{TextKey, QString::fromStdString(document.text)},
                             {FileNameKey, QString::fromStdString(document.fileName)},
                             {ModifiedKey, document.modified}};
    SaveWholeFile(path, QJsonDocument(object).toJson().toStdString());
}

std::optional<RecoveredDocument> LoadRecoveryFile(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.exists()) return std::nullopt;
    if (!file.open(QIODevice::ReadOnly)) FailToRead(path, file.errorString().toStdString());
    QJsonParseError error{};
    const QJsonDocument json = QJsonDocument::fromJson(file.readAll(), &error);
    const QJsonObject object = json.object();
    if (error.error != QJsonParseError::NoError) FailToRead(path, error.errorString().toStdString());
    if (!object.value(TextKey).isString() || !object.value(FileNameKey).isString())
        FailToRead(path, "文書が書かれていません");
    return RecoveredDocument{object.value(TextKey).toString().toStdString(),
                             object.value(FileNameKey).toString().toStdString(),
                             object.value(ModifiedKey).toBool(true)};
}

}  // namespace tallyrix
