// The help window and where it finds the help page.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "shell/HelpWindow.h"

namespace tallyrix {
namespace {

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(HelpWindowTest, HelpPageIsTakenFromTheFirstDirectoryHoldingIt)
{
    QTemporaryDir first, second, third;
    WriteFile(third.filePath("Tallyrix.html"), "<p>third</p>");
    WriteFile(second.filePath("Tallyrix.html"), "<p>second</p>");
    struct Case {
        QStringList directories;
        QString found;
    };
    const Case cases[] = {
        {{first.path(), second.path(), third.path()}, second.filePath("Tallyrix.html")},
        {{third.path(), second.path()}, third.filePath("Tallyrix.html")},
        {{first.path()}, first.filePath("Tallyrix.html")},  // missing: named where it was expected
        {{}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LocateHelpFile(c.directories), c.found) << c.directories.join(';').toStdString();
}

TEST(HelpWindowTest, MissingFileIsReportedByName)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath("ヘルプ/Tallyrix.html");
    THelpWindow window;
    const std::optional<QString> error = window.ShowFile(missing);
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->contains(QDir::toNativeSeparators(missing))) << error->toStdString();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.ShowFile(dir.path()).has_value()) << "a directory is no help page";
}

TEST(HelpWindowTest, EscapeClosesTheWindow)
{
    THelpWindow window;
    ASSERT_FALSE(window.ShowFile(QStringLiteral(TALLYRIX_HELP_PAGE)).has_value());
    QTest::keyClick(&window, Qt::Key_PageDown);
    EXPECT_TRUE(window.isVisible());
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

TEST(HelpWindowTest, ProgramsHelpPageOpensWithItsContents)
{
    THelpWindow window;
    const std::optional<QString> error = window.ShowFile(QStringLiteral(TALLYRIX_HELP_PAGE));
    ASSERT_FALSE(error.has_value()) << error->toStdString();
    EXPECT_TRUE(window.isVisible());
    const QString text = window.toPlainText();
    for (const char* topic : {"sqrt", "atan", "pi", "///", "Registered.txt", "Ctrl+F", "F7"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(topic))) << topic;
}

}  // namespace
}  // namespace tallyrix
