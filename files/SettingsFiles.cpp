#include "files/SettingsFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include "files/RegularFileReader.h"

namespace tallyrix {
namespace {

// The bytes of the file, or nothing when there is none.
std::optional<std::string> ReadBytesIfPresent(const std::string& path)
{
    if (!QFile::exists(QString::fromStdString(path))) return std::nullopt;
    return ReadRegularFile(path, SmallFileSizeLimit);
}

}  // namespace

std::string IniFilePath(const std::string& progDir) { return progDir + "/" + IniFileName; }

std::string StyleFilePath(const std::string& progDir) { return progDir + "/" + StyleFileName; }

ProfileFile LoadProfileFile(const std::string& path)
{
    const std::optional<std::string> bytes = ReadBytesIfPresent(path);
    return bytes ? ProfileFile::FromBytes(*bytes) : ProfileFile();
}

void SaveProfileFile(const std::string& path, const ProfileFile& profile) { SaveWholeFile(path, profile.ToBytes()); }

std::optional<EditorStyleReading> LoadEditorStyleFile(const std::string& path)
{
    const std::optional<std::string> bytes = ReadBytesIfPresent(path);
    if (!bytes) return std::nullopt;
    return ReadEditorStyle(*bytes);
}

std::string StyleProblemsText(const std::string& path, const std::vector<std::string>& problems)
{
    std::string text = path + " の一部を読めませんでした。読めた設定だけを使います。";
    for (const std::string& problem : problems)
        text += "\n" + problem;
    return text;
}

void SaveEditorStyleFile(const std::string& path, const EditorStyle& style)
{
    SaveWholeFile(path, WriteEditorStyle(style));
}

std::optional<std::string> DocumentToReopen(const std::string& stored, const std::string& currentDir)
{
    if (stored.empty()) return std::nullopt;
    const QFileInfo file(QDir(QString::fromStdString(currentDir)), QString::fromStdString(stored));
    if (!file.isFile()) return std::nullopt;
    return file.absoluteFilePath().toStdString();
}

}  // namespace tallyrix
