// Reading the editor's document a paragraph at a time: the engine's input
// and the code-page-932 length kept from change notifications, each against
// the whole plain text.
#include <gtest/gtest.h>

#include <QTextCursor>
#include <QTextDocument>
#include <functional>

#include "document/DocumentBlocks.h"
#include "document/StatementExtraction.h"
#include "files/TextCodec.h"
#include "shell/DocumentLength.h"

namespace tallyrix {
namespace {

std::string PlainUtf8(const QTextDocument& document) { return document.toPlainText().toStdString(); }

TEST(EngineInputOf, ReadsWhatThePlainTextHolds)
{
    const QString texts[] = {
        QString(),
        QStringLiteral("\n"),
        QStringLiteral("a=1;\nb=a*2 // twice\n\n"),
        QStringLiteral("x\u00a0=\u00a02;\u2028y=x;"),
        QStringLiteral("半角ｶﾅ=1; 全角 // コメント\n/// 以下読まない\nz=3"),
        QStringLiteral("e=1;\n") + QChar(0xD83D) + QChar(0xDE00) + QStringLiteral(";") + QChar(0xD800),
        QStringLiteral("a ----\nb\n"),
    };
    for (const QString& text : texts) {
        SCOPED_TRACE(text.toStdString());
        QTextDocument document;
        document.setPlainText(text);
        EXPECT_EQ(EngineInputOf(document), BuildEngineInput(PlainUtf8(document)));
    }
}

// One edit of the document through a cursor.
struct Edit {
    const char* name;
    std::function<void(QTextDocument&)> apply;
};

void Replace(QTextDocument& document, int from, int to, const QString& text)
{
    QTextCursor cursor(&document);
    cursor.setPosition(from);
    cursor.setPosition(std::min(to, document.characterCount() - 1), QTextCursor::KeepAnchor);
    cursor.insertText(text);
}

// Each edit in turn on one document; after each the kept length is the
// length of the whole text measured again.
TEST(DocumentLength, FollowsEveryEdit)
{
    const Edit edits[] = {
        {"a first text", [](QTextDocument& d) { d.setPlainText(QStringLiteral("a=1;\nｶﾅ=2;\n全角")); }},
        {"a character typed", [](QTextDocument& d) { Replace(d, 1, 1, QStringLiteral("b")); }},
        {"a line break typed", [](QTextDocument& d) { Replace(d, 3, 3, QStringLiteral("\n")); }},
        {"lines pasted", [](QTextDocument& d) { Replace(d, 0, 0, QStringLiteral("x\ny\u00a0\nz\n")); }},
        {"a break deleted", [](QTextDocument& d) { Replace(d, 1, 2, QString()); }},
        {"lines selected and replaced", [](QTextDocument& d) { Replace(d, 2, 12, QStringLiteral("漢\n字")); }},
        {"a line separator", [](QTextDocument& d) { Replace(d, 1, 1, QString(QChar(0x2028))); }},
        {"a character outside the code page", [](QTextDocument& d) {
             Replace(d, 0, 0, QString(QChar(0xD83D)) + QChar(0xDE00));
         }},
        {"undo", [](QTextDocument& d) { d.undo(); }},
        {"undo of several", [](QTextDocument& d) {
             d.undo();
             d.undo();
         }},
        {"redo", [](QTextDocument& d) { d.redo(); }},
        {"the whole text formatted", [](QTextDocument& d) {
             QTextCursor cursor(&d);
             cursor.select(QTextCursor::Document);
             QTextCharFormat bold;
             bold.setFontWeight(QFont::Bold);
             cursor.mergeCharFormat(bold);
         }},
        {"edits in one block", [](QTextDocument& d) {
             QTextCursor cursor(&d);
             cursor.beginEditBlock();
             cursor.insertText(QStringLiteral("p\nq"));
             cursor.movePosition(QTextCursor::End);
             cursor.insertText(QStringLiteral("\nr\n"));
             cursor.endEditBlock();
         }},
        {"everything deleted", [](QTextDocument& d) { Replace(d, 0, d.characterCount(), QString()); }},
        {"text into the empty document", [](QTextDocument& d) { Replace(d, 0, 0, QStringLiteral("\n\n")); }},
        {"cleared", [](QTextDocument& d) { d.clear(); }},
    };
    QTextDocument document;
    TDocumentLength length(&document);
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.name);
        edit.apply(document);
        EXPECT_EQ(length.Cp932Length(), Cp932Length(PlainUtf8(document)));
    }
}

}  // namespace
}  // namespace tallyrix
