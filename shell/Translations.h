// Qt draws some texts of its own (standard buttons, context menus, the
// colour and file dialogs); they speak the window's language too.
#pragma once

#include <QString>

class QCoreApplication;

namespace tallyrix {

// Loads Qt's Japanese catalogue from translationsDirectory (Qt's own when
// empty). A missing catalogue is no error: Qt's texts then stay English.
// Returns whether one was installed.
bool InstallJapaneseQtTexts(QCoreApplication& application, const QString& translationsDirectory = QString());

}  // namespace tallyrix
