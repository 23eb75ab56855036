#include <gtest/gtest.h>

#include "cli/CalcOptions.h"

namespace tallyrix::cli {
namespace {

struct OptionsCase {
    std::vector<std::string_view> arguments;
    bool degrees;
    bool variables;
    bool help;
    std::string inputPath;
    bool readsStandardInput;
};

TEST(CalcOptions, AcceptedCommandLines)
{
    const OptionsCase cases[] = {
        {{}, false, false, false, "", true},
        {{"-"}, false, false, false, "-", true},
        {{"--deg"}, true, false, false, "", true},
        {{"--variables", "doc.txt"}, false, true, false, "doc.txt", false},
        {{"doc.txt", "--deg", "--variables"}, true, true, false, "doc.txt", false},
        {{"--help"}, false, false, true, "", true},
        {{"-h", "--deg"}, true, false, true, "", true},
        // After "--" a name that looks like an option is the file.
        {{"--", "--deg"}, false, false, false, "--deg", false},
        {{"--deg", "--", "-"}, true, false, false, "-", true},
    };
    for (const OptionsCase& c : cases) {
        const ParsedArguments parsed = ParseArguments(c.arguments);
        SCOPED_TRACE(c.inputPath);
        EXPECT_EQ(parsed.error, "");
        EXPECT_EQ(parsed.options.degrees, c.degrees);
        EXPECT_EQ(parsed.options.variables, c.variables);
        EXPECT_EQ(parsed.options.help, c.help);
        EXPECT_EQ(parsed.options.inputPath, c.inputPath);
        EXPECT_EQ(parsed.options.ReadsStandardInput(), c.readsStandardInput);
    }
}

TEST(CalcOptions, RefusedCommandLines)
{
    const std::vector<std::vector<std::string_view>> cases = {
        {"--degrees"},
        {"-d"},
        {"--Deg"},
        {"a.txt", "b.txt"},
        {"-", "a.txt"},
        {"--", "a.txt", "b.txt"},
    };
    for (const auto& arguments : cases) {
        SCOPED_TRACE(arguments.front());
        EXPECT_NE(ParseArguments(arguments).error, "");
    }
}

TEST(CalcOptions, HelpNamesEveryOptionAndExitStatus)
{
    const std::string help = HelpText();
    for (const char* item : {"--deg", "--variables", "--help", "FILE", "64", "exp: OVERFLOW error"}) {
        EXPECT_NE(help.find(item), std::string::npos) << item;
    }
}

}  // namespace
}  // namespace tallyrix::cli
