// The real tallyrix-calc binary as a process: standard streams and exit status.
#include <gtest/gtest.h>
#include <unistd.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/cli/RunResult.h"

namespace {

int ExitStatusOf(const std::string& shellCommand)
{
    const int raw = std::system(shellCommand.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

std::string CalcPath() { return std::string("'") + TALLYRIX_CALC_PATH + "'"; }

// ctest runs the cases of this file as parallel processes: one set of
// files per process.
std::string ProcessBase() { return testing::TempDir() + "tallyrix_calc_process_" + std::to_string(getpid()); }

// The program's directory of the runs: empty unless a test puts a
// Registered.txt there.
std::string ProgramDirectory() { return ProcessBase() + "_home"; }

// Runs the binary with input on standard input; arguments are passed to the
// shell as they are, so tests give only plain words. A command in front,
// such as "timeout 60", runs the binary.
RunResult RunCalc(const std::string& arguments, const std::string& input, const std::string& runner = "")
{
    const std::string base = ProcessBase();
    std::filesystem::create_directories(ProgramDirectory());
    std::ofstream(base + ".in", std::ios::binary) << input;
    const int status = ExitStatusOf("TALLYRIX_HOME='" + ProgramDirectory() + "' " + runner + " " + CalcPath() + " " +
                                    arguments + " <'" + base + ".in' >'" + base + ".out' 2>'" + base + ".err'");
    RunResult result{status, ReadFileBytes(base + ".out"), ReadFileBytes(base + ".err")};
    for (const char* suffix : {".in", ".out", ".err"}) {
        std::remove((base + suffix).c_str());
    }
    // Only an empty one: a test that wrote a Registered.txt removes its own.
    std::error_code notEmpty;
    std::filesystem::remove(ProgramDirectory(), notEmpty);
    return result;
}

struct ProcessCase {
    const char* arguments;
    const char* input;
    const char* out;
    const char* err;
    int status;
};

TEST(CalcProcess, StreamsAndExitStatus)
{
    const ProcessCase cases[] = {
        {"", "r=2;\npi*r^2", "1: 2\n2: 12.5663706143592\n=12.5663706143592\n", "", 0},
        {"", "1;x;5", "1: 1\n2; 変数名が未定義\n=\n", "", 1},
        {"", "1e200*1e200", "", "tallyrix-calc: 浮動小数点数のｵｰﾊﾞｰﾌﾛｰ\n", 2},
        {"", "7;\n1e200*1e200", "1: 7\n", "tallyrix-calc: 浮動小数点数のｵｰﾊﾞｰﾌﾛｰ\n", 2},
        {"--deg -", "exp 1000; acos -1", "1: INF\n2: 180\n=180\n", "exp: OVERFLOW error\n", 0},
    };
    for (const ProcessCase& c : cases) {
        SCOPED_TRACE(c.input);
        ExpectRun(RunCalc(c.arguments, c.input), c.out, c.err, c.status);
    }
}

// Standard output holds nothing back when standard error is written: in a
// terminal, or a file both go to, a report stands after the values before it.
TEST(CalcProcess, AReportFollowsTheValuesBeforeIt)
{
    const std::string merged = ProcessBase() + ".merged";
    EXPECT_EQ(ExitStatusOf("printf '1;exp(1000);2' | " + CalcPath() + " >'" + merged + "' 2>&1"), 0);
    EXPECT_EQ(ReadFileBytes(merged), "1: 1\n2: INF\nexp: OVERFLOW error\n3: 2\n=2\n");
    std::remove(merged.c_str());
}

TEST(CalcProcess, UsageErrorExitsWith64)
{
    const RunResult result = RunCalc("--no-such-option", "1");
    EXPECT_EQ(result.status, 64);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("--help"), std::string::npos) << result.err;
}

TEST(CalcProcess, HelpExplainsTheCommand)
{
    const RunResult result = RunCalc("--help", "");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(
        result.out.rfind(
            "Usage: tallyrix-calc [--deg] [--variables | --aligned] [--grouped] [--registered FILE | --no-registered] "
            "[FILE]\n",
            0),
        0u);
    EXPECT_EQ(result.err, "");
}

// The directory named by TALLYRIX_HOME is the program's directory.
TEST(CalcProcess, RegisteredConstantsOfTheProgramDirectory)
{
    std::filesystem::create_directories(ProgramDirectory());
    std::ofstream(ProgramDirectory() + "/Registered.txt", std::ios::binary) << "g,9.80665,\r\nhalf,1/2,\r\n";
    const ProcessCase cases[] = {
        {"", "g*2", "1: 19.6133\n=19.6133\n", "", 0},
        {"", "half", "1; 変数名が未定義\n=\n", "", 1},
        {"--no-registered", "g", "1; 変数名が未定義\n=\n", "", 1},
        {"--registered /no/such/file", "g", "",
         "tallyrix-calc: cannot open registered constants '/no/such/file': No such file or directory\n", 2},
    };
    for (const ProcessCase& c : cases) {
        SCOPED_TRACE(c.arguments);
        ExpectRun(RunCalc(c.arguments, c.input), c.out, c.err, c.status);
    }
    std::filesystem::remove_all(ProgramDirectory());
}

std::string Repeat(const std::string& text, int times)
{
    std::string repeated;
    for (int i = 0; i < times; ++i)
        repeated += text;
    return repeated;
}

// Documents nested far deeper than anyone types end normally, with the
// value or the message a shallow document of the same kind gets.
TEST(CalcProcess, DeeplyNestedDocuments)
{
    constexpr int deep = 100000;
    std::string distinctNames;
    for (int i = 0; i < 40000; ++i)
        distinctNames += "a" + std::to_string(i) + "=";
    const std::string overflowReport = "pow: OVERFLOW error\n";
    const struct {
        const char* kind;
        std::string document;
        std::string out;
        std::string err;
        int status;
    } cases[] = {
        {"parentheses over lines", Repeat("( // open\n", deep) + "1\n" + Repeat(")", deep), "1: 1\n=1\n", "", 0},
        {"signs", Repeat("-(", deep + 1) + "2" + Repeat(")", deep + 1), "1: -2\n=-2\n", "", 0},
        {"function words", Repeat("abs ", 2 * deep) + "-3", "1: 3\n=3\n", "", 0},
        {"function calls", Repeat("sin(", deep) + "0" + Repeat(")", deep), "1: 0\n=0\n", "", 0},
        {"nested powers", Repeat("2^(", deep) + "2" + Repeat(")", deep), "1: INF\n=INF\n",
         Repeat(overflowReport, deep - 3), 0},
        {"assignment chain", distinctNames + "1", "1; 変数の数が多すぎます\n=\n", "", 1},
        {"unfinished", "5;" + Repeat("(", deep), "1: 5\n2; 入力・修正待ち\n=\n", "", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        ExpectRun(RunCalc("", c.document), c.out, c.err, c.status);
    }
}

// A FIFO would wait for a writer, a device without end would be read
// forever: both are refused before they are opened. The timeout only keeps
// a regression from hanging the test run.
TEST(CalcProcess, FilesThatAreNotRegularAreRefused)
{
    const std::string fifo = ProcessBase() + "_fifo";
    const std::string zeros = ProcessBase() + "_zeros.txt";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", zeros);
    const struct {
        std::string arguments;
        std::string err;
    } cases[] = {
        {fifo, "cannot read '" + fifo + "'"},
        {zeros, "cannot read '" + zeros + "'"},
        {"--registered " + fifo, "cannot read registered constants '" + fifo + "'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        ExpectRun(RunCalc(c.arguments, "1", "timeout 60"), "", "tallyrix-calc: " + c.err + ": not a regular file\n", 2);
    }
    std::filesystem::remove(fifo);
    std::filesystem::remove(zeros);
}

TEST(CalcProcess, StandardInputThatCannotBeReadIsAFailure)
{
    EXPECT_EQ(ExitStatusOf(CalcPath() + " < / > /dev/null 2>&1"), 2);
}

TEST(CalcProcess, FullOutputDeviceIsAFailure)
{
    EXPECT_EQ(ExitStatusOf("echo 1+1 | " + CalcPath() + " > /dev/full 2>/dev/null"), 2);
}

}  // namespace
