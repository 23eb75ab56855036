// Hiding the window to the tray and bringing it back, over a recording
// notification area.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "shell/ResultField.h"
#include "shell/TaskBar.h"
#include "tests/shell/RecordingTray.h"
#include "tests/window/WindowFixture.h"

namespace tallyrix::test {
namespace {

class TrayCommandsTest : public WindowTest {
protected:
    void SetUp() override
    {
        auto dialogs = std::make_unique<RecordingDialogs>();
        Dialogs = dialogs.get();
        Form = std::make_unique<TMainForm>(std::move(dialogs),
                                           [this](QWidget*) { return std::make_unique<RecordingTray>(Tray); });
        Form->show();
        Form->activateWindow();
    }
    void Send(TrayMouseMessage message) { Tray.handler(message); }

    TrayLog Tray;
};

TEST_F(TrayCommandsTest, StartsInTheTrayWithoutTaskbarButton)
{
    EXPECT_TRUE(Tray.calls.contains("Add Tallyrix")) << Tray.calls.join(';').toStdString();
    EXPECT_EQ(Tray.calls.filter("TaskbarButton").last(), "TaskbarButton 0");
    EXPECT_EQ(Tray.lastIcon.cacheKey(), Form->windowIcon().cacheKey());
    EXPECT_FALSE(Form->windowIcon().isNull());
}

// Hidden from the menu or the speed button; only a left button brings the
// window back, recalculated, with the focus in the editor.
TEST_F(TrayCommandsTest, LeftClickShowsTheHiddenWindowRecalculated)
{
    const std::function<void()> hidings[] = {
        [&] { Form->Menu.Tools.mHide1->trigger(); },
        [&] { QTest::mouseClick(Button("FormHideBtn"), Qt::LeftButton); },
    };
    for (const auto& hide : hidings) {
        Form->Bands.OutputEdit->setFocus();
        hide();
        ASSERT_TRUE(Form->isHidden());
        SetDocument("2*21");
        for (TrayMouseMessage other : {TrayMouseMessage::RightDown, TrayMouseMessage::MiddleDown})
            Send(other);
        EXPECT_TRUE(Form->isHidden());
        Send(TrayMouseMessage::LeftDown);
        ASSERT_TRUE(Form->isVisible());
        EXPECT_FALSE(Form->isMinimized());
        EXPECT_EQ(Output(), "42");
        EXPECT_EQ(Form->focusWidget(), Form->Panes.reExpression);
        Form->Bands.OutputEdit->clear();
    }
}

TEST_F(TrayCommandsTest, WithoutNotificationAreaHideMinimizesWithTaskbarButton)
{
    Tray.available = false;
    Tray.calls.clear();
    Form->Menu.Tools.mHide1->trigger();
    EXPECT_TRUE(Form->isVisible());
    EXPECT_TRUE(Form->isMinimized());
    EXPECT_EQ(Tray.calls, QStringList{"TaskbarButton 1"});
}

TEST_F(TrayCommandsTest, NotificationAreaGoneWhileHiddenBringsTheWindowBackMinimized)
{
    Form->Menu.Tools.mHide1->trigger();
    ASSERT_TRUE(Form->isHidden());
    Tray.available = false;
    QTRY_VERIFY_WITH_TIMEOUT(Form->isVisible(), 3000);
    EXPECT_TRUE(Form->isMinimized());
    EXPECT_TRUE(Tray.calls.contains("TaskbarButton 1"));
}

}  // namespace
}  // namespace tallyrix::test
