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
        {"--variables", "--aligned"},
        {"--aligned", "doc.txt", "--variables"},
    };
    for (const auto& arguments : cases) {
        SCOPED_TRACE(arguments.front());
        EXPECT_NE(ParseArguments(arguments).error, "");
    }
}

TEST(CalcOptions, WhereRegisteredConstantsComeFrom)
{
    const struct {
        std::vector<std::string_view> arguments;
        RegisteredSource source;
        std::string registeredPath;
        std::string inputPath;
    } cases[] = {
        {{}, RegisteredSource::ProgramDirectory, "", ""},
        {{"doc.txt"}, RegisteredSource::ProgramDirectory, "", "doc.txt"},
        {{"--no-registered"}, RegisteredSource::None, "", ""},
        {{"--registered", "r.txt", "doc.txt"}, RegisteredSource::File, "r.txt", "doc.txt"},
        {{"--registered=r.txt"}, RegisteredSource::File, "r.txt", ""},
        // The value is taken as it is, even when it looks like an option.
        {{"--registered", "--deg"}, RegisteredSource::File, "--deg", ""},
        {{"--registered", "r.txt", "--no-registered"}, RegisteredSource::None, "", ""},
        {{"--no-registered", "--registered", "r.txt"}, RegisteredSource::File, "r.txt", ""},
        {{"--", "--registered"}, RegisteredSource::ProgramDirectory, "", "--registered"},
    };
    for (const auto& c : cases) {
        const ParsedArguments parsed = ParseArguments(c.arguments);
        SCOPED_TRACE(c.arguments.empty() ? "(none)" : std::string(c.arguments.front()));
        EXPECT_EQ(parsed.error, "");
        EXPECT_EQ(parsed.options.registered, c.source);
        EXPECT_EQ(parsed.options.registeredPath, c.registeredPath);
        EXPECT_EQ(parsed.options.inputPath, c.inputPath);
    }
}

TEST(CalcOptions, RegisteredNeedsAFile)
{
    for (const auto& arguments : std::vector<std::vector<std::string_view>>{
             {"--registered"}, {"--registered="}, {"doc.txt", "--registered"}, {"--registeredx"}}) {
        SCOPED_TRACE(arguments.back());
        EXPECT_NE(ParseArguments(arguments).error, "");
    }
}

TEST(CalcOptions, HelpNamesEveryOptionAndExitStatus)
{
    const std::string help = HelpText();
    for (const char* item : {"--deg", "--variables", "--registered FILE", "--no-registered", "TALLYRIX_HOME", "--help",
                             "FILE", "64", "exp: OVERFLOW error"}) {
        EXPECT_NE(help.find(item), std::string::npos) << item;
    }
}

}  // namespace
}  // namespace tallyrix::cli
