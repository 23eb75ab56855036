// The version dialog and the program's icon it shows.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "shell/AboutBox.h"
#include "shell/ProgramIcon.h"

namespace tallyrix {
namespace {

TEST(AboutBoxTest, ProgramIconIsDrawnAtEverySize)
{
    // Fails when the resource is not built in or no SVG support is installed.
    for (int size : {16, 32, 48}) {
        const QImage image = ProgramIcon().pixmap(size, size).toImage();
        ASSERT_FALSE(image.isNull()) << size;
        EXPECT_EQ(image.width(), size);
        EXPECT_GT(qAlpha(image.pixel(size / 2, size / 2)), 0) << size;
    }
}

TEST(AboutBoxTest, ShowsTheIconAndTheVersion)
{
    TAboutBox box;
    const QLabel* icon = box.findChild<QLabel*>("ProgramIcon");
    ASSERT_NE(icon, nullptr);
    EXPECT_FALSE(icon->pixmap().isNull());
    const QLabel* version = box.findChild<QLabel*>("Version");
    ASSERT_NE(version, nullptr);
    EXPECT_LE(version->geometry().right(), box.width()) << "the version text is cut off";
}

TEST(AboutBoxTest, OkHasTheFocusAndEveryKeyCloses)
{
    struct Case {
        Qt::Key key;
        int result;
    };
    const Case cases[] = {
        {Qt::Key_Return, QDialog::Accepted},
        {Qt::Key_Enter, QDialog::Accepted},
        {Qt::Key_Space, QDialog::Accepted},
        {Qt::Key_Escape, QDialog::Rejected},
    };
    for (const Case& c : cases) {
        TAboutBox box;
        box.show();
        QPushButton* ok = box.findChild<QPushButton*>("OKButton");
        ASSERT_NE(ok, nullptr);
        EXPECT_EQ(box.focusWidget(), ok);
        box.setResult(-1);
        QTest::keyClick(ok, c.key);
        EXPECT_FALSE(box.isVisible()) << c.key;
        EXPECT_EQ(box.result(), c.result) << c.key;
    }
}

}  // namespace
}  // namespace tallyrix
