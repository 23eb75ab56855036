// Tallyrix.ini and EditorStyle.dat through the real window: a first start,
// every stored choice through a close and a new start, and starts and
// closes that meet damaged or unwritable files.
#include <QAction>
#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QSplitter>
#include <QTextEdit>

#include "files/FormSettings.h"
#include "files/SettingsFiles.h"
#include "shell/ButtonBar.h"
#include "shell/FilePane.h"
#include "shell/SplitterPanes.h"
#include "tests/files_window/FilesWindowFixture.h"

namespace tallyrix::test {
namespace {

class SettingsWindowTest : public FilesWindowTest {
protected:
    QString IniFile() const { return HomePath(QStringLiteral("Tallyrix.ini")); }
    QString StyleFile() const { return HomePath(QStringLiteral("EditorStyle.dat")); }
    // Closes the window, as the user does, and starts a new one.
    void CloseAndStart()
    {
        ASSERT_TRUE(Form->close());
        Restart();
    }
    // The keys of section FORM in the order the file lists them.
    QStringList IniKeys() const
    {
        QStringList keys;
        for (const QByteArray& line : ReadBytes(IniFile()).split('\n')) {
            if (line.contains('=')) keys.append(QString::fromUtf8(line.left(line.indexOf('='))));
        }
        return keys;
    }
    FormSettings Stored() const { return ReadFormSettings(LoadProfileFile(IniFile().toStdString())); }
    QStringList MessageTexts() const
    {
        QStringList texts;
        for (const MessageRequest& message : Dialogs->Messages)
            texts.append(message.text);
        return texts;
    }
};

TEST_F(SettingsWindowTest, FirstStartShowsTheDesignAndClosingWritesBothFiles)
{
    EXPECT_EQ(Form->pos(), QPoint(1, 0));
    EXPECT_EQ(Form->size(), QSize(582, 466));
    for (QAction* item : {Form->Menu.Options.ShowSpeedBar, Form->Menu.Options.ShowNumberToolBar,
                          Form->Menu.Options.ShowFunctionToolBar, Form->Menu.Options.ShowRegisteredToolBar,
                          Form->Menu.Options.mFlatBtn, Form->Menu.Options.mRAD, Form->Menu.Options.mVariable})
        EXPECT_TRUE(item->isChecked()) << item->objectName().toStdString();
    EXPECT_FALSE(Form->Menu.Options.mStayOnTop->isChecked());
    EXPECT_TRUE(Form->Bands.tbNumber->isVisible());
    EXPECT_EQ(Form->LeftPanelWidth(), 129);
    EXPECT_EQ(Form->ReResultWidth(), 165);
    EXPECT_TRUE(Dialogs->Messages.empty());

    ASSERT_TRUE(Form->close());
    EXPECT_TRUE(QFile::exists(StyleFile()));
    // The untitled document is no file: its name is not written.
    EXPECT_EQ(IniKeys(), QStringList({"iFormTop",
                                      "iFormLeft",
                                      "iFormHeight",
                                      "iFormWidth",
                                      "iDirectoryListBoxHeight",
                                      "iLeftPanelWidth",
                                      "ireResultWidth",
                                      "iDriveComboBox1Width",
                                      "iEditorColor",
                                      "bShowNumberToolBar",
                                      "bShowFunctionToolBar",
                                      "bShowRegisteredToolBar",
                                      "bShowSpeedBar",
                                      "bStayOnTop",
                                      "bFlatButton",
                                      "bRAD",
                                      "bEquation",
                                      "bEnter",
                                      "bEnterToSemicolon",
                                      "bInsertRegisteredValue",
                                      "bSkipCheckFileSave",
                                      "bAlignedValues",
                                      "bGroupDigits",
                                      "bCompletion"}));
    const FormSettings stored = Stored();
    EXPECT_EQ(stored.iEditorColor, -2147483643);
    EXPECT_EQ(stored.iFormWidth, 582);
    EXPECT_EQ(stored.ireResultWidth, 165);
}

// Each choice is made as the user makes it, the window closes, and the
// next start shows it again.
TEST_F(SettingsWindowTest, EveryChoiceSurvivesACloseAndANewStart)
{
    const FontChoice editorFont{QStringLiteral("IPAゴシック"), 20, QColor(0, 0, 128), false, true, false, false};
    const FontChoice commentFont{QStringLiteral("IPAPゴシック"), 11, QColor(0, 128, 0), true, false, true, false};
    const QColor background(200, 220, 240);
    const QColor custom(12, 34, 56);
    const QString document = CalPath(QStringLiteral("計算.txt"));
    struct Case {
        const char* name;
        std::function<void()> choose;
        std::function<void()> check;
    };
    const Case cases[] = {
        {"geometry",
         [&] {
             Form->move(40, 30);
             Form->resize(620, 500);
         },
         [&] {
             EXPECT_EQ(Form->pos(), QPoint(40, 30));
             EXPECT_EQ(Form->size(), QSize(620, 500));
         }},
        {"degrees", [&] { Form->Menu.Options.mDEG->trigger(); },
         [&] {
             EXPECT_TRUE(Form->Menu.Options.mDEG->isChecked());
             EXPECT_FALSE(Form->Engine.Radians);
             EXPECT_EQ(Panel(2), QStringLiteral("DEG"));
         }},
        {"values of each expression", [&] { Form->Menu.Options.mEquation->trigger(); },
         [&] {
             EXPECT_TRUE(Form->Menu.Options.mEquation->isChecked());
             EXPECT_FALSE(Form->Menu.Options.mVariable->isChecked());
         }},
        {"hidden file pane", [&] { Form->Menu.Options.FileListAndExpression->trigger(); },
         [&] { EXPECT_EQ(Form->LeftPanelWidth(), 0); }},
        {"side pane width", [&] { Form->SetReResultWidth(140); }, [&] { EXPECT_EQ(Form->ReResultWidth(), 140); }},
        {"directory list height", [&] { SetPaneSize(Form->Panes.LeftPanel->Splitter3, 0, 45); },
         [&] { EXPECT_EQ(Form->Panes.LeftPanel->Splitter3->sizes().value(0), 45); }},
        {"stay on top", [&] { Form->Menu.Options.mStayOnTop->trigger(); },
         [&] {
             EXPECT_TRUE(Form->Menu.Options.mStayOnTop->isChecked());
             EXPECT_TRUE(Form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
         }},
        {"function toolbar hidden", [&] { Form->Menu.Options.ShowFunctionToolBar->trigger(); },
         [&] {
             EXPECT_FALSE(Form->Menu.Options.ShowFunctionToolBar->isChecked());
             EXPECT_FALSE(Form->Bands.tbFunction->isVisible());
             EXPECT_TRUE(Form->Bands.tbNumber->isVisible());
         }},
        {"speed bar hidden", [&] { Form->Menu.Options.ShowSpeedBar->trigger(); },
         [&] { EXPECT_FALSE(Form->Panes.SpeedBar->isVisible()); }},
        {"raised buttons", [&] { Form->Menu.Options.mFlatBtn->trigger(); },
         [&] {
             EXPECT_FALSE(Form->Menu.Options.mFlatBtn->isChecked());
             EXPECT_FALSE(Form->Bands.tbNumber->Flat());
             EXPECT_FALSE(Form->Bands.tbRegister->Flat());
         }},
        {"options",
         [&] {
             for (QAction* item : {Form->Menu.Options.mEnter, Form->Menu.Options.mEnterToSemicolon,
                                   Form->Menu.Options.mInsertRegisteredValue, Form->Menu.Options.mSkipCheckFileSave,
                                   Form->Menu.Options.mGroupDigits})
                 item->trigger();
         },
         [&] {
             for (QAction* item : {Form->Menu.Options.mEnter, Form->Menu.Options.mEnterToSemicolon,
                                   Form->Menu.Options.mInsertRegisteredValue, Form->Menu.Options.mSkipCheckFileSave,
                                   Form->Menu.Options.mGroupDigits})
                 EXPECT_TRUE(item->isChecked());
         }},
        {"no completion", [&] { Form->Menu.Options.mCompletion->trigger(); },
         [&] { EXPECT_FALSE(Form->Menu.Options.mCompletion->isChecked()); }},
        {"fonts",
         [&] {
             Dialogs->FontAnswers = {editorFont, commentFont};
             Form->Menu.Options.mEditorFont->trigger();
             Form->Menu.Options.mCommentFont->trigger();
         },
         [&] {
             EXPECT_EQ(Form->FontDialog.Font, editorFont);
             EXPECT_EQ(Form->CommentFontDialog.Font, commentFont);
             EXPECT_EQ(Form->Panes.reExpression->font().family(), QStringLiteral("IPAゴシック"));
             EXPECT_EQ(Form->Panes.reExpression->font().pixelSize(), 20);
         }},
        {"background",
         [&] {
             Dialogs->ColorAnswers = {background};
             Form->Menu.Options.mEditorColor->trigger();
             QColorDialog::setCustomColor(3, custom);
         },
         [&] {
             EXPECT_EQ(Form->EditorColor(), background);
             EXPECT_EQ(Form->ColorDialog1.Color, background);
             EXPECT_EQ(QColorDialog::customColor(3), custom);
         }},
        {"reopened document",
         [&] {
             Form->Panes.reExpression->setPlainText(QStringLiteral("a=6*7;a+1"));
             Dialogs->FileAnswers = {document};
             Form->Menu.File.mFileSaveAs->trigger();
         },
         [&] {
             EXPECT_EQ(Form->CurFileName, document);
             EXPECT_EQ(Document(), QStringLiteral("a=6*7;a+1"));
             EXPECT_EQ(Output(), QStringLiteral("43"));
             EXPECT_FALSE(Modified());
             EXPECT_EQ(Panel(1), QString());
             EXPECT_EQ(Form->Panes.LeftPanel->Directory(), QDir::cleanPath(Home.path() + QStringLiteral("/CAL")));
         }},
    };
    for (const Case& c : cases)
        c.choose();
    ASSERT_TRUE(Form->close());
    // A new process starts with Qt's own custom colours.
    QColorDialog::setCustomColor(3, Qt::white);
    Restart();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.check();
    }
    EXPECT_TRUE(Dialogs->Messages.empty());
}

// The name of an earlier close stays when the window closes untitled.
TEST_F(SettingsWindowTest, ClosingUntitledKeepsTheDocumentOfAnEarlierClose)
{
    OpenWith(CalPath(QStringLiteral("keep.txt")), "1+1");
    CloseAndStart();
    Form->Menu.File.mFileNew->trigger();
    CloseAndStart();
    EXPECT_EQ(Form->CurFileName, CalPath(QStringLiteral("keep.txt")));
    EXPECT_EQ(Output(), QStringLiteral("2"));
}

// Start-up goes on past each fault, reporting it once.
TEST_F(SettingsWindowTest, StartUpReportsAFaultAndGoesOn)
{
    const QByteArray degrees = "[FORM]\r\nbRAD=0\r\niFormLeft=5000\r\niFormTop=-4000\r\n";
    struct Case {
        const char* name;
        std::function<void()> damage;
        QString named;  // in the one message
    };
    const Case cases[] = {
        {"damaged style file", [&] { WriteBytes(StyleFile(), "TPF0\x0bTFontDialog"); },
         QStringLiteral("EditorStyle.dat")},
        {"CAL cannot be made",
         [&] {
             WriteBytes(HomePath(QStringLiteral("CAL")), "a file where the directory belongs");
             WriteBytes(HomePath(QStringLiteral("Registered.txt")), "tax,1.08\r\n");
         },
         QStringLiteral("CAL")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(Home.path()).removeRecursively();
        QDir().mkpath(Home.path());
        WriteBytes(IniFile(), degrees);
        c.damage();
        Restart();
        ASSERT_EQ(Dialogs->Messages.size(), 1u) << MessageTexts().join(u'\n').toStdString();
        EXPECT_EQ(Dialogs->Messages[0].icon, QMessageBox::Critical);
        EXPECT_TRUE(Dialogs->Messages[0].text.contains(c.named)) << Dialogs->Messages[0].text.toStdString();
        // The INI file was read: degrees, and a window brought back onto the screen.
        EXPECT_EQ(Panel(2), QStringLiteral("DEG"));
        EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(QRect(Form->pos(), Form->size())));
        EXPECT_EQ(Form->FontDialog.Font, DefaultEditorFont());
        Type(QStringLiteral("sin(90)+1"));
        EXPECT_EQ(Output(), QStringLiteral("2"));
    }
    EXPECT_EQ(Form->Bands.tbRegister->Buttons().size(), 1);
}

// One unusable value leaves the rest of the style file in use, and a close
// writes back every value that was read.
TEST_F(SettingsWindowTest, AStyleFileWithOneBadRecordKeepsTheGoodOnesThroughAClose)
{
    EditorStyle written = DesignEditorStyle();
    written.FontDialog.font = {"IPAゴシック", 20, ShiftJisCharset, 0x00123456, false, true, false, false};
    written.CommentFontDialog.font = {"IPAPゴシック", 15, ShiftJisCharset, 0x0000FF, true, false, false, false};
    written.ColorDialog1.customColors[3] = 0x00563412;
    const std::string good = WriteEditorStyle(written);
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string bytes = good;
        return QByteArray::fromStdString(bytes.replace(bytes.find(from), from.size(), to));
    };
    struct Case {
        const char* name;
        QByteArray bytes;
        std::function<void(EditorStyle&)> lost;
    };
    const Case cases[] = {
        {"height of zero", replaced(std::string("Font.Height\x02\xEC", 13), std::string("Font.Height\x02\x00", 13)),
         [](EditorStyle& style) { style.FontDialog.font.pixelHeight = 13; }},
        {"unknown colour name", replaced("clRed", "clRot"),
         [](EditorStyle& style) { style.CommentFontDialog.font.color = BlueColor; }},
        {"ten zero bytes at the end", QByteArray::fromStdString(good + std::string(10, '\0')), [](EditorStyle&) {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(StyleFile(), c.bytes);
        Restart();
        ASSERT_EQ(Dialogs->Messages.size(), 1u);
        EXPECT_TRUE(Dialogs->Messages[0].text.contains(QStringLiteral("EditorStyle.dat")));
        EXPECT_EQ(Form->CommentFontDialog.Font.name, QStringLiteral("IPAPゴシック"));
        ASSERT_TRUE(Form->close());
        EditorStyle expected = written;
        c.lost(expected);
        const EditorStyleReading closed = ReadEditorStyle(ReadBytes(StyleFile()).toStdString());
        EXPECT_EQ(closed.style, expected);
        EXPECT_TRUE(closed.problems.empty());
    }
}

// Qt's colour dialog reads custom colours from settings every Qt program
// shares; a start without a style file offers the program's own (white).
TEST_F(SettingsWindowTest, CustomColoursComeFromTheStyleFileAlone)
{
    ASSERT_TRUE(Form->close());
    QFile::remove(StyleFile());
    QColorDialog::setCustomColor(3, QColor(200, 0, 0));  // as another program left them
    Restart();
    EXPECT_EQ(QColorDialog::customColor(3), QColor(Qt::white));
    ASSERT_TRUE(Form->close());
    EXPECT_EQ(ReadEditorStyle(ReadBytes(StyleFile()).toStdString()).style.ColorDialog1,
              DesignEditorStyle().ColorDialog1);
}

// A background stored as a system colour stays that system colour.
TEST_F(SettingsWindowTest, SystemColourCodesOfTheBackgroundAreKept)
{
    for (const int code : {-2147483643 /* window */, -2147483633 /* button face */, -2147483624 /* tooltip */}) {
        SCOPED_TRACE(code);
        WriteBytes(IniFile(), "[FORM]\r\niEditorColor=" + QByteArray::number(code) + "\r\n");
        Restart();
        ASSERT_TRUE(Form->close());
        EXPECT_EQ(Stored().iEditorColor, code);
    }
}

// A file that cannot be written is reported once, the window closes all
// the same, and what was not written keeps its old contents.
TEST_F(SettingsWindowTest, FailedWritesAreReportedOnceAndTheWindowCloses)
{
    ASSERT_TRUE(Form->close());
    const QByteArray oldStyle = ReadBytes(StyleFile());
    const QByteArray oldIni = ReadBytes(IniFile());
    struct Case {
        const char* name;
        QString blocked;  // made a directory, so it cannot be read or replaced
        QString untouched;
        QByteArray untouchedBytes;
    };
    const Case cases[] = {
        {"INI file", IniFile(), StyleFile(), oldStyle},
        {"style file", StyleFile(), QString(), QByteArray()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(IniFile(), oldIni);
        WriteBytes(StyleFile(), oldStyle);
        Restart();
        Form->Menu.Options.mDEG->trigger();
        QFile::remove(c.blocked);
        QDir().mkpath(c.blocked);
        EXPECT_TRUE(Form->close());
        EXPECT_FALSE(Form->isVisible());
        EXPECT_EQ(Dialogs->Messages.size(), 1u) << MessageTexts().join(u'\n').toStdString();
        if (!c.untouched.isEmpty()) {
            EXPECT_EQ(ReadBytes(c.untouched), c.untouchedBytes);
        }
        QDir(c.blocked).removeRecursively();
    }
    // The style file failed after the INI file was written.
    EXPECT_FALSE(Stored().bRAD);
}

}  // namespace
}  // namespace tallyrix::test
