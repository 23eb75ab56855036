// The view presets through the real window: F5 to F9 by their keys, the
// widths they hide and bring back, and the widths they keep in Tallyrix.ini.
#include <sys/resource.h>

#include <QAction>
#include <QLineEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include "files/FormSettings.h"
#include "files/SettingsFiles.h"
#include "shell/ButtonBar.h"
#include "shell/ResultField.h"
#include "tests/files_window/FilesWindowFixture.h"

namespace tallyrix::test {
namespace {

class ViewPresetsWindowTest : public FilesWindowTest {
protected:
    void SetUp() override
    {
        FilesWindowTest::SetUp();
        LaidOut();
    }
    // The splitters give their panes their widths once the shown window has
    // been laid out.
    static void LaidOut() { QCoreApplication::processEvents(); }
    // Shortcuts reach the active window only.
    void Press(Qt::Key key)
    {
        Form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(Form.get()));
        QTest::keyClick(Form.get(), key);
        QCoreApplication::processEvents();
    }
    std::pair<int, int> Panes() const { return {Form->LeftPanelWidth(), Form->ReResultWidth()}; }
    std::string Ini() const { return HomePath(QStringLiteral("Tallyrix.ini")).toStdString(); }
    std::optional<std::string> StoredKey(std::string_view key) const
    {
        return LoadProfileFile(Ini()).ReadText(FormSection, key);
    }
    // The side pane over the whole right panel, the editor squeezed to nothing.
    void DragSidePaneToFullWidth() { Form->Panes.Splitter2->setSizes({0, Form->Panes.Splitter2->width()}); }
    // The result field reaches the right end of its band.
    void ExpectOutputEditReachesTheEnd() const
    {
        EXPECT_EQ(Form->Bands.OutputEdit->geometry().right(), Form->Bands.ResultPanel->contentsRect().right());
    }
};

// A Tallyrix.ini the program must not or cannot replace: the presets keep
// their widths in memory, the file stays as it was, and that is said once,
// closing included (the full disk has room again by then).
TEST_F(ViewPresetsWindowTest, AnIniThatCannotBeWrittenKeepsTheWidthsInMemory)
{
    const QString ini = HomePath(QStringLiteral("Tallyrix.ini"));
    rlimit unlimited{};
    getrlimit(RLIMIT_FSIZE, &unlimited);
    struct Case {
        const char* name;
        QByteArray bytes;
        std::function<void()> fail;
        std::function<void()> mend;
    };
    const Case cases[] = {
        {"read-only", "[FORM]\r\n", [&] { QFile::setPermissions(ini, QFile::ReadOwner | QFile::ReadOther); },
         [&] { QFile::setPermissions(ini, QFile::ReadOwner | QFile::WriteOwner); }},
        {"disk full", "[FORM]\r\n",
         [&] {
             rlimit small = unlimited;
             small.rlim_cur = 4;
             setrlimit(RLIMIT_FSIZE, &small);
         },
         [&] { setrlimit(RLIMIT_FSIZE, &unlimited); }},
        {"bytes no encoding reads", "[FORM]\r\n; \x80\xFD\r\n", [] {}, [] {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(ini, c.bytes);
        c.fail();
        Restart();
        LaidOut();
        Form->SetLeftPanelWidth(150);
        Form->SetReResultWidth(120);
        for (const Qt::Key key : {Qt::Key_F7, Qt::Key_F8, Qt::Key_F9})
            Press(key);
        EXPECT_EQ(Panes(), std::make_pair(150, 120));
        EXPECT_EQ(Dialogs->Messages.size(), 1u);
        EXPECT_EQ(ReadBytes(ini), c.bytes);
        c.mend();
        ASSERT_TRUE(Form->close());
        EXPECT_EQ(Dialogs->Messages.size(), 1u);
    }
}

TEST_F(ViewPresetsWindowTest, PresetsHideAndRestoreThePanes)
{
    struct Case {
        const char* name;
        std::function<void()> before;
        std::vector<Qt::Key> keys;
        std::pair<int, int> expected;
    };
    // clang-format off
    const Case cases[] = {
        {"F7 hides both panes", [] {}, {Qt::Key_F7}, {0, 0}},
        {"F7 then F9 brings back the widths before F7", [this] { Form->SetLeftPanelWidth(150); Form->SetReResultWidth(120); },
         {Qt::Key_F7, Qt::Key_F9}, {150, 120}},
        {"F9 without stored widths gives 100", [this] { Form->SetLeftPanelWidth(0); Form->SetReResultWidth(0); },
         {Qt::Key_F9}, {100, 100}},
        {"F8 hides the file pane only", [] {}, {Qt::Key_F8}, {0, 165}},
        {"F8 after F7 brings back the side pane only", [] {}, {Qt::Key_F7, Qt::Key_F8}, {0, 165}},
        {"F8 resets a side pane over the whole panel", [this] { DragSidePaneToFullWidth(); }, {Qt::Key_F8}, {0, 100}},
        {"F9 resets a side pane over the whole panel", [this] { DragSidePaneToFullWidth(); }, {Qt::Key_F9}, {129, 100}},
        {"F9 keeps visible panes", [this] { Form->SetLeftPanelWidth(170); }, {Qt::Key_F9}, {170, 165}},
        {"F5 then F6", [] {}, {Qt::Key_F5, Qt::Key_F6}, {129, 165}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(HomePath(QStringLiteral("Tallyrix.ini")));
        Restart();
        LaidOut();
        c.before();
        for (Qt::Key key : c.keys)
            Press(key);
        EXPECT_EQ(Panes(), c.expected);
        ExpectOutputEditReachesTheEnd();
        EXPECT_TRUE(Dialogs->Messages.empty());
    }
}

// F7 keeps the widths of visible panes only; a side pane over the whole
// panel counts as hidden.
TEST_F(ViewPresetsWindowTest, OnlyVisibleWidthsAreStored)
{
    Form->SetLeftPanelWidth(140);
    DragSidePaneToFullWidth();
    Press(Qt::Key_F7);
    EXPECT_EQ(StoredKey("iOldLeftPanelWidth"), "140");
    EXPECT_EQ(StoredKey("iOldreResultWidth"), std::nullopt);
    Press(Qt::Key_F7);  // nothing visible: the stored widths stay
    EXPECT_EQ(StoredKey("iOldLeftPanelWidth"), "140");
    // A key the presets keep survives the close, which writes the others.
    ASSERT_TRUE(Form->close());
    EXPECT_EQ(StoredKey("iOldLeftPanelWidth"), "140");
    EXPECT_EQ(StoredKey("iLeftPanelWidth"), "0");
}

TEST_F(ViewPresetsWindowTest, MostSimpleHidesEveryToolbarAndFullyShownBringsThemBack)
{
    const std::vector<QAction*> items = {Form->Menu.Options.ShowSpeedBar, Form->Menu.Options.ShowNumberToolBar,
                                         Form->Menu.Options.ShowFunctionToolBar,
                                         Form->Menu.Options.ShowRegisteredToolBar};
    const std::vector<QWidget*> bars = {Form->Panes.SpeedBar, Form->Bands.tbNumber, Form->Bands.tbFunction,
                                        Form->Bands.tbRegister};
    for (const bool shown : {false, true}) {
        Press(shown ? Qt::Key_F6 : Qt::Key_F5);
        for (std::size_t i = 0; i < bars.size(); ++i) {
            EXPECT_EQ(items[i]->isChecked(), shown) << i;
            EXPECT_EQ(bars[i]->isVisible(), shown) << i;
        }
        // The result band, the editor and the status bar stay.
        const QWidget* kept[] = {Form->Bands.OutputEdit, Form->Panes.reExpression, Form->Status.StatusBar};
        for (const QWidget* widget : kept)
            EXPECT_TRUE(widget->isVisible());
        ExpectOutputEditReachesTheEnd();
    }
}

// Each switch shows its bar exactly when its check mark is set.
TEST_F(ViewPresetsWindowTest, SwitchesFollowTheirCheckMarks)
{
    struct Case {
        QAction* item;
        std::function<bool()> on;
    };
    // clang-format off
    const Case cases[] = {
        {Form->Menu.Options.ShowSpeedBar, [this] { return Form->Panes.SpeedBar->isVisible(); }},
        {Form->Menu.Options.ShowNumberToolBar, [this] { return Form->Bands.tbNumber->isVisible(); }},
        {Form->Menu.Options.ShowFunctionToolBar, [this] { return Form->Bands.tbFunction->isVisible(); }},
        {Form->Menu.Options.ShowRegisteredToolBar, [this] { return Form->Bands.tbRegister->isVisible(); }},
        {Form->Menu.Options.mFlatBtn, [this] { return Form->Bands.tbFunction->Flat() && Form->Bands.tbNumber->Buttons()[0]->autoRaise(); }},
        {Form->Menu.Options.mStayOnTop, [this] { return Form->windowFlags().testFlag(Qt::WindowStaysOnTopHint) && Form->isVisible(); }},
    };
    // clang-format on
    for (const Case& c : cases) {
        for (int click = 0; click < 2; ++click) {
            c.item->trigger();
            EXPECT_EQ(c.on(), c.item->isChecked()) << c.item->objectName().toStdString() << click;
        }
    }
    Press(Qt::Key_F4);
    EXPECT_TRUE(Form->Menu.Options.mStayOnTop->isChecked());
}

}  // namespace
}  // namespace tallyrix::test
