// Very long lines held in the editor as display pieces: the text, the
// statement text and the length read back whole, and keys, copy and paste
// across a display break.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QTextBlock>
#include <functional>

#include "document/StatementExtraction.h"
#include "files/TextCodec.h"
#include "shell/DisplayBreaks.h"
#include "shell/DocumentLoader.h"
#include "shell/RichEdit.h"
#include "shell/TextEditFindTarget.h"

namespace tallyrix {
namespace {

QString Repeated(const QString& unit, qsizetype length)
{
    QString text;
    while (text.size() < length)
        text += unit;
    return text;
}

// The editor's text with its display breaks left out, in LF lines.
QString WholeText(const TRichEdit& editor)
{
    const QTextDocument& document = *editor.document();
    return WithoutDisplayBreaks(document.toRawText(), document, 0).replace(QChar::ParagraphSeparator, u'\n');
}

void Load(TRichEdit& editor, const QString& text)
{
    TDocumentLoader loader(&editor, 3000);
    loader.Load(text);
    loader.FinishNow();
}

TEST(DisplayBreaks, LongLinesReadBackWhole)
{
    const QString statements = Repeated(QStringLiteral("x=1+2;"), 20000);
    const struct {
        const char* what;
        QString text;
    } cases[] = {
        {"one long line", statements},
        {"a comment on the long line", QStringLiteral("a=1;") + statements + QStringLiteral("//") + statements},
        {"a stop marker after it", statements + QStringLiteral("\n///\nb=1/0;")},
        {"a stop marker on the long line",
         statements + QStringLiteral("///") + statements + QStringLiteral("\nb=1/0;")},
        {"no place to break", QStringLiteral("a=") + Repeated(QStringLiteral("1"), 9000) + QStringLiteral(";\n")},
        {"pairs of surrogates", Repeated(QStringLiteral("\U0001F600"), 9000)},
        {"short lines around it", QStringLiteral("a=1;\n\nb=2; // c\n") + statements + QStringLiteral("\nc=3;\n")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TRichEdit editor(QStringLiteral("editor"));
        Load(editor, c.text);
        const std::string text = c.text.toStdString();
        EXPECT_GT(editor.document()->blockCount(), c.text.count(u'\n') + 1);
        EXPECT_TRUE(WholeText(editor) == c.text);
        EXPECT_TRUE(*editor.Paragraphs().EngineInput() == BuildEngineInput(text));
        EXPECT_EQ(editor.Paragraphs().Cp932Length(), Cp932Length(text));
        for (QTextBlock block = editor.document()->begin(); block.isValid(); block = block.next())
            ASSERT_LE(block.length() - 1, DisplayPiece);
    }
}

// Each edit at the start of the second piece of "x=1+2;x=1+2;…".
TEST(DisplayBreaks, EditsAtADisplayBreakChangeTheLineAsTyped)
{
    const QString line = Repeated(QStringLiteral("x=1+2;"), 6000);
    const struct {
        const char* what;
        std::function<void(TRichEdit&)> edit;
        std::function<QString(QString, qsizetype)> expected;  // of the line and the break's place
    } cases[] = {
        {"Backspace", [](TRichEdit& e) { QTest::keyClick(&e, Qt::Key_Backspace); },
         [](QString l, qsizetype at) { return l.remove(at - 1, 1); }},
        {"Delete at the end of the piece before",
         [](TRichEdit& e) {
             e.moveCursor(QTextCursor::PreviousCharacter);
             QTest::keyClick(&e, Qt::Key_Delete);
         },
         [](QString l, qsizetype at) { return l.remove(at, 1); }},
        {"Enter then a digit",
         [](TRichEdit& e) {
             e.moveCursor(QTextCursor::NextCharacter);
             QTest::keyClick(&e, Qt::Key_Return);
             QTest::keyClick(&e, Qt::Key_7);
         },
         [](QString l, qsizetype at) { return l.insert(at + 1, QStringLiteral("\n7")); }},
        {"lines pasted",
         [](TRichEdit& e) {
             QApplication::clipboard()->setText(QStringLiteral("a\r\nb"));
             e.paste();
         },
         [](QString l, qsizetype at) { return l.insert(at, QStringLiteral("a\nb")); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TRichEdit editor(QStringLiteral("editor"));
        Load(editor, line);
        const QTextBlock second = editor.document()->begin().next();
        ASSERT_TRUE(ContinuesLine(second));
        const QString expected = c.expected(line, second.position() - 1);
        editor.setTextCursor(QTextCursor(second));
        c.edit(editor);
        EXPECT_TRUE(WholeText(editor) == expected);
        EXPECT_TRUE(*editor.Paragraphs().EngineInput() == BuildEngineInput(expected.toStdString()));
    }
}

TEST(DisplayBreaks, CopyLeavesTheBreakOut)
{
    const QString line = Repeated(QStringLiteral("x=1+2;"), 6000);
    TRichEdit editor(QStringLiteral("editor"));
    Load(editor, line);
    const int at = editor.document()->begin().next().position();
    QTextCursor selection(editor.document());
    selection.setPosition(at - 4);
    selection.setPosition(at + 3, QTextCursor::KeepAnchor);
    editor.setTextCursor(selection);
    editor.copy();
    EXPECT_EQ(QApplication::clipboard()->text(), line.mid(at - 4, 6));
}

// Each break is made after a ";", so every "2;x" beyond the first piece
// spans one.
TEST(DisplayBreaks, ReplaceAllFindsTextAcrossABreak)
{
    const QString line = Repeated(QStringLiteral("x=1+2;"), 6000);
    TRichEdit editor(QStringLiteral("editor"));
    Load(editor, line);
    editor.moveCursor(QTextCursor::Start);
    TextEditFindTarget target(editor);
    const ReplaceOutcome outcome =
        ReplaceOccurrences(target, ReplaceRequest{QStringLiteral("2;x"), QStringLiteral("2;y"), {}, true}, false);
    EXPECT_EQ(outcome.replaced, line.count(QStringLiteral("2;x")));
    EXPECT_TRUE(WholeText(editor) == QString(line).replace(QStringLiteral("2;x"), QStringLiteral("2;y")));
}

}  // namespace
}  // namespace tallyrix
