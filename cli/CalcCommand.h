// tallyrix-calc as a whole: arguments in, exit status out, with standard
// input, output and error given by the caller so tests can use strings.
#pragma once

#include <istream>
#include <string_view>
#include <vector>

#include "cli/CalcOptions.h"
#include "cli/RegisteredSource.h"
#include "cli/TextOutput.h"

namespace tallyrix::cli {

enum ExitStatus : int {
    ExitSuccess = 0,  // no message
    ExitMessage = 1,  // the evaluation ended with a message
    ExitFailure = 2,  // a failure abandoned the run
    ExitUsage = 64,   // a wrong command line (EX_USAGE)
};

inline constexpr std::string_view ProgramName = "tallyrix-calc";

class CalcCommand {
public:
    // programDirectory is asked only when the default Registered.txt is used.
    // With standardInputDescriptor 0 or more, standard input is read through
    // it (a file is then mapped, not copied), else through standardInput.
    CalcCommand(std::istream* standardInput, TextOutput& standardOutput, TextOutput& standardError,
                ProgramDirectoryLocator programDirectory, int standardInputDescriptor = -1);

    // arguments: without the program name.
    int Run(const std::vector<std::string_view>& arguments);

private:
    int Calculate(const CalcOptions& options);
    int Write(std::string_view output, int status);
    int Fail(std::string_view text);

    std::istream* In;
    TextOutput& Out;
    TextOutput& Err;
    ProgramDirectoryLocator ProgramDirectory;
    int InDescriptor;
};

}  // namespace tallyrix::cli
