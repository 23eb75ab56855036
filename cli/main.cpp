// tallyrix-calc: evaluates a calculation document without the window.
#include <unistd.h>

#include <string_view>
#include <vector>

#include "cli/CalcCommand.h"
#include "cli/TextOutput.h"

int main(int argc, char* argv[])
{
    // Standard input is read through its descriptor (a file is mapped, not
    // copied). Standard error is not buffered, and what standard output
    // holds goes out before it: a report shows when it is made, after the
    // values of the statements before it.
    tallyrix::cli::DescriptorOutput out(STDOUT_FILENO, 8 * 1024);
    tallyrix::cli::DescriptorOutput err(STDERR_FILENO, 0);
    err.Tie(&out);
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    tallyrix::cli::CalcCommand command(
        nullptr, out, err, [argv0 = argv[0]] { return tallyrix::cli::CalcProgramDirectory(argv0); }, STDIN_FILENO);
    return command.Run(arguments);
}
