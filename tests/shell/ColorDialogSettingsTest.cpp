// The colour dialog keeps the custom colours the window set and writes
// nothing into the user's Qt settings, which every Qt program shares.
#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include "shell/QtDialogs.h"

namespace tallyrix {
namespace {

TEST(ColorDialogSettingsTest, ChoosingAColourLeavesQtsUserSettingsAlone)
{
    QTemporaryDir user;  // the user's configuration directory
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, user.path());
    const QColor custom(12, 34, 56);
    QColorDialog::setCustomColor(3, custom);
    for (const bool accept : {true, false}) {
        QTimer::singleShot(0, [accept] {
            auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            accept ? dialog->accept() : dialog->reject();
        });
        const std::optional<QColor> chosen = QtDialogs().ChooseColor(nullptr, QColor(1, 2, 3));
        EXPECT_EQ(chosen, accept ? std::optional<QColor>(QColor(1, 2, 3)) : std::nullopt);
    }
    EXPECT_FALSE(QFile::exists(user.filePath(QStringLiteral("QtProject.conf"))));
    EXPECT_EQ(QColorDialog::customColor(3), custom);
    // Qt's settings are back where they were.
    EXPECT_EQ(QFileInfo(QSettings(QSettings::UserScope, QStringLiteral("QtProject")).fileName()).absolutePath(),
              user.path());
}

}  // namespace
}  // namespace tallyrix
