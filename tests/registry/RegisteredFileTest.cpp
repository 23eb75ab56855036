#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <string>
#include <vector>

#include "engine/Eval.h"
#include "registry/RegisteredFile.h"

namespace tallyrix {
namespace {

using namespace std::string_literals;
using Lines = std::vector<std::string>;

TEST(SplitRegisteredText, BreaksAtCrLfCrAndLf)
{
    const struct {
        std::string text;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        {"a\r\n\r\n", {"a", ""}},
        {"\r\n", {""}},
        {"\n\n", {"", ""}},
        {"a\n\r", {"a", ""}},
        {"a\r\r\n", {"a", ""}},
        {"a\r\nb\0c\r\nd"s, {"a", "b"}},
        {"\0a"s, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitRegisteredText(c.text), c.lines) << c.text;
}

TEST(JoinRegisteredLines, EndsEveryLineWithCrLf)
{
    EXPECT_EQ(JoinRegisteredLines({}), "");
    EXPECT_EQ(JoinRegisteredLines({"a,1,"}), "a,1,\r\n");
    EXPECT_EQ(JoinRegisteredLines({"", "b"}), "\r\nb\r\n");
}

// Locale-independent parts of the order: case does not count, digits come
// before letters.
TEST(SortRegisteredLines, IgnoresCase)
{
    Lines lines = {"b,2,", "C,3,", "a,1,", "B0,5,", "1x,4,", "Z,9,", "A,2,"};
    SortRegisteredLines(lines);
    EXPECT_EQ(lines, (Lines{"1x,4,", "a,1,", "A,2,", "b,2,", "B0,5,", "C,3,", "Z,9,"}));
}

TEST(EntryLinesFromRows, KeepsNamedRowsJoinedAndSorted)
{
    const std::vector<EntryRow> rows = {
        {"z", "2", "h"}, {"a", "1", ""}, {"", "", ""}, {"", "5", "no name"}, {"x", "", ""}, {"q r", "1,5", "\"t\""},
    };
    // The whole line is compared, so a quoted name's quote sorts before letters.
    EXPECT_EQ(EntryLinesFromRows(rows, false), (Lines{"\"q r\",\"1,5\",\"\"\"t\"\"\"", "a,1,", "x,,", "z,2,h"}));
    EXPECT_EQ(EntryLinesFromRows(rows, true), (Lines{"\"q r\",\"1,5\",\"\"\"t\"\"\"", "a,1,", "z,2,h"}));
}

// Base is the file when the dialog read it, ours the dialog's entries at
// OK, theirs the file at OK.
TEST(MergeOutsideChanges, KeepsWhatEitherSideWrote)
{
    const struct {
        const char* what;
        Lines base, ours, theirs, merged;
    } cases[] = {
        {"each added one", {"a,1,"}, {"a,1,", "b,2,"}, {"a,1,", "c,3,"}, {"a,1,", "b,2,", "c,3,"}},
        {"both added the same", {}, {"b,2,"}, {"b,2,"}, {"b,2,"}},
        {"they removed one we kept", {"a,1,", "b,2,"}, {"a,1,", "b,2,", "c,3,"}, {"b,2,"}, {"b,2,", "c,3,"}},
        {"they removed one we changed", {"a,1,"}, {"a,5,"}, {}, {"a,5,"}},
        {"both changed one", {"a,1,"}, {"a,5,"}, {"a,7,"}, {"a,5,", "a,7,"}},
        {"we removed one they kept", {"a,1,", "b,2,"}, {"b,2,"}, {"a,1,", "b,2,"}, {"b,2,"}},
        {"duplicates count", {"a,1,"}, {"a,1,", "a,1,"}, {"a,1,", "z,0,"}, {"a,1,", "a,1,", "z,0,"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MergeOutsideChanges(c.base, c.ours, c.theirs), c.merged) << c.what;
}

class RegisteredFileTest : public ::testing::Test {
protected:
    std::string PathOf(const char* name) const { return QDir(Dir.path()).filePath(name).toStdString(); }
    std::string Path() const { return PathOf("Registered.txt"); }

    void Put(const std::string& bytes) const
    {
        QFile file(QString::fromStdString(Path()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }

    std::string Bytes() const
    {
        QFile file(QString::fromStdString(Path()));
        if (!file.open(QIODevice::ReadOnly)) return "<missing>";
        return file.readAll().toStdString();
    }

    QTemporaryDir Dir;
};

TEST_F(RegisteredFileTest, MissingFileIsNoEntries)
{
    EXPECT_FALSE(ReadRegisteredFile(Path()).has_value());
    Evaluator engine;
    EXPECT_EQ(LoadRegisteredConstants(Path(), engine), 1);
    EXPECT_EQ(engine.VariableCount(), 1);
}

TEST_F(RegisteredFileTest, ReadsEveryEncoding)
{
    // clang-format off
    const struct {
        const char* label;
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"shift-jis", "\x8F\x64\x97\xCD,9.80665,\x8F\x64\x97\xCD\x89\xC1\x91\xAC\x93\x78\r\n\x83\x5C,1\r\n",
         {"重力,9.80665,重力加速度", "ソ,1"}},
        {"utf-8", "円,1\nｵｰﾊﾞｰﾌﾛｰ,2\n", {"円,1", "ｵｰﾊﾞｰﾌﾛｰ,2"}},
        {"utf-8 with bom", "\xEF\xBB\xBF" "a,1\r\n\r\nb,2", {"a,1", "", "b,2"}},
        // After a NUL nothing counts, not even for the choice of encoding.
        {"nul", "\x83\x5C,1\r\n\0\xE5\x86\x86"s, {"ソ,1"}},
        {"utf-16", "\xFF\xFE" "a\0,\0\x86\x51\r\0\n\0b\0\0\0c\0"s, {"a,円", "b"}},
    };
    // clang-format on
    for (const auto& c : cases) {
        Put(c.bytes);
        EXPECT_EQ(ReadRegisteredFile(Path()), c.lines) << c.label;
    }
}

TEST_F(RegisteredFileTest, WritesShiftJisWithCrLfUnlessACharacterDoesNotFit)
{
    const struct {
        const char* label;
        Lines lines;
        std::string bytes;
    } cases[] = {
        {"empty", {}, ""},
        {"shift-jis",
         {"重力,9.80665,重力加速度", "ｵｰﾊﾞｰﾌﾛｰ,1,～①"},
         "\x8F\x64\x97\xCD,9.80665,\x8F\x64\x97\xCD\x89\xC1\x91\xAC\x93\x78\r\n"
         "\xB5\xB0\xCA\xDE\xB0\xCC\xDB\xB0,1,\x81\x60\x87\x40\r\n"},
        {"minus sign needs utf-8", {"m,1,−"}, "\xEF\xBB\xBFm,1,−\r\n"},
    };
    for (const auto& c : cases) {
        WriteRegisteredFile(Path(), c.lines);
        EXPECT_EQ(Bytes(), c.bytes) << c.label;
        EXPECT_EQ(ReadRegisteredFile(Path()), c.lines) << c.label;
    }
}

TEST_F(RegisteredFileTest, FailedWriteThrowsWithThePath)
{
    ASSERT_TRUE(QDir(Dir.path()).mkdir("Registered.txt"));  // a directory where the file should be
    try {
        WriteRegisteredFile(Path(), {"a,1,"});
        FAIL() << "no error";
    } catch (const RegisteredFileError& error) {
        EXPECT_NE(std::string(error.what()).find(Path()), std::string::npos) << error.what();
    }
    EXPECT_THROW(WriteRegisteredFile(PathOf("Registered.txt/inner/x.txt"), {"a"}), RegisteredFileError);
    EXPECT_THROW(ReadRegisteredFile(Path()), RegisteredFileError);
}

TEST_F(RegisteredFileTest, LoadRegistersTheNumericEntries)
{
    Put("g,9.80665,\x8F\x64\x97\xCD\r\nhalf,1/2,\r\nc2, 1.5E+2 ,\r\n");
    Evaluator engine;
    EXPECT_EQ(LoadRegisteredConstants(Path(), engine), 3);
    engine.Evaluate("g*c2;@");
    EXPECT_EQ(engine.ResultText, "1470.9975");
    EXPECT_FALSE(engine.IsDefined("half"));
}

}  // namespace
}  // namespace tallyrix
