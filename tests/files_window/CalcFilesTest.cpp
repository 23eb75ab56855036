// New, Open, Save, Save As, open by selection, Delete and closing, with the
// save confirmation answered by the test.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <sys/fsuid.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

#include "document/Presentation.h"
#include "engine/Eval.h"
#include "files/CalcFileNames.h"
#include "shell/DocumentLoader.h"
#include "shell/FilePane.h"
#include "tests/files_window/FilesWindowFixture.h"

namespace tallyrix::test {
namespace {

const QString Title = QStringLiteral("Tallyrix");
const QString ConfirmText = QStringLiteral("編集中のファイルが保存されていません.\n保存しますか？");

// What the window shows of its document.
struct DocumentState {
    QString text;
    QString caption;
    QString fileName;
    bool modified;
    QString panel4;
    bool operator==(const DocumentState&) const = default;
};

std::ostream& operator<<(std::ostream& out, const DocumentState& state)
{
    return out << state.fileName.toStdString() << " [" << state.caption.toStdString() << "] "
               << (state.modified ? "modified " : "") << '"' << state.text.toStdString() << "\" / "
               << state.panel4.toStdString();
}

class CalcFilesTest : public FilesWindowTest {
protected:
    DocumentState State() const { return {Document(), Form->windowTitle(), Form->CurFileName, Modified(), Panel(4)}; }
    void AnswerMessages(std::initializer_list<QMessageBox::StandardButton> answers)
    {
        Dialogs->MessageAnswers.assign(answers.begin(), answers.end());
    }
    void AnswerFile(const std::optional<QString>& path) { Dialogs->FileAnswers.push_back(path); }
    int Confirmations() const
    {
        int count = 0;
        for (const MessageRequest& message : Dialogs->Messages)
            count += message.text == ConfirmText;
        return count;
    }
    const MessageRequest& LastMessage() const { return Dialogs->Messages.back(); }
};

TEST_F(CalcFilesTest, FirstStartCreatesCalAndShowsIt)
{
    const QString cal = HomePath(QStringLiteral("CAL"));
    EXPECT_TRUE(QFileInfo(cal).isDir());
    EXPECT_EQ(Form->ProgDir, Home.path());
    EXPECT_EQ(Form->CalDir, cal);
    EXPECT_EQ(Form->Panes.LeftPanel->Directory(), cal);
    EXPECT_EQ(QDir::currentPath(), cal);
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Tallyrix - 新規.txt"));
    EXPECT_EQ(Form->CurFileName, QStringLiteral("新規.txt"));
    EXPECT_FALSE(Modified());
    EXPECT_TRUE(Dialogs->Messages.empty());

    // A second start lists what the first one left there.
    WriteBytes(CalPath(QStringLiteral("left.txt")), "1+1");
    Restart();
    WaitUntilListed(QStringLiteral("left.txt"));
}

TEST_F(CalcFilesTest, NewStartsAnUntitledDocumentInCal)
{
    const QString other = HomePath(QStringLiteral("other"));
    OpenWith(other + QStringLiteral("/a.txt"), "x=2");
    ASSERT_EQ(Form->Panes.LeftPanel->Directory(), other);
    Form->RunHandler([this] { Form->FileNew(); });
    EXPECT_EQ(State(), (DocumentState{QString(), QStringLiteral("Tallyrix - 新規.txt"), QStringLiteral("新規.txt"),
                                      false, QStringLiteral("新規.txtを作成して下さい")}));
    EXPECT_EQ(Form->Panes.LeftPanel->Directory(), Form->CalDir);
    EXPECT_EQ(QDir::currentPath(), Form->CalDir);
    EXPECT_TRUE(IsEditorFormat(Form->Panes.reExpression->currentCharFormat()));
}

// Each command that would drop the edits asks first: Yes saves and goes
// on, No goes on without saving, Cancel leaves everything as it was.
TEST_F(CalcFilesTest, CommandsAskBeforeDroppingEdits)
{
    const QString a = CalPath(QStringLiteral("a.txt"));
    const QString b = CalPath(QStringLiteral("b.txt"));
    WriteBytes(b, "2*3");
    struct Command {
        const char* name;
        std::function<void()> run;
        std::function<bool()> wentOn;
    };
    const Command commands[] = {
        {"New", [this] { Form->FileNew(); }, [this] { return Form->CurFileName == QStringLiteral("新規.txt"); }},
        {"Open",
         [this, b] {
             AnswerFile(b);
             Form->FileOpen();
         },
         [this, b] { return Form->CurFileName == b; }},
        {"open by selection",
         [this, b] {
             Form->Panes.LeftPanel->SelectFile(b);
             Form->FileListBoxClick();
         },
         [this, b] { return Form->CurFileName == b; }},
        {"close", [this] { Form->close(); }, [this] { return !Form->isVisible(); }},
    };
    const QMessageBox::StandardButton answers[] = {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    for (const Command& command : commands) {
        for (const QMessageBox::StandardButton answer : answers) {
            SCOPED_TRACE(std::string(command.name) + " answered " + std::to_string(answer));
            Form->show();
            OpenWith(a, "1+1");
            TypeAtEnd(QStringLiteral("+5"));
            const DocumentState edited = State();
            Dialogs->Messages.clear();
            Dialogs->FileAnswers.clear();
            AnswerMessages({answer});
            Form->RunHandler(command.run);

            ASSERT_EQ(Dialogs->Messages.size(), 1u);
            EXPECT_EQ(LastMessage().text, ConfirmText);
            EXPECT_EQ(LastMessage().caption, Title);
            EXPECT_EQ(LastMessage().icon, QMessageBox::Warning);
            EXPECT_EQ(LastMessage().buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            EXPECT_EQ(ReadBytes(a), answer == QMessageBox::Yes ? QByteArray("1+1+5") : QByteArray("1+1"));
            EXPECT_EQ(command.wentOn(), answer != QMessageBox::Cancel);
            if (answer == QMessageBox::Cancel) {
                EXPECT_EQ(State(), edited);
            }
        }
    }
}

TEST_F(CalcFilesTest, NothingToSaveAsksNothing)
{
    Form->RunHandler([this] { Form->FileNew(); });
    OpenWith(CalPath(QStringLiteral("a.txt")), "1");
    EXPECT_TRUE(Form->close());
    EXPECT_TRUE(Dialogs->Messages.empty());
}

TEST_F(CalcFilesTest, SkipCheckFileSaveDropsEditsWithoutAsking)
{
    const QString a = CalPath(QStringLiteral("a.txt"));
    const QString b = CalPath(QStringLiteral("b.txt"));
    WriteBytes(b, "2");
    Form->Menu.Options.mSkipCheckFileSave->trigger();
    ASSERT_TRUE(Form->Menu.Options.mSkipCheckFileSave->isChecked());
    const std::function<void()> commands[] = {
        [this] { Form->FileNew(); },
        [this, b] {
            AnswerFile(b);
            Form->FileOpen();
        },
        [this, b] {
            Form->Panes.LeftPanel->SelectFile(b);
            Form->FileListBoxClick();
        },
    };
    for (const auto& command : commands) {
        OpenWith(a, "1");
        TypeAtEnd(QStringLiteral("+9"));
        Form->RunHandler(command);
        EXPECT_FALSE(Modified());
        EXPECT_EQ(ReadBytes(a), QByteArray("1"));
    }
    // Cancelling the open dialog still leaves the edits counted as saved.
    TypeAtEnd(QStringLiteral("+1"));
    Form->RunHandler([this] { Form->FileOpen(); });
    EXPECT_FALSE(Modified());
    EXPECT_EQ(Document(), QStringLiteral("2+1"));
    TypeAtEnd(QStringLiteral("+1"));
    EXPECT_TRUE(Form->close());
    EXPECT_TRUE(Dialogs->Messages.empty());

    Form->Menu.Options.mSkipCheckFileSave->trigger();
    EXPECT_FALSE(Form->Menu.Options.mSkipCheckFileSave->isChecked());
}

TEST_F(CalcFilesTest, OpenLoadsRecalculatesAndMovesThePane)
{
    const QString other = HomePath(QStringLiteral("other"));
    const QString path = other + QStringLiteral("/a.rtf");
    WriteBytes(path, "{\\rtf1 x}\r\nr=2;\r\npi*r^2 // area\r\n");
    AnswerFile(path);
    Form->RunHandler([this] { Form->FileOpen(); });

    ASSERT_EQ(Dialogs->FileDialogs.size(), 1u);
    const FileDialogRequest& request = Dialogs->FileDialogs.front();
    EXPECT_EQ(request.title, QStringLiteral("計算式ﾌｧｲﾙを開く"));
    EXPECT_EQ(request.directory, Form->CalDir);
    EXPECT_EQ(request.nameFilters,
              (QStringList{QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ (*.txt)"), QStringLiteral("すべてのﾌｧｲﾙ (*.*)")}));
    EXPECT_EQ(request.defaultSuffix, QStringLiteral("txt"));

    // Rich-text control words are plain text here.
    EXPECT_EQ(State(),
              (DocumentState{QStringLiteral("{\\rtf1 x}\nr=2;\npi*r^2 // area\n"), QStringLiteral("Tallyrix - a.rtf"),
                             path, false, path + QStringLiteral("を開きました")}));
    EXPECT_EQ(Form->Panes.LeftPanel->Directory(), other);
    EXPECT_EQ(Form->Panes.LeftPanel->SelectedFileName(), QStringLiteral("a.rtf"));
    EXPECT_TRUE(IsCommentFormat(FormatAt(Form->Panes.reExpression, Document().indexOf(QStringLiteral("//")))));
    EXPECT_TRUE(Dialogs->Messages.empty());  // "{" does not scan: the engine's message, no box
}

// A file gone since the list read it (or a name typed in the dialog that
// names nothing) is reported, and the window keeps what it showed.
TEST_F(CalcFilesTest, OpeningAVanishedFileChangesNothing)
{
    const QString a = CalPath(QStringLiteral("a.txt"));
    const QString gone = CalPath(QStringLiteral("gone.txt"));
    OpenWith(a, "1+2");
    TypeAtEnd(QStringLiteral("+3"));
    WriteBytes(gone, "7");
    WaitUntilListed(QStringLiteral("gone.txt"));
    Form->Panes.LeftPanel->SelectFile(gone);
    const DocumentState before = State();
    QFile::remove(gone);

    const std::function<void()> opens[] = {
        [this] { Form->FileListBoxClick(); },
        [this, gone] {
            AnswerFile(gone);
            Form->FileOpen();
        },
    };
    for (const auto& open : opens) {
        Dialogs->Messages.clear();
        AnswerMessages({QMessageBox::No});
        Form->RunHandler(open);
        ASSERT_EQ(Dialogs->Messages.size(), 2u);
        EXPECT_EQ(LastMessage().icon, QMessageBox::Critical);
        EXPECT_EQ(LastMessage().caption, Title);
        EXPECT_TRUE(LastMessage().text.contains(gone)) << LastMessage().text.toStdString();
        EXPECT_EQ(State(), before);
    }
}

TEST_F(CalcFilesTest, SaveWritesTheTitledDocument)
{
    const QString a = CalPath(QStringLiteral("a.txt"));
    OpenWith(a, "1\r\n");
    TypeAtEnd(QStringLiteral("2"));
    PressAndRelease(Qt::Key_Return, Qt::NoModifier);
    Type(QStringLiteral("3"));
    Form->RunHandler([this] { Form->FileSave(); });
    EXPECT_TRUE(Dialogs->FileDialogs.empty());
    EXPECT_EQ(ReadBytes(a), QByteArray("1\r\n2\r\n3"));
    EXPECT_EQ(State(), (DocumentState{QStringLiteral("1\n2\n3"), QStringLiteral("Tallyrix - a.txt"), a, false,
                                      a + QStringLiteral("を保存しました。")}));
    EXPECT_TRUE(Panel(1).isEmpty());
}

// "新規.txt" is untitled in whatever directory it was saved; Save asks for
// a name in the pane's directory, and cancelling writes nothing.
TEST_F(CalcFilesTest, UntitledNamesGoToSaveAs)
{
    const QString elsewhere = HomePath(QStringLiteral("elsewhere/新規.txt"));
    for (const QString& start : {QString(), elsewhere}) {
        SCOPED_TRACE(start.toStdString());
        Dialogs->FileDialogs.clear();
        if (start.isEmpty()) {
            Form->RunHandler([this] { Form->FileNew(); });
        } else {
            OpenWith(start, "1");
        }
        TypeAtEnd(QStringLiteral("+4"));
        const DocumentState before = State();
        Form->RunHandler([this] { Form->FileSave(); });
        ASSERT_EQ(Dialogs->FileDialogs.size(), 1u);
        const FileDialogRequest& request = Dialogs->FileDialogs.front();
        EXPECT_EQ(request.title, QStringLiteral("計算ﾌｧｲﾙを保存する"));
        EXPECT_EQ(request.fileName, QStringLiteral("新規.txt"));
        EXPECT_EQ(request.directory, Form->Panes.LeftPanel->Directory());
        EXPECT_EQ(request.defaultSuffix, QStringLiteral("txt"));
        EXPECT_EQ(State(), before);
    }
    EXPECT_EQ(ReadBytes(elsewhere), QByteArray("1"));
}

TEST_F(CalcFilesTest, SaveAsIntoAnotherFolderMovesThePaneThere)
{
    const QString target = HomePath(QStringLiteral("projects/area.txt"));
    QDir().mkpath(HomePath(QStringLiteral("projects")));
    Type(QStringLiteral("r=3;pi*r^2"));
    AnswerFile(target);
    Form->RunHandler([this] { Form->FileSaveAs(); });

    EXPECT_EQ(ReadBytes(target), QByteArray("r=3;pi*r^2"));
    EXPECT_EQ(State(), (DocumentState{QStringLiteral("r=3;pi*r^2"), QStringLiteral("Tallyrix - area.txt"), target,
                                      false, target + QStringLiteral("を保存しました。")}));
    EXPECT_EQ(Form->Panes.LeftPanel->Directory(), HomePath(QStringLiteral("projects")));
    EXPECT_EQ(QDir::currentPath(), HomePath(QStringLiteral("projects")));
    EXPECT_EQ(Form->Panes.LeftPanel->SelectedFileName(), QStringLiteral("area.txt"));
    EXPECT_TRUE(Form->Panes.LeftPanel->ListedFiles().contains(QStringLiteral("area.txt")));
}

// Replacing a file other than the document's own is asked; saving under the
// document's own name is not.
TEST_F(CalcFilesTest, SaveAsAsksBeforeReplacingAnotherFile)
{
    const QString a = CalPath(QStringLiteral("a.txt"));
    const QString b = CalPath(QStringLiteral("b.txt"));
    WriteBytes(b, "keep me");
    struct Case {
        QString target;
        QMessageBox::StandardButton answer;
        bool asked;
        bool written;
    };
    const Case cases[] = {
        {b, QMessageBox::No, true, false},
        {a, QMessageBox::NoButton, false, true},
        {b, QMessageBox::Yes, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target.toStdString() + " " + std::to_string(c.answer));
        OpenWith(a, "1");
        TypeAtEnd(QStringLiteral("+2"));
        const DocumentState before = State();
        const QByteArray old = ReadBytes(c.target);
        Dialogs->Messages.clear();
        AnswerMessages({c.answer});
        AnswerFile(c.target);
        Form->RunHandler([this] { Form->FileSaveAs(); });

        EXPECT_EQ(Dialogs->Messages.size(), c.asked ? 1u : 0u);
        if (c.asked) {
            EXPECT_EQ(LastMessage().text, c.target + QStringLiteral("は既に存在します。\n置き換えますか？"));
            EXPECT_EQ(LastMessage().buttons, QMessageBox::Yes | QMessageBox::No);
        }
        EXPECT_EQ(ReadBytes(c.target), c.written ? QByteArray("1+2") : old);
        if (c.written) {
            EXPECT_EQ(Form->CurFileName, c.target);
            EXPECT_FALSE(Modified());
        } else {
            EXPECT_EQ(State(), before);
        }
    }
}

// Answering Yes and then giving up the Save As dialog saved nothing: the
// command that asked must not drop the document.
TEST_F(CalcFilesTest, GivingUpTheSaveDialogKeepsTheDocument)
{
    Type(QStringLiteral("1+1"));
    const DocumentState before = State();
    const std::function<void()> commands[] = {
        [this] { Form->FileNew(); },
        [this] { Form->close(); },
    };
    for (const auto& command : commands) {
        AnswerMessages({QMessageBox::Yes});
        Form->RunHandler(command);
        EXPECT_EQ(State(), before);
        EXPECT_TRUE(Form->isVisible());
    }
}

// Writes that fail: a folder nobody may write into (root included, by
// dropping the file-system identity to "nobody"), and a disk that fills up
// half-way (the file-size limit binds root too).
class FailingWrite {
public:
    virtual ~FailingWrite() = default;
};

class ReadOnlyFolder : public FailingWrite {
public:
    explicit ReadOnlyFolder(const QString& folder) : Folder(folder)
    {
        QFile::setPermissions(Folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
        if (geteuid() == 0) setfsuid(65534);
    }
    ~ReadOnlyFolder() override
    {
        if (geteuid() == 0) setfsuid(0);
        QFile::setPermissions(
            Folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    }

private:
    QString Folder;
};

class FullDisk : public FailingWrite {
public:
    FullDisk()
    {
        getrlimit(RLIMIT_FSIZE, &Saved);
        PreviousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = Saved;
        small.rlim_cur = 4;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FullDisk() override
    {
        setrlimit(RLIMIT_FSIZE, &Saved);
        std::signal(SIGXFSZ, PreviousHandler);
    }

private:
    rlimit Saved{};
    void (*PreviousHandler)(int) = nullptr;
};

TEST_F(CalcFilesTest, AFailedSaveKeepsTheOldFileAndTheEdits)
{
    const QString folder = HomePath(QStringLiteral("locked"));
    const QString path = folder + QStringLiteral("/doc.txt");
    QFile::setPermissions(Home.path(), QFile::permissions(Home.path()) | QFile::ExeOther | QFile::ReadOther);
    struct Case {
        const char* name;
        std::function<std::unique_ptr<FailingWrite>()> fail;
        bool saveAs;
    };
    const Case cases[] = {
        {"read-only folder, Save", [&] { return std::make_unique<ReadOnlyFolder>(folder); }, false},
        {"read-only folder, Save As", [&] { return std::make_unique<ReadOnlyFolder>(folder); }, true},
        {"disk full, Save", [] { return std::make_unique<FullDisk>(); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpenWith(path, "old\r\n");
        TypeAtEnd(QStringLiteral("a much longer new text"));
        const DocumentState before = State();
        Dialogs->Messages.clear();
        if (c.saveAs) AnswerFile(folder + QStringLiteral("/other.txt"));
        {
            const std::unique_ptr<FailingWrite> failing = c.fail();
            Form->RunHandler([&] { c.saveAs ? Form->FileSaveAs() : Form->FileSave(); });
        }
        ASSERT_EQ(Dialogs->Messages.size(), 1u);
        EXPECT_EQ(LastMessage().icon, QMessageBox::Critical);
        EXPECT_EQ(LastMessage().caption, Title);
        EXPECT_FALSE(LastMessage().text.isEmpty());
        EXPECT_EQ(ReadBytes(path), QByteArray("old\r\n"));
        EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("doc.txt")});
        EXPECT_EQ(State(), before);
    }
}

// Closing with a save that fails keeps the window open with its document.
TEST_F(CalcFilesTest, AFailedSaveOnClosingKeepsTheWindow)
{
    const QString path = CalPath(QStringLiteral("doc.txt"));
    OpenWith(path, "old");
    TypeAtEnd(QStringLiteral("+1+2+3"));
    AnswerMessages({QMessageBox::Yes});
    {
        FullDisk full;
        EXPECT_FALSE(Form->close());
    }
    EXPECT_TRUE(Form->isVisible());
    EXPECT_TRUE(Modified());
    EXPECT_EQ(ReadBytes(path), QByteArray("old"));
    EXPECT_EQ(LastMessage().icon, QMessageBox::Critical);
}

// Files come back byte for byte: their encoding, their spelling of doubled
// code-page characters, and bytes no encoding reads.
TEST_F(CalcFilesTest, DocumentsRoundTripByteForByte)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        QString text;
        std::size_t undecodable;
    };
    // clang-format off
    const Case cases[] = {
        {"shift-jis", QByteArray("a=1; // \x93\xfa\x96\x7b\x8c\xea\r\nb=a*2\r\n"),
         QStringLiteral("a=1; // 日本語\nb=a*2\n"), 0},
        {"utf-8", QByteArray("a=1; // \xe6\x97\xa5\xe6\x9c\xac\r\n"), QStringLiteral("a=1; // 日本\n"), 0},
        // The no-break space reads as a space in the editor's plain text, and must stay one on disk.
        {"utf-8 with bom", QByteArray("\xef\xbb\xbf" "1+1 // \xc2\xa0\xe2\x82\xac"), QString(), 0},
        {"nec-selected form", QByteArray("// \xed\x40\r\n"), QStringLiteral("// 纊\n"), 0},
        {"undecodable bytes", QByteArray("1+1 // \x80\xa0\xff\r\n"), QString(), 3},
        {"second byte-order mark", QByteArray("\xef\xbb\xbf\xef\xbb\xbf" "a"), QStringLiteral("\uFEFFa"), 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = CalPath(QString::fromUtf8(c.name) + QStringLiteral(".txt"));
        OpenWith(path, c.bytes);
        if (!c.text.isEmpty()) {
            EXPECT_EQ(Document(), c.text);
        }
        EXPECT_EQ(Panel(4), OpenedMessage(path, c.undecodable));
        // An edit and its undoing make the save a real one.
        TypeAtEnd(QStringLiteral("x"));
        PressAndRelease(Qt::Key_Backspace, Qt::NoModifier);
        Form->RunHandler([this] { Form->FileSave(); });
        EXPECT_EQ(ReadBytes(path).toHex(' '), c.bytes.toHex(' '));
    }
}

// A Shift-JIS document given a character code page 932 lacks is saved as
// UTF-8 with a byte-order mark, and stays so.
TEST_F(CalcFilesTest, ACharacterOutsideTheCodePageSavesAsUtf8)
{
    const QString path = CalPath(QStringLiteral("k.txt"));
    OpenWith(path, "// \x93\xfa\r\n");
    Form->Panes.reExpression->moveCursor(QTextCursor::End);
    Form->Panes.reExpression->insertPlainText(QStringLiteral("// 한"));
    Form->RunHandler([this] { Form->FileSave(); });
    EXPECT_EQ(ReadBytes(path), QByteArray("\xef\xbb\xbf// \xe6\x97\xa5\r\n// \xed\x95\x9c"));
    PressAndRelease(Qt::Key_Backspace, Qt::NoModifier);
    Form->RunHandler([this] { Form->FileSave(); });
    EXPECT_EQ(ReadBytes(path), QByteArray("\xef\xbb\xbf// \xe6\x97\xa5\r\n// "));
}

TEST_F(CalcFilesTest, DeleteAsksAndKeepsTheOpenDocument)
{
    const QString a = CalPath(QStringLiteral("a.txt"));
    OpenWith(a, "5*5");
    const DocumentState before = State();
    for (const QMessageBox::StandardButton answer : {QMessageBox::No, QMessageBox::Yes}) {
        SCOPED_TRACE(answer);
        Form->Panes.LeftPanel->SelectFile(a);
        Dialogs->Messages.clear();
        AnswerMessages({answer});
        Form->RunHandler([this] { Form->DELClick(); });
        ASSERT_EQ(Dialogs->Messages.size(), 1u);
        EXPECT_EQ(LastMessage().text, a + QStringLiteral("を削除しますか？"));
        EXPECT_EQ(LastMessage().icon, QMessageBox::Critical);
        EXPECT_EQ(LastMessage().buttons, QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(QFile::exists(a), answer == QMessageBox::No);
        WaitUntilListed(QStringLiteral("a.txt"), answer == QMessageBox::No);
        EXPECT_EQ(State(), before);
    }
    // Nothing selected: nothing asked.
    Dialogs->Messages.clear();
    Form->RunHandler([this] { Form->DELClick(); });
    EXPECT_TRUE(Dialogs->Messages.empty());
    // Saving the deleted document writes it again.
    TypeAtEnd(QStringLiteral("+1"));
    Form->RunHandler([this] { Form->FileSave(); });
    EXPECT_EQ(ReadBytes(a), QByteArray("5*5+1"));
}

std::string Repeated(const std::string& piece, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return text;
}

// Nesting of any depth opens and evaluates; the window stays.
TEST_F(CalcFilesTest, DeeplyNestedDocumentsOpen)
{
    const int depth = 100000;
    const struct {
        std::string text;
        const char* output;
    } cases[] = {
        {std::string(depth, '(') + "1" + std::string(depth, ')'), "1"},
        {Repeated("-(", depth + 1) + "1" + std::string(depth + 1, ')'), "-1"},
        {Repeated("abs ", depth) + "-3", "3"},
        {std::string(depth, '(') + "1", ""},
    };
    for (const auto& c : cases) {
        const QString path = CalPath(QStringLiteral("deep.txt"));
        WriteBytes(path, c.text.c_str());
        Form->RunHandler([&] { Form->OpenFile(path); });
        // A line this long comes in a piece at a time.
        ASSERT_TRUE(WaitFor([this] { return !Form->Loader->Loading() && !Form->Calculating(); }));
        EXPECT_EQ(Output(), QString::fromUtf8(c.output));
        EXPECT_TRUE(Form->isVisible());
    }
}

}  // namespace
}  // namespace tallyrix::test

namespace tallyrix::test {
namespace {

// The arithmetic of a document may fail as it opens: the failure is shown
// and the document, just read, is unmodified and coloured.
TEST_F(CalcFilesTest, ADocumentWhoseArithmeticFailsOpensUnmodified)
{
    const QString path = CalPath(QStringLiteral("overflow.txt"));
    WriteBytes(path, "x=1e300*1e300 // too large\r\n");
    Form->RunHandler([&] { Form->OpenFile(path); });
    ASSERT_FALSE(Dialogs->Messages.empty());
    EXPECT_EQ(LastMessage().text, QString::fromUtf8(OverflowText));
    EXPECT_FALSE(Modified());
    EXPECT_TRUE(IsCommentFormat(FormatAt(Form->Panes.reExpression, Document().indexOf(QStringLiteral("//")))));
}

// A document of several pieces shows its start at once and stays read-only
// until the rest is in; a save meanwhile writes all of it, and nothing of
// the coming in counts as an edit.
TEST_F(CalcFilesTest, ALargeDocumentComesInPiecesAndSavesWhole)
{
    QByteArray bytes = "a=0;\r\n";
    for (int i = 0; i < 40000; ++i)
        bytes += "a=a+1;\r\n";
    const struct {
        const char* what;
        std::function<void()> then;
    } cases[] = {
        {"saved while coming in", [this] { Form->Menu.File.mFileSave->trigger(); }},
        {"left to come in", [this] { EXPECT_TRUE(WaitFor([this] { return !Form->Loader->Loading(); })); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = CalPath(QStringLiteral("large.txt"));
        WriteBytes(path, bytes);
        Form->RunHandler([&] { Form->OpenFile(path); });
        ASSERT_TRUE(Form->Loader->Loading());
        EXPECT_TRUE(Form->Panes.reExpression->isReadOnly());
        EXPECT_EQ(Panel(3), QStringLiteral("読み込み中…"));
        c.then();
        EXPECT_EQ(ReadBytes(path), bytes);
        EXPECT_EQ(Output(), QStringLiteral("40000"));
        EXPECT_FALSE(Modified());
        EXPECT_FALSE(Form->Panes.reExpression->isReadOnly());
        EXPECT_FALSE(Form->Panes.reExpression->document()->isUndoAvailable());
    }
}

// A line of many statements comes in with its progress shown and is shown
// in pieces, yet the caret's place, the calculation, the comment colour and
// the saved bytes see one line.
TEST_F(CalcFilesTest, AVeryLongLineIsShownInPiecesAndStaysOneLine)
{
    QByteArray line;
    for (int i = 0; i < 100000; ++i)
        line += "a=a+1; ";
    const QByteArray bytes = "a=0;\r\n" + line + "\r\n// " + line + "\r\nb=a;\r\n";
    const QString path = CalPath(QStringLiteral("long.txt"));
    WriteBytes(path, bytes);
    QStringList progress;
    QObject::connect(Form->Loader, &TDocumentLoader::Progress, [&] { progress << Panel(3); });
    Form->RunHandler([&] { Form->OpenFile(path); });
    ASSERT_TRUE(WaitFor([this] { return !Form->Loader->Loading() && !Form->Calculating(); }));
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_TRUE(progress.front().startsWith(QStringLiteral("読み込み中… ")) && progress.front().endsWith(u'%'));
    QTextDocument* document = Form->Panes.reExpression->document();
    EXPECT_GT(document->blockCount(), 100);
    EXPECT_EQ(Output(), QStringLiteral("100000"));

    const int commentEnd = static_cast<int>(Document().indexOf(QStringLiteral("b=a;"))) - 1;
    EXPECT_TRUE(IsCommentFormat(FormatAt(Form->Panes.reExpression, commentEnd - 1)));
    EXPECT_FALSE(IsCommentFormat(FormatAt(Form->Panes.reExpression, commentEnd / 4)));
    QTextCursor caret(document);
    caret.setPosition(commentEnd);
    Form->Panes.reExpression->setTextCursor(caret);
    EXPECT_EQ(Panel(0),
              CaretPositionText(3, static_cast<int>(line.size()) + 4, static_cast<std::size_t>(bytes.size())));
    Form->Menu.File.mFileSave->trigger();
    EXPECT_EQ(ReadBytes(path), bytes);
}

}  // namespace
}  // namespace tallyrix::test
