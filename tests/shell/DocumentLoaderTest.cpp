// A long text put into the editor a piece at a time.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <functional>

#include "shell/DocumentLoader.h"
#include "shell/DocumentText.h"
#include "shell/RichEdit.h"

namespace tallyrix {
namespace {

TEST(DocumentLoader, PiecesEndAfterALineBreak)
{
    const struct {
        const char* text;
        qsizetype from, size, end;
    } cases[] = {
        {"ab\ncd\nef", 0, 1, 3}, {"ab\ncd\nef", 0, 2, 3}, {"ab\ncd\nef", 0, 3, 6},   {"ab\ncd\nef", 3, 1, 6},
        {"ab\ncd\nef", 6, 1, 8}, {"abcdef", 0, 2, 6},     {"ab\ncd\nef", 0, 100, 8}, {"ab\n", 0, 2, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(PieceEnd(QString::fromLatin1(c.text), c.from, c.size), c.end) << c.from << "+" << c.size;
    }
}

QString Lines(int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("x%1=%1;\n").arg(i);
    return text;
}

TEST(DocumentLoader, ALongTextComesInPiecesAndWholeAtTheEnd)
{
    QPlainTextEdit editor;
    TDocumentLoader loader(&editor, 100);
    QSignalSpy finished(&loader, &TDocumentLoader::Finished);
    const QString text = Lines(200);
    loader.Load(text);
    EXPECT_TRUE(loader.Loading());
    EXPECT_TRUE(editor.isReadOnly());
    EXPECT_LT(editor.toPlainText().size(), 200);
    EXPECT_TRUE(text.startsWith(editor.toPlainText()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !finished.isEmpty(); }));
    EXPECT_EQ(editor.toPlainText(), text);
    EXPECT_FALSE(editor.isReadOnly());
    EXPECT_FALSE(editor.document()->isUndoAvailable());
    EXPECT_EQ(finished.size(), 1);
}

TEST(DocumentLoader, FinishNowCancelAndShortTexts)
{
    const struct {
        const char* what;
        QString text;
        std::function<void(TDocumentLoader&)> then;
        qsizetype shown;  // -1: the whole text
        int finished;
    } cases[] = {
        {"finished at once", Lines(200), [](TDocumentLoader& l) { l.FinishNow(); }, -1, 1},
        {"cancelled", Lines(200), [](TDocumentLoader& l) { l.Cancel(); }, PieceEnd(Lines(200), 0, 100), 0},
        {"one piece", Lines(5), [](TDocumentLoader&) {}, -1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QPlainTextEdit editor;
        TDocumentLoader loader(&editor, 100);
        QSignalSpy finished(&loader, &TDocumentLoader::Finished);
        loader.Load(c.text);
        c.then(loader);
        EXPECT_FALSE(loader.Loading());
        EXPECT_FALSE(editor.isReadOnly());
        EXPECT_EQ(editor.toPlainText(), c.shown < 0 ? c.text : c.text.left(c.shown));
        QTest::qWait(20);
        EXPECT_EQ(editor.toPlainText(), c.shown < 0 ? c.text : c.text.left(c.shown));
        EXPECT_EQ(finished.size(), c.finished);
    }
}

// The editor's paragraphs take each piece as it is put in: they must be what
// reading the whole document back gives.
TEST(DocumentLoader, ParagraphsOfThePiecesAreTheDocumentsOwn)
{
    const QString unusual = QStringLiteral("ｶﾅ=1;\u00a0// 全角\u2028b=\U0001F600;\n\n");
    const struct {
        const char* what;
        QString text;
    } cases[] = {
        {"plain lines", Lines(200)},
        {"no line feed at the end", Lines(200) + QStringLiteral("y=1")},
        {"an empty line first", QStringLiteral("\n") + Lines(200)},
        {"other characters", unusual.repeated(40)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TRichEdit editor(QStringLiteral("editor"));
        TDocumentLoader loader(&editor, 100);
        loader.Load(c.text);
        loader.FinishNow();
        const TPlainParagraphs& kept = editor.Paragraphs();
        const TDocumentText readBack(editor.document());
        const TPlainParagraphs& whole = readBack.Paragraphs();
        ASSERT_EQ(kept.Count(), whole.Count());
        for (std::size_t i = 0; i < kept.Count(); ++i)
            ASSERT_EQ(kept.Text(i), whole.Text(i)) << i;
        EXPECT_EQ(kept.Cp932Length(), whole.Cp932Length());
    }
}

}  // namespace
}  // namespace tallyrix
