// From a document's text to the statement text the engine evaluates.
#include <gtest/gtest.h>

#include "document/StatementExtraction.h"

namespace tallyrix {
namespace {

struct ExtractionCase {
    std::string document;
    std::string statements;
};

class ExtractionTest : public ::testing::TestWithParam<ExtractionCase> {};

TEST_P(ExtractionTest, CutsCommentsAndJoinsLines)
{
    const ExtractionCase& c = GetParam();
    EXPECT_EQ(ExtractStatements(SplitDocumentLines(c.document)), c.statements);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Documents, ExtractionTest, ::testing::Values(
    ExtractionCase{"", ""},
    ExtractionCase{"\n", " "},
    ExtractionCase{"1+2\n3", " 1+2 3"},
    ExtractionCase{"5--3", " 5"},
    ExtractionCase{"x = 1 // a -- b", " x = 1 "},
    ExtractionCase{"x = 1 -- a // b", " x = 1 "},
    ExtractionCase{"-- note", " "},
    ExtractionCase{"// note", " "},
    ExtractionCase{"x = 1 /// end\ny = 2", " x = 1 "},
    ExtractionCase{"x = 1 --- end\ny = 2", " x = 1 "},
    ExtractionCase{"a ////\nb", " a "},
    ExtractionCase{"a ----\nb", " a "},
    ExtractionCase{"y = 2 // see --- below\nz = 3", " y = 2 "},
    ExtractionCase{" \t a \t+\tb \t", " a \t+\tb"},
    ExtractionCase{"r = 2;  // radius\npi*r^2\n/// scratch below\nr = 5;", " r = 2;   pi*r^2 "},
    ExtractionCase{"1;\r\n2;\r\n", " 1; 2;"},
    ExtractionCase{"1\r2", " 1 2"},
    ExtractionCase{"a\n\nb", " a  b"},
    ExtractionCase{"\xef\xbc\x8f\xef\xbc\x8f x", " \xef\xbc\x8f\xef\xbc\x8f x"},
    ExtractionCase{"\"//\" 1", " \""}));
// clang-format on

struct LineCase {
    std::string text;
    std::vector<std::string> lines;
};

class SplitTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(SplitTest, CountsLinesAsTheEditorReportsThem)
{
    std::vector<std::string> lines;
    for (std::string_view line : SplitDocumentLines(GetParam().text))
        lines.emplace_back(line);
    EXPECT_EQ(lines, GetParam().lines);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Texts, SplitTest, ::testing::Values(
    LineCase{"", {}},
    LineCase{"a", {"a"}},
    LineCase{"a\n", {"a"}},
    LineCase{"a\n\n", {"a", ""}},
    LineCase{"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
    LineCase{"\r\n", {""}}));
// clang-format on

TEST(EngineInput, EmptyDocumentIsNotEvaluatedAndOthersAreClosed)
{
    EXPECT_EQ(BuildEngineInput(""), "");
    EXPECT_EQ(BuildEngineInput("1+2\n"), " 1+2;@");
    EXPECT_EQ(BuildEngineInput("// only a comment"), " ;@");
}

}  // namespace
}  // namespace tallyrix
