// The variable table: pi, registered constants and the document's variables.
#include <gtest/gtest.h>

#include "EngineTestSupport.h"

namespace tallyrix::test {
namespace {

const std::string PiLine = "pi: 3.14159265358979";

TEST(VariableTable, NewEvaluatorHoldsOnlyPi)
{
    Evaluator evaluator;
    EXPECT_EQ(evaluator.VariableCount(), 1);
    EXPECT_EQ(evaluator.VariableList, std::vector<std::string>{PiLine});
    EXPECT_TRUE(evaluator.IsDefined("pi"));
    EXPECT_FALSE(evaluator.IsDefined("PI"));
}

TEST(VariableTable, ReassignmentUpdatesOneEntryAndListsEveryStore)
{
    Evaluator evaluator;
    EvaluateDocument(evaluator, "a=1;a=2");
    EXPECT_EQ(evaluator.VariableCount(), 2);
    EXPECT_EQ(evaluator.VariableList, (std::vector<std::string>{PiLine, "a: 1", "a: 2"}));

    evaluator.ResetVariables(1);
    EXPECT_EQ(evaluator.VariableList, std::vector<std::string>{PiLine});
    EXPECT_FALSE(evaluator.IsDefined("a"));
    EXPECT_EQ(evaluator.StatementCount, 0);
}

TEST(VariableTable, StoresWithoutListLinesKeepTheirValuesAndTheListBefore)
{
    Evaluator evaluator;
    evaluator.RegisterConstant("c", 5);
    evaluator.RecordVariableLines = false;
    evaluator.ResetVariables(2);
    evaluator.Evaluate("a=c+1;c=2;a*c;@");
    EXPECT_EQ(evaluator.ExpressionValues, (std::vector<std::string>{"1: 6", "2: 2", "3: 12"}));
    EXPECT_EQ(evaluator.VariableList, (std::vector<std::string>{PiLine, "c: 5"}));
}

TEST(VariableTable, FullTableStopsOnlyNewNames)
{
    Evaluator evaluator;
    std::string statements;
    for (int i = 0; i < VariableCapacity - 1; ++i)
        statements += "v" + std::to_string(i) + "=" + std::to_string(i) + ";";
    EXPECT_EQ(EvaluateDocument(evaluator, statements + "v0").result, "0");
    EXPECT_EQ(evaluator.VariableCount(), VariableCapacity);

    const Outcome full = EvaluateDocument(evaluator, statements + "extra=1");
    EXPECT_EQ(full.message, "変数の数が多すぎます");
    EXPECT_EQ(full.count, VariableCapacity);
    EXPECT_FALSE(evaluator.IsDefined("extra"));

    EXPECT_EQ(EvaluateDocument(evaluator, statements + "v7=70;v7").result, "70");
}

TEST(VariableTable, RegisteredConstantsSurviveResetAndUpdateInPlace)
{
    Evaluator evaluator;
    EXPECT_TRUE(evaluator.RegisterConstant("g", 9.8));
    EXPECT_EQ(evaluator.VariableList.back(), "g: 9.8");
    EXPECT_TRUE(evaluator.RegisterConstant("g", 9.81));
    EXPECT_EQ(evaluator.VariableCount(), 2);
    EXPECT_EQ(evaluator.VariableList, (std::vector<std::string>{PiLine, "g: 9.8", "g: 9.81"}));

    evaluator.ResetVariables(2);
    evaluator.Evaluate("g*2;@");
    EXPECT_EQ(evaluator.ResultText, "19.62");
}

TEST(VariableTable, RegisteringIntoAFullTableChangesNothingVisible)
{
    Evaluator evaluator;
    for (int i = 1; i < VariableCapacity; ++i)
        ASSERT_TRUE(evaluator.RegisterConstant("c" + std::to_string(i), i));
    EXPECT_FALSE(evaluator.RegisterConstant("one_more", 1));
    EXPECT_TRUE(evaluator.RegisterConstant("c5", 50));
    EXPECT_EQ(evaluator.MessageText, "");
}

TEST(VariableTable, AssignmentToPiPersistsButItsLineIsCut)
{
    Evaluator evaluator;
    EvaluateDocument(evaluator, "pi=3");
    EXPECT_EQ(EvaluateDocument(evaluator, "pi").result, "3");
    EXPECT_EQ(evaluator.VariableList, std::vector<std::string>{PiLine});
}

TEST(VariableTable, ReusedEntriesAnswerOnlyToTheirNewNames)
{
    Evaluator evaluator;
    std::string first, second;
    for (int i = 0; i < 200; ++i) {
        first += "a" + std::to_string(i) + "=" + std::to_string(i) + ";";
        second += "b" + std::to_string(i) + "=" + std::to_string(2 * i) + ";";
    }
    EvaluateDocument(evaluator, first);
    EXPECT_EQ(EvaluateDocument(evaluator, second + "b150+b3").result, "306");
    EXPECT_FALSE(evaluator.IsDefined("a150"));
    EXPECT_EQ(EvaluateDocument(evaluator, second + "a1").message, "変数名が未定義");
}

TEST(VariableTable, ResetNeverExposesEntriesThatWereNeverFilled)
{
    Evaluator evaluator;
    evaluator.ResetVariables(5);
    EXPECT_EQ(evaluator.VariableCount(), 1);
    EXPECT_EQ(evaluator.VariableList.size(), 1u);
    evaluator.Evaluate("x=2;x*pi;@");
    EXPECT_EQ(evaluator.ResultText, "6.28318530717959");
}

TEST(VariableTable, AVariableOfOneRunIsGoneInTheNext)
{
    Evaluator evaluator;
    EvaluateDocument(evaluator, "r=2;r");
    EXPECT_EQ(EvaluateDocument(evaluator, "r").message, "変数名が未定義");
}

// Names of up to eight bytes are compared as one word when eight bytes of the
// text follow their start, byte by byte otherwise (near the end of the text):
// both ways must tell apart names that share a beginning, also in entries
// that held a longer name before a reset.
TEST(VariableTable, NamesSharingTheirFirstBytesStayApart)
{
    struct Row {
        const char* document;
        const char* result;
        const char* message;
    };
    // clang-format off
    const Row rows[] = {
        {"abcdefgh=1;abcdefghi=2;abcdefgh",            "1", ""},
        {"abcdefghi=2;abcdefgh",                       "",  "変数名が未定義"},
        {"abcdefgh=1;abcdefghi",                       "",  "変数名が未定義"},
        {"ab=1;abc=2;a=3;ab+0*abc+0*a",                "1", ""},
        {"abc=2;ab",                                   "",  "変数名が未定義"},
        {"g7=1;g=2;g",                                 "2", ""},
        {"x=4;x",                                      "4", ""},
        {"stored=5;stored+0",                          "5", ""},
    };
    // clang-format on
    Evaluator evaluator;
    for (const Row& row : rows) {
        const Outcome outcome = EvaluateDocument(evaluator, row.document);
        EXPECT_EQ(outcome.result, row.result) << row.document;
        EXPECT_EQ(outcome.message, row.message) << row.document;
    }
}

// A registered constant is stored from a name outside the text; the
// document's short names find it all the same.
TEST(VariableTable, ConstantsAreFoundByTheDocumentsShortNames)
{
    Evaluator evaluator;
    ASSERT_TRUE(evaluator.RegisterConstant("g", 9.5));
    ASSERT_TRUE(evaluator.RegisterConstant("gravity1", 2));
    evaluator.ResetVariables(3);
    evaluator.Evaluate("g*gravity1+0*g;@");
    EXPECT_EQ(evaluator.ResultText, "19");
}

}  // namespace
}  // namespace tallyrix::test
