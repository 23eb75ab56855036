// While one lives, Qt's own user settings (the "QtProject" file in the
// user's configuration directory, shared by every Qt program) go to a
// scratch directory that is removed afterwards. Qt's colour dialog writes
// its custom colours there when it is destroyed; this program keeps them in
// EditorStyle.dat alone.
#pragma once

#include <QString>
#include <QTemporaryDir>

namespace tallyrix {

class QtSettingsAside {
public:
    QtSettingsAside();
    ~QtSettingsAside();
    QtSettingsAside(const QtSettingsAside&) = delete;
    QtSettingsAside& operator=(const QtSettingsAside&) = delete;

private:
    QString UserDirectory;  // where Qt's settings went before
    QTemporaryDir Scratch;
};

}  // namespace tallyrix
