// Window tests run headless, with the program's directory in a temporary
// directory, under one QApplication for all tests.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("TALLYRIX_HOME", home.path().toUtf8());
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tallyrix"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
