#include "cli/CalcCommand.h"

#include <exception>
#include <utility>
#include <string>

#include "cli/DocumentEvaluation.h"
#include "cli/DocumentInput.h"

namespace tallyrix::cli {

CalcCommand::CalcCommand(std::istream& standardInput, std::ostream& standardOutput,
                         std::ostream& standardError, ProgramDirectoryLocator programDirectory)
    : In(standardInput), Out(standardOutput), Err(standardError),
      ProgramDirectory(std::move(programDirectory))
{
}

int CalcCommand::Run(const std::vector<std::string_view>& arguments)
{
    const ParsedArguments parsed = ParseArguments(arguments);
    if (!parsed.error.empty()) {
        Err << ProgramName << ": " << parsed.error << "\nTry '" << ProgramName
            << " --help' for more information.\n";
        return ExitUsage;
    }
    if (parsed.options.help) {
        return Write(HelpText(), ExitSuccess);
    }
    return Calculate(parsed.options);
}

int CalcCommand::Calculate(const CalcOptions& options)
{
    std::string reports;
    try {
        const std::vector<std::string> registered = ReadRegisteredLines(options, ProgramDirectory);
        const std::string document = ReadDocument(options, In);
        const DocumentOutcome outcome = EvaluateDocument(document, options, registered, reports);
        Err << reports;
        return Write(outcome.output, outcome.hasMessage ? ExitMessage : ExitSuccess);
    } catch (const std::exception& failure) {
        // Engine failures (overflow, invalid operation, a rejected literal)
        // and unreadable input or registered constants alike: what was
        // computed is not printed.
        Err << reports;
        return Fail(failure.what());
    }
}

int CalcCommand::Write(const std::string& output, int status)
{
    Out.write(output.data(), static_cast<std::streamsize>(output.size()));
    Out.flush();
    // A lost result must not end as success (a full disk, a closed pipe).
    return Out ? status : Fail("cannot write standard output");
}

int CalcCommand::Fail(std::string_view text)
{
    Err << ProgramName << ": " << text << '\n';
    Err.flush();
    return ExitFailure;
}

}  // namespace tallyrix::cli
