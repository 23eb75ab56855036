#include "shell/QtSettingsAside.h"

#include <QFileInfo>
#include <QSettings>

namespace tallyrix {
namespace {

// Qt reads and writes its own settings in the native format, which on this
// platform is the INI format.
constexpr QSettings::Format QtFormats[] = {QSettings::NativeFormat, QSettings::IniFormat};

void SetUserDirectory(const QString& directory)
{
    for (const QSettings::Format format : QtFormats)
        QSettings::setPath(format, QSettings::UserScope, directory);
}

}  // namespace

// QSettings has no getter for the directory; a settings object names its file.
QtSettingsAside::QtSettingsAside()
    : UserDirectory(QFileInfo(QSettings(QSettings::UserScope, QStringLiteral("QtProject")).fileName()).absolutePath())
{
    if (Scratch.isValid()) SetUserDirectory(Scratch.path());
}

QtSettingsAside::~QtSettingsAside()
{
    if (Scratch.isValid()) SetUserDirectory(UserDirectory);
}

}  // namespace tallyrix
