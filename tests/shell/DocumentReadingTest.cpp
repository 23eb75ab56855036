// The editor's document kept as UTF-8 paragraphs: its code-page-932 length
// and the engine's input, against the whole plain text measured again.
#include <gtest/gtest.h>

#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <functional>
#include <memory>
#include <random>

#include "document/StatementExtraction.h"
#include "files/TextCodec.h"
#include "shell/DocumentText.h"

namespace tallyrix {
namespace {

std::string Joined(const std::vector<std::string>& paragraphs)
{
    std::string text;
    for (std::size_t i = 0; i < paragraphs.size(); ++i)
        text += (i > 0 ? "\n" : "") + paragraphs[i];
    return text;
}

// The engine input and line origins kept, against those of the whole text.
testing::AssertionResult HasWholeTextsInput(TPlainParagraphs& kept, const std::string& text)
{
    std::vector<LineOrigin> expected;
    const std::string input = *kept.EngineInput();
    const std::vector<LineOrigin>& origins = kept.EngineInputOrigins();
    const std::string whole = BuildEngineInput(text, expected);
    if (input != whole) {
        const auto differ = std::mismatch(input.begin(), input.end(), whole.begin(), whole.end());
        return testing::AssertionFailure() << "input differs from byte " << (differ.first - input.begin());
    }
    if (origins.size() != expected.size()) {
        return testing::AssertionFailure() << origins.size() << " line origins, " << expected.size() << " expected";
    }
    for (std::size_t i = 0; i < origins.size(); ++i) {
        if (origins[i].statementOffset != expected[i].statementOffset || origins[i].indent != expected[i].indent)
            return testing::AssertionFailure() << "line origin " << i << " differs";
    }
    return testing::AssertionSuccess();
}

// Each replacement in turn on one set of paragraphs, kept beside the
// paragraphs a plain list holds.
TEST(PlainParagraphs, FollowEveryReplacement)
{
    const struct {
        const char* name;
        std::size_t first;
        std::size_t removed;
        std::vector<std::string> paragraphs;
    } steps[] = {
        {"a first text", 0, 0, {"a=1;", "ｶﾅ=2; // 半角", "全角"}},
        {"one paragraph for one", 1, 1, {"b=2;"}},
        {"more for fewer", 0, 2, {"x", "", "y\xc2\xa0", "z=x+y /// stop"}},
        {"fewer for more", 1, 3, {"w"}},
        {"paragraphs inserted", 2, 0, {"u=3;", "v=u---1"}},
        {"everything removed", 0, 5, {}},
        {"an empty document", 0, 0, {""}},
    };
    TPlainParagraphs kept;
    std::vector<std::string> plain;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        ASSERT_TRUE(kept.Replace(step.first, step.removed, step.paragraphs));
        const auto at = plain.begin() + static_cast<std::ptrdiff_t>(step.first);
        plain.insert(plain.erase(at, at + static_cast<std::ptrdiff_t>(step.removed)), step.paragraphs.begin(),
                     step.paragraphs.end());
        const std::string text = Joined(plain);
        EXPECT_EQ(kept.Cp932Length(), Cp932Length(text));
        EXPECT_EQ(*kept.EngineInput(), BuildEngineInput(text));
    }
    EXPECT_FALSE(kept.Replace(0, 2, JoinedParagraphs{}));
    EXPECT_FALSE(kept.Replace(2, 0, JoinedParagraphs{}));
    EXPECT_EQ(kept.Count(), 1u);
}

// Long documents are read again only from about the first paragraph
// changed up to about the first unchanged one after it, also after several
// replacements; what comes out must still be what the whole text gives,
// also where paragraphs continue the line before them. An input still held
// (as the evaluator holds the one it calculates) is never written again.
TEST(PlainParagraphs, RandomReplacementsGiveTheWholeTextsInput)
{
    const std::vector<std::string> pieces = {"a=1;", "", "  b=a*2 // note", "c=3 /// stop", "d\ne=5;", "--", ";"};
    std::mt19937 random(7);
    TPlainParagraphs kept;
    std::vector<std::string> plain;
    std::vector<char> continues;
    std::shared_ptr<const std::string> held = kept.EngineInput();
    std::string heldText = *held;
    for (int step = 0; step < 300; ++step) {
        const std::size_t first = random() % (plain.size() + 1);
        const std::size_t removed = std::min<std::size_t>(random() % 3, plain.size() - first);
        std::vector<std::string> paragraphs(random() % (step < 20 ? 60 : 3));
        std::vector<char> flags;
        // The stop marker stays rare, so that most runs read to the end.
        for (std::string& paragraph : paragraphs) {
            paragraph = pieces[random() % (random() % 8 ? 3 : pieces.size())];
            flags.push_back(random() % 3 == 0);
        }
        ASSERT_TRUE(kept.Replace(first, removed, paragraphs, flags));
        const auto at = plain.begin() + static_cast<std::ptrdiff_t>(first);
        plain.insert(plain.erase(at, at + static_cast<std::ptrdiff_t>(removed)), paragraphs.begin(), paragraphs.end());
        const auto flagsAt = continues.begin() + static_cast<std::ptrdiff_t>(first);
        continues.insert(continues.erase(flagsAt, flagsAt + static_cast<std::ptrdiff_t>(removed)), flags.begin(),
                         flags.end());
        std::string text;
        for (std::size_t i = 0; i < plain.size(); ++i)
            text += (i > 0 && !continues[i] ? "\n" : "") + plain[i];
        SCOPED_TRACE("step " + std::to_string(step));
        ASSERT_EQ(kept.Cp932Length(), Cp932Length(text));
        ASSERT_EQ(*held, heldText);
        if (step % 7 == 0) {
            held = kept.EngineInput();
            heldText = *held;
        }
        if (random() % 3 == 0) continue;
        ASSERT_TRUE(HasWholeTextsInput(kept, text));
    }
}

// A paragraph replaced just before, at or after a place where the last
// reading is taken over: the reading there must stand as it stood then (an
// empty line held back or not, stopped or not) for the rest to be the same.
TEST(PlainParagraphs, TheLastReadingIsTakenOverOnlyWhereItStandsAsBefore)
{
    const struct {
        const char* name;
        std::string before;
        std::string after;
    } cases[] = {
        {"an empty line becomes text", "", "x=2;"},
        {"text becomes an empty line", "x=2;", ""},
        {"a stop marker comes", "x=2;", "x=2; /// stop"},
        {"a stop marker goes", "x=2; /// stop", "x=2;"},
        {"text changes", "x=2;", "x=3;"},
    };
    for (const auto& c : cases) {
        for (std::size_t at = 60; at < 70; ++at) {
            SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(at));
            std::vector<std::string> plain(200, "a=1;");
            plain[at] = c.before;
            TPlainParagraphs kept;
            ASSERT_TRUE(kept.Replace(0, 0, plain));
            kept.EngineInput();
            plain[at] = c.after;
            ASSERT_TRUE(kept.Replace(at, 1, std::vector<std::string>{c.after}));
            ASSERT_TRUE(HasWholeTextsInput(kept, Joined(plain)));
        }
    }
}

TEST(PlainParagraphs, HoldingFindsMatchesWithinAParagraphOnly)
{
    TPlainParagraphs kept;
    ASSERT_TRUE(kept.Replace(0, 0, {"a=1;", "b=2 // c // d", "e/", "/f", "", "//", "g=1;//"}));
    EXPECT_EQ(kept.Holding("//"), (std::vector<std::size_t>{1, 5, 6}));
    EXPECT_EQ(kept.Holding("h"), std::vector<std::size_t>{});
}

// "a=1;b=2;c=3;" held as three pieces, then "d=4;".
TEST(PlainParagraphs, LinesBrokenForDisplayArePlacedByTheirPieces)
{
    TPlainParagraphs kept;
    ASSERT_TRUE(kept.Replace(0, 0, {"a=1;", "b=2;", "c=3;", "d=4;"}, {0, 1, 1, 0}));
    EXPECT_EQ(kept.ByParagraph({"3", "4"}), (std::vector<std::string_view>{"3", "", "", "4"}));
    const struct {
        DocumentPoint inLine, inParagraphs;
    } places[] = {
        {{0, 0}, {0, 0}}, {{0, 4}, {0, 4}}, {{0, 5}, {1, 1}}, {{0, 12}, {2, 4}}, {{1, 2}, {3, 2}},
    };
    for (const auto& place : places)
        EXPECT_EQ(kept.InParagraphs(place.inLine), place.inParagraphs)
            << place.inLine.line << ":" << place.inLine.column;
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(kept.LineOf(i), i < 3 ? 0u : 1u) << i;
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

// Each edit in turn on one document; after each, what is kept is what the
// whole plain text gives.
TEST(DocumentText, FollowsEveryEdit)
{
    const Edit edits[] = {
        {"a first text", [](QTextDocument& d) { d.setPlainText(QStringLiteral("a=1;\nｶﾅ=2; // c\n全角")); }},
        {"a character typed", [](QTextDocument& d) { Replace(d, 1, 1, QStringLiteral("b")); }},
        {"a line break typed", [](QTextDocument& d) { Replace(d, 3, 3, QStringLiteral("\n")); }},
        {"lines pasted", [](QTextDocument& d) { Replace(d, 0, 0, QStringLiteral("x\ny\u00a0\nz\n")); }},
        {"a break deleted", [](QTextDocument& d) { Replace(d, 1, 2, QString()); }},
        {"lines selected and replaced", [](QTextDocument& d) { Replace(d, 2, 12, QStringLiteral("漢\n字///")); }},
        {"a line separator", [](QTextDocument& d) { Replace(d, 1, 1, QString(QChar(0x2028))); }},
        {"characters outside the code page and a lone half",
         [](QTextDocument& d) { Replace(d, 0, 0, QString(QChar(0xD83D)) + QChar(0xDE00) + QChar(0xD800)); }},
        {"undo", [](QTextDocument& d) { d.undo(); }},
        {"undo of several",
         [](QTextDocument& d) {
             d.undo();
             d.undo();
         }},
        {"redo", [](QTextDocument& d) { d.redo(); }},
        {"the whole text formatted",
         [](QTextDocument& d) {
             QTextCursor cursor(&d);
             cursor.select(QTextCursor::Document);
             QTextCharFormat bold;
             bold.setFontWeight(QFont::Bold);
             cursor.mergeCharFormat(bold);
         }},
        {"edits in one block",
         [](QTextDocument& d) {
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
    TDocumentText text(&document);
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.name);
        edit.apply(document);
        const std::string plain = document.toPlainText().toStdString();
        EXPECT_EQ(text.Paragraphs().Cp932Length(), Cp932Length(plain));
        EXPECT_EQ(*text.Paragraphs().EngineInput(), BuildEngineInput(plain));
    }
}

}  // namespace
}  // namespace tallyrix
