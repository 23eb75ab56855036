#include "shell/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tallyrix {

bool InstallJapaneseQtTexts(QCoreApplication& application, const QString& translationsDirectory)
{
    const QString directory =
        translationsDirectory.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : translationsDirectory;
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qtbase_ja"), directory)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace tallyrix
