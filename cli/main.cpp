// tallyrix-calc: evaluates a calculation document without the window.
#include <unistd.h>

#include <iostream>
#include <string_view>
#include <vector>

#include "cli/CalcCommand.h"

int main(int argc, char* argv[])
{
    // Unsynchronised streams read and write in large blocks and report read
    // errors, which the stdio-synchronised ones hide as an early end.
    std::ios::sync_with_stdio(false);
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    tallyrix::cli::CalcCommand command(
        std::cin, std::cout, std::cerr, [argv0 = argv[0]] { return tallyrix::cli::CalcProgramDirectory(argv0); },
        STDIN_FILENO);
    return command.Run(arguments);
}
