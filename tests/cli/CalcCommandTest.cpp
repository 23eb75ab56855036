#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <streambuf>
#include <string>

#include "cli/CalcCommand.h"
#include "cli/CalcOptions.h"
#include "tests/cli/RunResult.h"

namespace tallyrix::cli {
namespace {

// A program directory that does not exist, so holds no Registered.txt.
std::string NoProgramDirectory() { return testing::TempDir() + "tallyrix_calc_no_program_directory"; }

RunResult RunWithInput(const std::vector<std::string_view>& arguments, const std::string& input,
                       const ProgramDirectoryLocator& programDirectory = NoProgramDirectory)
{
    std::istringstream in(input);
    StringOutput out;
    StringOutput err;
    CalcCommand command(&in, out, err, programDirectory);
    const int status = command.Run(arguments);
    return {status, out.Text(), err.Text()};
}

struct DocumentCase {
    const char* name;
    std::vector<std::string_view> arguments;
    std::string input;
    std::string out;
    std::string err;
    int status;
};

TEST(CalcCommand, DocumentsFromStandardInput)
{
    // clang-format off
    const DocumentCase cases[] = {
        {"assignment and reference over two lines", {}, "r=2;\npi*r^2",
         "1: 2\n2: 12.5663706143592\n=12.5663706143592\n", "", 0},
        {"unknown name stops in statement 2", {}, "1;x;5",
         "1: 1\n2; 変数名が未定義\n=\n", "", 1},
        {"dash reads standard input", {"-"}, "1+2*3", "1: 7\n=7\n", "", 0},
        {"CR LF line ends", {}, "a=2;\r\na*3\r\n", "1: 2\n2: 6\n=6\n", "", 0},
        {"comments and the stop marker", {}, "x = 1; // one\ny = x+1 /// end\nx = 5",
         "1: 1\n2: 2\n=2\n", "", 0},
        {"incomplete input", {}, "1;2+", "1: 1\n2; 入力・修正待ち\n=\n", "", 1},
        {"non-ASCII bytes are unknown characters", {}, "1+\xe3\x81\x82",
         "1; 入力・修正待ち\n=\n", "", 1},
        {"empty document is not evaluated", {}, "", "=\n", "", 0},
        {"only separators", {}, ";;\n;", "=\n", "", 0},
        {"division by zero", {}, "4;1/0", "1: 4\n2; ゼロでのわり算\n=\n", "", 1},
        {"degrees", {"--deg"}, "sin 30;atan 1", "1: 0.5\n2: 45\n=45\n", "", 0},
        {"radians by default", {}, "atan 1*4", "1: 3.14159265358979\n=3.14159265358979\n", "", 0},
        {"variables view", {"--variables"}, "a=1;a=2;b=a*3",
         "pi: 3.14159265358979\na: 1\na: 2\nb: 6\n=6\n", "", 0},
        {"variables view of an empty document", {"--variables"}, "",
         "pi: 3.14159265358979\n=\n", "", 0},
        {"variables view with a message", {"--variables"}, "a=1;sqrt 0",
         "pi: 3.14159265358979\na: 1\n2; sqrtの引数がゼロか負\n=\n", "", 1},
        {"function reports go to standard error", {}, "exp 1000;0^0;exp -1000",
         "1: INF\n2: 1\n3: 0\n=0\n", "exp: OVERFLOW error\npow: DOMAIN error\n", 0},
        {"overflow abandons the run, earlier values stay printed", {}, "1;1e200*1e200;3", "1: 1\n",
         "tallyrix-calc: 浮動小数点数のｵｰﾊﾞｰﾌﾛｰ\n", 2},
        {"variables stored before a failure stay printed", {"--variables"}, "a=1;b=a*1e200*1e200",
         "pi: 3.14159265358979\na: 1\n", "tallyrix-calc: 浮動小数点数のｵｰﾊﾞｰﾌﾛｰ\n", 2},
        {"reports before a failure are kept", {}, "exp(1000)*0", "",
         "exp: OVERFLOW error\ntallyrix-calc: 不正な浮動小数点数演算命令\n", 2},
        {"literal the conversion rejects", {}, "1e5000", "",
         "tallyrix-calc: '1e5000' は浮動小数点数ではありません\n", 2},
        {"grouped digits", {"--grouped"}, "0.000123;1.5e20;-1234.5;x=25000000",
         "1: 0.000123\n2: 1.5E20\n3: -1,234.5\n4: 25,000,000\n=25,000,000\n", "", 0},
        {"aligned: each line with the value ending on it", {"--aligned"}, "a=2; b=3;\n// note\na*\nb\n\n",
         "a=2; b=3;\t3\n// note\t\na*\t\nb\t6\n\t\n", "", 0},
        {"aligned: the message on the line the run stopped on", {"--aligned"}, "1;\r\n2+\r\nx;4",
         "1;\t1\n2+\t\nx;4\t2; 変数名が未定義\n", "", 1},
        {"aligned: an empty document prints nothing", {"--aligned"}, "", "", "", 0},
        {"aligned: the lines before a failure with their values", {"--aligned"}, "a=1;\nb=2;\nc=1e200*1e200;\nd=4",
         "a=1;\t1\nb=2;\t2\n", "tallyrix-calc: 浮動小数点数のｵｰﾊﾞｰﾌﾛｰ\n", 2},
        {"aligned: a failure on a line with a value", {"--aligned"}, "x=1; y=x*1e200*1e200;\nz",
         "x=1; y=x*1e200*1e200;\t1\n", "tallyrix-calc: 浮動小数点数のｵｰﾊﾞｰﾌﾛｰ\n", 2},
        // 重力 in code page 932 and in UTF-8.
        {"aligned: Shift-JIS lines are echoed in UTF-8", {"--aligned"}, "g=2; // \x8f\x64\x97\xcd\n",
         "g=2; // 重力\t2\n", "", 0},
        {"a UTF-8 byte-order mark", {}, "\xef\xbb\xbf" "1+2;", "1: 3\n=3\n", "", 0},
    };
    // clang-format on
    for (const DocumentCase& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectRun(RunWithInput(c.arguments, c.input), c.out, c.err, c.status);
    }
}

TEST(CalcCommand, UsageErrorsWriteOnlyToStandardError)
{
    for (const auto& arguments : std::vector<std::vector<std::string_view>>{{"--bogus"}, {"a.txt", "b.txt"}}) {
        const RunResult result = RunWithInput(arguments, "1");
        EXPECT_EQ(result.status, ExitUsage);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err.rfind("tallyrix-calc: ", 0), 0u) << result.err;
    }
}

TEST(CalcCommand, HelpGoesToStandardOutputWithoutReadingInput)
{
    const RunResult result = RunWithInput({"--help", "no-such-file.txt"}, "1e200*1e200");
    EXPECT_EQ(result.status, ExitSuccess);
    EXPECT_EQ(result.out, HelpText());
    EXPECT_EQ(result.err, "");
}

// Larger than the first read chunk, so the document arrives in several reads.
TEST(CalcCommand, LongDocumentIsReadWhole)
{
    std::string document;
    const int statements = 30000;
    for (int i = 1; i <= statements; ++i) {
        document += "n=" + std::to_string(i) + ";\n";
    }
    document += "n*2";
    const RunResult result = RunWithInput({}, document);
    EXPECT_EQ(result.status, ExitSuccess);
    const std::string last = std::to_string(statements + 1) + ": " + std::to_string(2 * statements) + "\n";
    EXPECT_NE(result.out.find(last), std::string::npos);
    EXPECT_EQ(result.out.substr(result.out.size() - 7), "=" + std::to_string(2 * statements) + "\n");
}

class TempFile {
public:
    explicit TempFile(const std::string& contents)
        : Path(testing::TempDir() + "tallyrix_calc_" + testing::UnitTest::GetInstance()->current_test_info()->name() +
               ".txt")
    {
        std::ofstream(Path, std::ios::binary) << contents;
    }
    ~TempFile() { std::remove(Path.c_str()); }
    const std::string Path;
};

TEST(CalcCommand, FileArgumentIsReadInsteadOfStandardInput)
{
    const TempFile file("a = 3; // three\r\nb = 4;a*b");
    const RunResult result = RunWithInput({"--variables", file.Path}, "99");
    EXPECT_EQ(result.status, ExitSuccess);
    EXPECT_EQ(result.out, "pi: 3.14159265358979\na: 3\nb: 4\n=12\n");
}

TEST(CalcCommand, UnreadableFileIsAFailure)
{
    const RunResult missing = RunWithInput({"/no/such/dir/doc.txt"}, "1");
    EXPECT_EQ(missing.status, ExitFailure);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err.rfind("tallyrix-calc: cannot open '/no/such/dir/doc.txt'", 0), 0u) << missing.err;
    // An empty name is no file, not standard input.
    ExpectRun(RunWithInput({""}, "1"), "", "tallyrix-calc: cannot open '': No such file or directory\n", ExitFailure);

    // A directory opens but cannot be read; it must not pass for an empty document.
    const RunResult directory = RunWithInput({testing::TempDir()}, "1");
    EXPECT_EQ(directory.status, ExitFailure);
    EXPECT_EQ(directory.out, "");
}

// A program directory with a Registered.txt, and another file of entries.
class RegisteredFiles {
public:
    RegisteredFiles()
        : Directory(testing::TempDir() + "tallyrix_calc_program_" +
                    testing::UnitTest::GetInstance()->current_test_info()->name()),
          Other(Directory + "/Other.txt")
    {
        std::filesystem::create_directories(Directory);
        // 重力 in code page 932, as the window writes it.
        std::ofstream(Directory + "/Registered.txt", std::ios::binary)
            << "g,9.80665,\x8f\x64\x97\xcd\r\nhalf,1/2,\r\nk,0,zero\r\nc2, 1.5E+2 ,\r\n";
        std::ofstream(Other, std::ios::binary) << "g,10,\r\nh,2\r\n";
    }
    ~RegisteredFiles() { std::filesystem::remove_all(Directory); }
    ProgramDirectoryLocator Locator() const
    {
        return [directory = Directory] { return directory; };
    }
    const std::string Directory;
    const std::string Other;
};

TEST(CalcCommand, NumericRegisteredEntriesAreConstants)
{
    const RegisteredFiles files;
    const std::string other = files.Other;
    const std::string joined = "--registered=" + other;
    const std::string missing = files.Directory + "/Missing.txt";
    // clang-format off
    const DocumentCase cases[] = {
        {"program directory's file", {}, "g*2;c2", "1: 19.6133\n2: 150\n=150\n", "", 0},
        {"a formula is a string entry", {}, "half", "1; 変数名が未定義\n=\n", "", 1},
        {"a zero is a string entry", {}, "k", "1; 変数名が未定義\n=\n", "", 1},
        {"constants survive assignments", {}, "x=g;g=1;x", "1: 9.80665\n2: 1\n3: 9.80665\n=9.80665\n", "", 0},
        {"constants in the variables view", {"--variables"}, "x=c2",
         "pi: 3.14159265358979\ng: 9.80665\nc2: 150\nx: 150\n=150\n", "", 0},
        {"none", {"--no-registered"}, "g", "1; 変数名が未定義\n=\n", "", 1},
        {"another file instead", {"--registered", other}, "g+h;c2", "1: 12\n2; 変数名が未定義\n=\n", "", 1},
        {"another file, joined form", {joined}, "g", "1: 10\n=10\n", "", 0},
        {"the last choice counts", {"--registered", other, "--no-registered"}, "g", "1; 変数名が未定義\n=\n", "", 1},
        {"the last choice counts again", {"--no-registered", "--registered", other}, "h", "1: 2\n=2\n", "", 0},
        {"a named file must exist", {"--registered", missing}, "1", "",
         "tallyrix-calc: cannot open registered constants '" + missing + "': No such file or directory\n", 2},
    };
    // clang-format on
    for (const DocumentCase& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectRun(RunWithInput(c.arguments, c.input, files.Locator()), c.out, c.err, c.status);
    }
}

TEST(CalcCommand, ProgramDirectoryIsAskedOnlyForItsFile)
{
    int asked = 0;
    const ProgramDirectoryLocator counting = [&asked] {
        ++asked;
        return NoProgramDirectory();
    };
    EXPECT_EQ(RunWithInput({"--no-registered"}, "1", counting).status, ExitSuccess);
    EXPECT_EQ(asked, 0);
    // Without the file there are no constants and no complaint.
    ExpectRun(RunWithInput({}, "pi", counting), "1: 3.14159265358979\n=3.14159265358979\n", "", ExitSuccess);
    EXPECT_EQ(asked, 1);
}

class BrokenInput : public std::streambuf {
protected:
    int_type underflow() override { throw std::ios_base::failure("device error"); }
};

class FullOutput : public TextOutput {
protected:
    bool Put(std::string_view) override { return false; }
};

TEST(CalcCommand, ReadErrorIsAFailureNotAnEmptyDocument)
{
    BrokenInput buffer;
    std::istream in(&buffer);
    StringOutput out;
    StringOutput err;
    EXPECT_EQ(CalcCommand(&in, out, err, NoProgramDirectory).Run({}), ExitFailure);
    EXPECT_EQ(out.Text(), "");
    EXPECT_EQ(err.Text().rfind("tallyrix-calc: cannot read standard input", 0), 0u) << err.Text();
}

TEST(CalcCommand, WriteErrorIsAFailureNotSuccess)
{
    // A short document, and one of many pieces, whose lines are written
    // on a thread of their own.
    std::string manyPieces;
    for (int i = 0; i < 60000; ++i)
        manyPieces += "x=" + std::to_string(i) + "*0.5;\n";
    for (const std::string& document : {std::string("1+1"), manyPieces}) {
        std::istringstream in(document);
        FullOutput out;
        StringOutput err;
        EXPECT_EQ(CalcCommand(&in, out, err, NoProgramDirectory).Run({}), ExitFailure);
        EXPECT_EQ(err.Text(), "tallyrix-calc: cannot write standard output\n");
    }
}

}  // namespace
}  // namespace tallyrix::cli
