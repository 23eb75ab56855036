#include "files/ProfileStore.h"

#include <QFileInfo>
#include <QString>
#include <utility>

#include "files/SettingsFiles.h"

namespace tallyrix {
namespace {

bool IsReadOnlyFile(const std::string& path)
{
    const QFileInfo file(QString::fromStdString(path));
    constexpr QFile::Permissions anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return file.isFile() && (file.permissions() & anyWrite) == 0;
}

}  // namespace

ProfileFile ProfileStore::Read()
{
    if (kept) return *kept;
    ProfileFile profile;
    try {
        profile = LoadProfileFile(path);
    } catch (const FileError& error) {
        LeaveFile(profile, error.what());
        return profile;
    }
    if (profile.UndecodableBytes() > 0)
        LeaveFile(profile, path + " には読めないバイトがあるため、このファイルは書き換えません");
    else if (IsReadOnlyFile(path))
        LeaveFile(profile, path + " は読み取り専用です");
    return profile;
}

void ProfileStore::Write(const ProfileFile& profile)
{
    if (leaveFile) {
        kept = profile;
        return;
    }
    try {
        SaveProfileFile(path, profile);
        kept.reset();
    } catch (const FileError& error) {
        KeepHere(profile, error.what());
    }
}

void ProfileStore::LeaveFile(const ProfileFile& profile, const std::string& reason)
{
    leaveFile = true;
    KeepHere(profile, reason);
}

// A failed write is tried again at the next one.
void ProfileStore::KeepHere(const ProfileFile& profile, const std::string& reason)
{
    kept = profile;
    if (!noticeGiven && !notice)
        notice = reason + "\n設定はこのプログラムを終了するまで覚えておきますが、ファイルには保存されません。";
}

std::optional<std::string> ProfileStore::TakeNotice()
{
    if (!notice) return std::nullopt;
    noticeGiven = true;
    return std::exchange(notice, std::nullopt);
}

}  // namespace tallyrix
