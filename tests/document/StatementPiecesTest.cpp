// Extraction in pieces, and the lines the engine may read as they stand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/StatementExtraction.h"

namespace tallyrix {
namespace {

const std::string Documents[] = {
    "",
    "\n",
    "1+2\n3",
    "r = 2;  // radius\npi*r^2\n/// scratch below\nr = 5;",
    "1;\r\n2;\r\n",
    "1\r2\r\n\r\n3",
    " \t a \t+\tb \t\nx -- y\n\n",
    "a ----\nb",
};

// Whatever the piece size, the pieces joined are the statement text.
TEST(StatementReader, PiecesJoinedAreTheStatementText)
{
    for (const std::string& document : Documents) {
        const std::string input = BuildEngineInput(document);
        const std::string expected = input.empty() ? "" : input.substr(0, input.size() - 2);
        for (const std::size_t minimum : {1, 2, 7, 1000}) {
            SCOPED_TRACE(document + " in pieces of " + std::to_string(minimum));
            StatementReader reader(document);
            std::string joined;
            std::string piece;
            while (reader.AppendTo(piece, minimum)) {
                EXPECT_GE(piece.size(), minimum);
                joined += piece;
                piece.clear();
            }
            EXPECT_TRUE(reader.Finished());
            EXPECT_EQ(joined + piece, expected);
        }
    }
}

// The paragraphs an editor holds: CR LF, CR and LF each end one, and a
// break at the end leaves an empty last paragraph.
std::vector<std::string> Paragraphs(const std::string& text)
{
    std::vector<std::string> paragraphs(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            paragraphs.back() += text[i];
            continue;
        }
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        paragraphs.emplace_back();
    }
    return paragraphs;
}

TEST(ParagraphStatements, GiveWhatTheWholeTextGives)
{
    std::vector<std::string> documents(std::begin(Documents), std::end(Documents));
    documents.insert(documents.end(), {"\n\n", "a\n\n", "\n\nb", "a\n---\n\nb", "a ///\n\n\n"});
    for (const std::string& document : documents) {
        SCOPED_TRACE(document);
        ParagraphStatements statements;
        for (const std::string& paragraph : Paragraphs(document)) {
            if (!statements.Add(paragraph)) break;
        }
        EXPECT_EQ(statements.Finish(), BuildEngineInput(document));
    }
}

TEST(StatementReader, StartsAtAGivenLine)
{
    StatementReader reader("a=1;\nb=2 // two\nc=3", 5);
    std::string text;
    EXPECT_FALSE(reader.AppendTo(text, 100));
    EXPECT_EQ(text, " b=2  c=3");
    EXPECT_EQ(reader.Position(), 19u);
}

TEST(VerbatimLinesEnd, StopsBeforeTheFirstLineThatNeedsExtraction)
{
    const struct {
        const char* name;
        std::string text;
        std::size_t from;
        std::size_t minimum;
        std::size_t end;
    } cases[] = {
        {"plain lines to the end", "a=1;\nb=2;\n", 0, 100, 10},
        {"last line without a line feed", "a=1;\nb=2", 0, 100, 8},
        {"a comment", "a=1;\nb=2; // two\nc=3;\n", 0, 100, 5},
        {"a comment marker of dashes", "a=1;\nb=2--3\n", 0, 100, 5},
        {"single slashes and dashes are operators", "a=6/2-1;\nb=-a;\n", 0, 100, 15},
        {"CR LF", "a=1;\nb=2;\r\n", 0, 100, 5},
        {"the end marker", "a=1;\nb=2;@\n", 0, 100, 5},
        {"a control byte", std::string("a=1;\nb\0=2;\n", 11), 0, 100, 5},
        {"tabs and blanks stay", "\ta = 1 ;\t\n", 0, 100, 10},
        {"non-ASCII bytes are the engine's to refuse", "a=\xe3\x81\x82;\n", 0, 100, 7},
        {"the first line at once", "a//1\nb=2;\n", 0, 100, 0},
        {"from inside a line", "a=1;b=2;\nc//\n", 4, 100, 9},
        {"enough after the first line", "a=1;\nb=2;\nc=3;\n", 0, 3, 5},
        {"enough after the second line", "a=1;\nb=2;\nc=3;\n", 0, 6, 10},
        {"from the end", "a=1;\n", 5, 100, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(VerbatimLinesEnd(c.text, c.from, c.minimum), c.end);
    }
}

// Long runs go through the sixteen-byte scan: a marker at any place in a
// block, and a pair split between two blocks, are still found.
TEST(VerbatimLinesEnd, FindsMarkersAtEveryPlaceOfALongLine)
{
    for (const char* marker : {"//", "--", "@", "\r"}) {
        for (std::size_t at = 0; at < 40; ++at) {
            std::string text = "x=1;\n" + std::string(40, 'a') + "\n";
            text.replace(5 + at, std::string(marker).size(), marker);
            SCOPED_TRACE(std::string(marker) + " at " + std::to_string(at));
            EXPECT_EQ(VerbatimLinesEnd(text, 0, 1000), 5u);
        }
    }
}

}  // namespace
}  // namespace tallyrix
