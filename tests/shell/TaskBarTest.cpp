// The tray-icon component over a recording notification area.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QPixmap>
#include <QWidget>
#include <stdexcept>

#include "shell/QtTrayBackend.h"
#include "shell/TaskBar.h"
#include "tests/shell/RecordingTray.h"

namespace tallyrix {
namespace {

QIcon FilledIcon(Qt::GlobalColor color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(color);
    return QIcon(pixmap);
}

TEST(TaskBarTest, TipIsCutAt63BytesOfCodePage932KeepingWholeCharacters)
{
    struct Case {
        QString tips;
        QString shown;
    };
    const Case cases[] = {
        {"Tallyrix", "Tallyrix"},
        {"", ""},
        {QString("a").repeated(63), QString("a").repeated(63)},
        {QString("a").repeated(64), QString("a").repeated(63)},
        {QString("あ").repeated(32), QString("あ").repeated(31)},  // 62 bytes, the next would make 64
        {QString("あ").repeated(30) + "a" + "い", QString("あ").repeated(30) + "aい"},  // exactly 63
        {QString("a").repeated(62) + "あ", QString("a").repeated(62)},                  // no half character
        {QString("ｱ").repeated(70), QString("ｱ").repeated(63)},    // half-width kana: one byte each
        {QString("𠮷").repeated(32), QString("𠮷").repeated(31)},  // outside the code page: two bytes
    };
    for (const Case& c : cases)
        EXPECT_EQ(CutTrayTip(c.tips), c.shown) << c.tips.toStdString();
}

class TaskBarFixture : public ::testing::Test {
protected:
    TrayLog log;
    std::unique_ptr<TTaskBar> taskBar = std::make_unique<TTaskBar>(std::make_unique<RecordingTray>(log));

    void Send(TrayMouseMessage message) { log.handler(message); }
};

TEST_F(TaskBarFixture, MouseMessagesRunEventsAndMenus)
{
    using M = TrayMouseMessage;
    struct Case {
        M message;
        QStringList events;
    };
    // clang-format off
    const Case cases[] = {
        {M::LeftDown, {"click 0"}},
        {M::RightDown, {"click 1"}},
        {M::MiddleDown, {"click 2"}},
        {M::LeftUp, {"Popup left 40,7"}},
        {M::RightUp, {"Popup right 40,7"}},
        {M::MiddleUp, {"Popup middle 40,7"}},
        {M::LeftDouble, {"double 0"}},
        {M::RightDouble, {"double 1"}},
        {M::MiddleDouble, {"double 2"}},
        {M::Move, {}},
    };
    // clang-format on
    QMenu left, right, middle;
    left.setObjectName("left");
    right.setObjectName("right");
    middle.setObjectName("middle");
    taskBar->SetPopupMenuLeft(&left);
    taskBar->SetPopupMenuRight(&right);
    taskBar->SetPopupMenuMiddle(&middle);
    taskBar->OnTrayClick = [&](TMouseButton b) { log.calls << QString("click %1").arg(int(b)); };
    taskBar->OnTrayDblClick = [&](TMouseButton b) { log.calls << QString("double %1").arg(int(b)); };
    for (const Case& c : cases) {
        log.calls.clear();
        Send(c.message);
        EXPECT_EQ(log.calls, c.events) << int(c.message);
    }
}

TEST_F(TaskBarFixture, MessagesWithoutHandlersOrMenusDoNothing)
{
    for (TrayMouseMessage message :
         {TrayMouseMessage::LeftDown, TrayMouseMessage::LeftUp, TrayMouseMessage::LeftDouble})
        Send(message);
    EXPECT_TRUE(log.calls.isEmpty()) << log.calls.join(';').toStdString();
}

TEST_F(TaskBarFixture, DestroyedMenuIsNeverPoppedUp)
{
    auto menu = std::make_unique<QMenu>();
    taskBar->SetPopupMenuRight(menu.get());
    menu.reset();
    EXPECT_EQ(taskBar->PopupMenuRight(), nullptr);
    Send(TrayMouseMessage::RightUp);
    EXPECT_TRUE(log.calls.isEmpty());
}

TEST_F(TaskBarFixture, ErrorOfAnEventGoesToTheReportAndStopsThere)
{
    QStringList reports;
    taskBar->OnError = [&](const QString& message) { reports << message; };
    taskBar->OnTrayClick = [](TMouseButton) { throw std::runtime_error("表示できません"); };
    EXPECT_NO_THROW(Send(TrayMouseMessage::LeftDown));
    EXPECT_EQ(reports, QStringList{"表示できません"});
}

TEST_F(TaskBarFixture, IconIsAddedAfterLoadingAndRemovedWithTheComponent)
{
    taskBar->SetEnableTaskBar(false);
    taskBar->SetTips("Tallyrix");
    log.calls.clear();
    taskBar->Loaded();
    taskBar.reset();
    EXPECT_EQ(log.calls, (QStringList{"Add Tallyrix", "TaskbarButton 0", "Remove"}));
}

TEST_F(TaskBarFixture, ChangesWhileTheTrayIsOffWaitForTheNextAdd)
{
    taskBar->SetEnableTaskTray(false);
    log.calls.clear();
    const QIcon red = FilledIcon(Qt::red);
    taskBar->SetTips("計算機");
    taskBar->SetIcon(red);
    EXPECT_TRUE(log.calls.isEmpty()) << log.calls.join(';').toStdString();
    taskBar->SetEnableTaskTray(true);
    EXPECT_EQ(log.calls, QStringList{"Add 計算機"});
    EXPECT_EQ(log.lastIcon.cacheKey(), red.cacheKey());
    taskBar->SetTips(QString("x").repeated(70));
    EXPECT_EQ(log.calls.last(), "Modify " + QString("x").repeated(63));
}

TEST_F(TaskBarFixture, WithoutAnIconTheApplicationsIconShows)
{
    const QIcon blue = FilledIcon(Qt::blue);
    QApplication::setWindowIcon(blue);
    taskBar->Loaded();
    EXPECT_EQ(log.lastIcon.pixmap(16, 16).toImage(), blue.pixmap(16, 16).toImage());
    QApplication::setWindowIcon(QIcon());
}

TEST_F(TaskBarFixture, HidingToTheTrayNeedsANotificationAreaAndTheIcon)
{
    struct Case {
        bool available;
        bool enabled;
        bool canHide;
    };
    for (const Case& c : {Case{true, true, true}, Case{false, true, false}, Case{true, false, false}}) {
        log.available = c.available;
        taskBar->SetEnableTaskTray(c.enabled);
        EXPECT_EQ(taskBar->CanHideToTray(), c.canHide) << c.available << c.enabled;
    }
}

TEST(QtTrayBackendTest, ActivationsBecomeTheButtonMessages)
{
    using M = TrayMouseMessage;
    struct Case {
        QSystemTrayIcon::ActivationReason reason;
        std::vector<M> messages;
    };
    const Case cases[] = {
        {QSystemTrayIcon::Trigger, {M::LeftDown, M::LeftUp}},
        {QSystemTrayIcon::Context, {M::RightDown, M::RightUp}},
        {QSystemTrayIcon::MiddleClick, {M::MiddleDown, M::MiddleUp}},
        {QSystemTrayIcon::DoubleClick, {M::LeftDouble}},
        {QSystemTrayIcon::Unknown, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TrayMessagesFor(c.reason), c.messages) << int(c.reason);
}

TEST(QtTrayBackendTest, TaskbarButtonSwitchKeepsTheWindowShownAndClosable)
{
    QWidget window;
    window.show();
    QtTrayBackend backend(&window);
    backend.ShowTaskbarButton(false);
    EXPECT_EQ(window.windowType(), Qt::Tool);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.testAttribute(Qt::WA_QuitOnClose));
    backend.ShowTaskbarButton(true);
    EXPECT_EQ(window.windowType(), Qt::Window);
    EXPECT_TRUE(window.isVisible());
}

}  // namespace
}  // namespace tallyrix
