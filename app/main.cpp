// Program entry: the application titled "Tallyrix" and its one window.
#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "app/MainForm.h"
#include "app/TerminationWatcher.h"
#include "shell/LargeBlocks.h"
#include "shell/Translations.h"

int main(int argc, char* argv[])
{
    tallyrix::ReturnLargeBlocksWhenFreed();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tallyrix"));
    tallyrix::InstallJapaneseQtTexts(application);
    try {
        tallyrix::TMainForm form;
        // The end of the session keeps settings and unsaved edits; SIGTERM
        // then ends the program without asking (quit() would close the
        // window first, which asks about the edits).
        tallyrix::TerminationWatcher termination;
        form.Bind(&termination, &tallyrix::TerminationWatcher::Requested, [&form] {
            form.SessionEnding();
            QApplication::exit(0);
        });
#if QT_CONFIG(sessionmanager)
        form.Bind(&application, &QGuiApplication::commitDataRequest, &tallyrix::TMainForm::SessionEnding);
#endif
        form.show();
        QApplication::exec();
    } catch (const std::exception& failure) {
        QMessageBox::critical(nullptr, QApplication::applicationName(), QString::fromUtf8(failure.what()));
    }
    return 0;
}
