// Program entry: the application titled "Tallyrix" and its one window.
#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "app/MainForm.h"
#include "shell/Translations.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tallyrix"));
    tallyrix::InstallJapaneseQtTexts(application);
    try {
        tallyrix::TMainForm form;
        form.show();
        QApplication::exec();
    } catch (const std::exception& failure) {
        QMessageBox::critical(nullptr, QApplication::applicationName(), QString::fromUtf8(failure.what()));
    }
    return 0;
}
