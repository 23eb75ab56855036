// Comment colouring by the update pass, and the appearance commands.
#include <QAction>
#include <QFontInfo>
#include <QLabel>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include "shell/ResultPane.h"
#include "tests/window/WindowFixture.h"

namespace tallyrix::test {
namespace {

enum class Look { Editor, Comment, Red };

Look LookOf(const QTextCharFormat& format)
{
    if (format.foreground().color() == QColor(255, 0, 0)) {
        EXPECT_NE(format.fontWeight(), QFont::Bold);  // the red marker keeps the editor face
        return Look::Red;
    }
    if (IsCommentFormat(format)) return Look::Comment;
    EXPECT_TRUE(IsEditorFormat(format));
    return Look::Editor;
}

TEST_F(WindowTest, UpdatePassColoursCommentsAndStopMarkers)
{
    const QString document = QStringLiteral(
        "x = 1 // note\n"
        "a = 1 /// stop\n"
        "b = 2 -- dash\n"
        "y = 1 // n /// end\n"
        "c // last");
    SetDocument(document);
    // Earlier colouring that no longer has a "//" goes back to the editor font.
    Select(document.indexOf(u"-- dash"), document.indexOf(u"-- dash") + 2);
    Form->Panes.reExpression->setCurrentCharFormat(Form->CommentFormat());
    Select(3, 9);
    Form->SetModified(true);

    Form->Menu.Tools.mUpdate1->trigger();

    struct Span {
        const char* text;
        Look look;
    };
    const Span spans[] = {
        {"x = 1 ", Look::Editor},        {"// note", Look::Comment},
        {"a = 1 ", Look::Editor},        {"/// stop", Look::Red},
        {"b = 2 -- dash", Look::Editor}, {"y = 1 // n ", Look::Editor},
        {"/// end", Look::Red},          {"c ", Look::Editor},
        {"// last", Look::Comment},
    };
    for (const Span& span : spans) {
        const QString text = QString::fromUtf8(span.text);
        const int start = static_cast<int>(document.indexOf(text));
        ASSERT_GE(start, 0);
        for (int i = start; i < start + text.size(); ++i)
            EXPECT_EQ(LookOf(FormatAt(Form->Panes.reExpression, i)), span.look) << span.text << " at " << i;
    }
    // The caret stands at the old selection's start, the modified mark unchanged.
    EXPECT_FALSE(Form->Panes.reExpression->textCursor().hasSelection());
    EXPECT_EQ(Form->Panes.reExpression->textCursor().position(), 3);
    EXPECT_EQ(Panel(1), QStringLiteral("変更あり"));
    Form->SetModified(false);
    Form->RestyleComments();
    EXPECT_EQ(Panel(1), QString());
    EXPECT_FALSE(Form->Panes.reExpression->document()->isModified());
}

TEST_F(WindowTest, TypedCommentIsNotColouredUntilTheNextPass)
{
    Type(QStringLiteral("1 // a"));
    EXPECT_TRUE(IsEditorFormat(FormatAt(Form->Panes.reExpression, 3)));
    Form->Menu.Tools.mUpdate1->trigger();
    EXPECT_TRUE(IsCommentFormat(FormatAt(Form->Panes.reExpression, 3)));
    EXPECT_EQ(Output(), QStringLiteral("1"));
}

TEST_F(WindowTest, DesignFontsRenderThroughTheIpaFonts)
{
    EXPECT_EQ(QFontInfo(ToQFont(Form->FontDialog.Font)).family(), QStringLiteral("IPAGothic"));
    EXPECT_EQ(QFontInfo(Form->font()).family(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(QFontInfo(Form->Panes.reExpression->font()).pixelSize(), 13);
}

TEST_F(WindowTest, EditorFontDialogAppliesOrCancels)
{
    const FontChoice chosen{QStringLiteral("IPAPGothic"), 16, Qt::darkGreen, false, true, false, false};
    SetDocument(QStringLiteral("1 // a"));
    Dialogs->FontAnswers = {std::nullopt, chosen};

    Form->Menu.Options.mEditorFont->trigger();  // cancelled
    EXPECT_EQ(Dialogs->FontsOffered.at(0), DefaultEditorFont());
    EXPECT_EQ(Form->FontDialog.Font, DefaultEditorFont());
    EXPECT_TRUE(IsEditorFormat(FormatAt(Form->Panes.reExpression, 3)));  // no pass ran

    Form->Menu.Options.mEditorFont->trigger();
    EXPECT_EQ(Form->FontDialog.Font, chosen);
    const QTextCharFormat code = FormatAt(Form->Panes.reExpression, 0);
    EXPECT_EQ(code.fontFamilies().toStringList().value(0), QStringLiteral("IPAPGothic"));
    EXPECT_TRUE(code.fontItalic());
    EXPECT_EQ(code.foreground().color(), QColor(Qt::darkGreen));
    EXPECT_TRUE(IsCommentFormat(FormatAt(Form->Panes.reExpression, 3)));
    EXPECT_EQ(Form->Panes.reResult->font().family(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(Panel(1), QString());  // restyling is no edit
}

TEST_F(WindowTest, CommentFontDialogRestylesComments)
{
    FontChoice chosen = DefaultCommentFont();
    chosen.color = QColor(128, 0, 128);
    chosen.bold = false;
    chosen.underline = true;
    Dialogs->FontAnswers = {chosen};
    SetDocument(QStringLiteral("1 // a"));
    Form->Menu.Options.mCommentFont->trigger();
    EXPECT_EQ(Dialogs->FontsOffered.at(0), DefaultCommentFont());
    const QTextCharFormat comment = FormatAt(Form->Panes.reExpression, 3);
    EXPECT_TRUE(comment.fontUnderline());
    EXPECT_EQ(comment.foreground().color(), QColor(128, 0, 128));
    // The message line takes the comment font at the next run.
    Select(1, 1);
    Type(QStringLiteral("+"));
    EXPECT_TRUE(Form->Panes.reResult->LineFormat(Form->Panes.reResult->LineCount() - 1).fontUnderline());
}

TEST_F(WindowTest, BackgroundColourOfBothPanes)
{
    const QColor before = Form->Panes.reExpression->palette().color(QPalette::Base);
    Dialogs->ColorAnswers = {std::nullopt, QColor(255, 255, 200)};
    Form->Menu.Options.mEditorColor->trigger();
    EXPECT_EQ(Form->Panes.reExpression->palette().color(QPalette::Base), before);
    Form->Menu.Options.mEditorColor->trigger();
    for (QWidget* pane : {static_cast<QWidget*>(Form->Panes.reExpression), static_cast<QWidget*>(Form->Panes.reResult)})
        EXPECT_EQ(pane->palette().color(QPalette::Base), QColor(255, 255, 200));
    EXPECT_EQ(Form->ColorDialog1.Color, QColor(255, 255, 200));
}

// Colouring is no edit: Undo right after a pass changes nothing, and after
// an edit it takes back that edit only; the modified mark follows the text.
TEST_F(WindowTest, UndoSkipsTheColouringPass)
{
    const QString document = QStringLiteral("x = 1 // note\ny = 2");
    struct Case {
        const char* typed;  // before the pass
        const char* afterUndo;
        bool modified;
    };
    const Case cases[] = {
        {"", "x = 1 // note\ny = 2", false},
        {"z", "x = 1 // note\ny = 2", true},
    };
    for (const Case& c : cases) {
        SetDocument(document);
        Form->Panes.reExpression->document()->clearUndoRedoStacks();
        Form->RestyleComments();
        Form->Panes.reExpression->moveCursor(QTextCursor::End);
        Type(QString::fromUtf8(c.typed));
        Form->Menu.Tools.mUpdate1->trigger();
        Form->Menu.Edit.mUndo->trigger();
        EXPECT_EQ(Document(), QString::fromUtf8(c.afterUndo)) << c.typed;
        EXPECT_TRUE(IsCommentFormat(FormatAt(Form->Panes.reExpression, 8))) << c.typed;
        EXPECT_EQ(Form->Panes.reExpression->document()->isModified(), c.modified) << c.typed;
        EXPECT_EQ(Panel(1), c.modified ? QStringLiteral("変更あり") : QString()) << c.typed;
    }
}

// The colour dialog opens at the panes' colour, never at the window's grey.
TEST_F(WindowTest, ColourDialogStartsAtThePanesColour)
{
    const QColor paneColour = Form->Panes.reExpression->palette().color(QPalette::Base);
    Form->Menu.Options.mEditorColor->trigger();
    Dialogs->ColorAnswers.push_back(QColor(0x20, 0x40, 0x60));
    Form->Menu.Options.mEditorColor->trigger();
    Form->Menu.Options.mEditorColor->trigger();
    ASSERT_EQ(Dialogs->ColorsOffered.size(), 3u);
    EXPECT_EQ(Dialogs->ColorsOffered[0], paneColour);
    EXPECT_EQ(Dialogs->ColorsOffered[1], paneColour);
    EXPECT_EQ(Dialogs->ColorsOffered[2], QColor(0x20, 0x40, 0x60));
}

}  // namespace
}  // namespace tallyrix::test
