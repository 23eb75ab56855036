#include "cli/CalcCommand.h"

#include <exception>
#include <string>
#include <utility>

#include "cli/AlignedEvaluation.h"
#include "cli/DocumentInput.h"
#include "cli/StreamingEvaluation.h"

namespace tallyrix::cli {

CalcCommand::CalcCommand(std::istream* standardInput, TextOutput& standardOutput, TextOutput& standardError,
                         ProgramDirectoryLocator programDirectory, int standardInputDescriptor)
    : In(standardInput),
      Out(standardOutput),
      Err(standardError),
      ProgramDirectory(std::move(programDirectory)),
      InDescriptor(standardInputDescriptor)
{
}

int CalcCommand::Run(const std::vector<std::string_view>& arguments)
{
    const ParsedArguments parsed = ParseArguments(arguments);
    if (!parsed.error.empty()) {
        Err << ProgramName << ": " << parsed.error << "\nTry '" << ProgramName << " --help' for more information.\n";
        return ExitUsage;
    }
    if (parsed.options.help) {
        return Write(HelpText(), ExitSuccess);
    }
    return Calculate(parsed.options);
}

int CalcCommand::Calculate(const CalcOptions& options)
{
    try {
        const std::vector<std::string> registered = ReadRegisteredLines(options, ProgramDirectory);
        DocumentBytes document = DecodeDocument(ReadDocument(options, In, InDescriptor));
        const std::span<char> bytes = document.Bytes();
        const bool hasMessage = options.aligned
                                    ? PrintAligned({bytes.data(), bytes.size()}, options, registered, Out, Err)
                                    : StreamDocument(bytes, options, registered, Out, Err);
        return Write({}, hasMessage ? ExitMessage : ExitSuccess);
    } catch (const std::exception& failure) {
        // Engine failures (overflow, invalid operation, a rejected literal)
        // and unreadable input or registered constants alike. The values of
        // the statements before an engine failure are already printed.
        Out.Flush();
        return Fail(failure.what());
    }
}

int CalcCommand::Write(std::string_view output, int status)
{
    Out << output;
    Out.Flush();
    // A lost result must not end as success (a full disk, a closed pipe).
    return Out ? status : Fail("cannot write standard output");
}

int CalcCommand::Fail(std::string_view text)
{
    Err << ProgramName << ": " << text << '\n';
    Err.Flush();
    return ExitFailure;
}

}  // namespace tallyrix::cli
