// The end of a session (logout, SIGTERM): the settings are written, unsaved
// edits are kept, and the next start offers them back.
#include <QFile>
#include <QSignalSpy>
#include <csignal>

#include "app/TerminationWatcher.h"
#include "files/FormSettings.h"
#include "files/SettingsFiles.h"
#include "tests/files_window/FilesWindowFixture.h"

namespace tallyrix::test {
namespace {

class SessionEndTest : public FilesWindowTest {
protected:
    QString RecoveryFile() const { return HomePath(QStringLiteral("Tallyrix.recovery")); }
};

TEST_F(SessionEndTest, SigtermReachesTheEventLoop)
{
    TerminationWatcher watcher;
    QSignalSpy requested(&watcher, &TerminationWatcher::Requested);
    ASSERT_EQ(std::raise(SIGTERM), 0);
    EXPECT_TRUE(WaitFor([&] { return requested.count() == 1; }));
}

TEST_F(SessionEndTest, UnsavedEditsAreOfferedBackAtTheNextStart)
{
    const QString document = CalPath(QStringLiteral("見積り.txt"));
    const QString edited = QStringLiteral("a=6*7;\n// 税込み\na*1.1");
    struct Case {
        const char* name;
        QMessageBox::StandardButton answer;
        QString text;
        bool modified;
    };
    const Case cases[] = {
        {"restored", QMessageBox::Yes, edited, true},
        {"declined", QMessageBox::No, QStringLiteral("a=1"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpenWith(document, "a=1");
        Form->Menu.Options.mDEG->trigger();
        SetDocument(edited);
        Form->SetModified(true);
        Form->SessionEnding();
        EXPECT_TRUE(QFile::exists(RecoveryFile()));
        EXPECT_FALSE(ReadFormSettings(LoadProfileFile(HomePath(QStringLiteral("Tallyrix.ini")).toStdString())).bRAD);

        Form.reset();  // the session ends without a close
        auto dialogs = std::make_unique<RecordingDialogs>();
        Dialogs = dialogs.get();
        Dialogs->MessageAnswers = {c.answer};
        Form = std::make_unique<TMainForm>(std::move(dialogs));
        ASSERT_EQ(Dialogs->Messages.size(), 1u);
        EXPECT_EQ(Dialogs->Messages[0].text, QStringLiteral("復元しますか？"));
        EXPECT_EQ(Dialogs->Messages[0].buttons, QMessageBox::Yes | QMessageBox::No);
        EXPECT_FALSE(QFile::exists(RecoveryFile()));
        EXPECT_EQ(Form->CurFileName, document);
        EXPECT_EQ(Document(), c.text);
        EXPECT_EQ(Modified(), c.modified);
        Form->SetModified(false);
    }
}

}  // namespace
}  // namespace tallyrix::test
