// Command-line options of tallyrix-calc and their parsing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tallyrix::cli {

// Where the registered constants come from.
enum class RegisteredSource {
    ProgramDirectory,  // Registered.txt in the program's directory, when there is one
    File,              // --registered FILE, which must exist
    None,              // --no-registered
};

struct CalcOptions {
    bool degrees = false;    // --deg: trigonometric functions take and give degrees
    bool variables = false;  // --variables: print VariableList instead of ExpressionValues
    bool aligned = false;    // --aligned: each document line with the value ending on it
    bool grouped = false;    // --grouped: values with their digits in groups of three
    bool help = false;       // --help
    bool fileGiven = false;  // a FILE argument, possibly the empty name
    std::string inputPath;   // the FILE; "-" reads standard input
    RegisteredSource registered = RegisteredSource::ProgramDirectory;
    std::string registeredPath;  // with RegisteredSource::File

    // An empty name is a file that does not exist, not standard input.
    bool ReadsStandardInput() const { return !fileGiven || inputPath == "-"; }
};

struct ParsedArguments {
    CalcOptions options;
    std::string error;  // not empty for a usage error
};

// Parses the arguments after the program name. "--" ends the options, so a
// file whose name begins with "-" can still be given. Of --registered and
// --no-registered the last one given counts.
ParsedArguments ParseArguments(const std::vector<std::string_view>& arguments);

// The text printed by --help.
std::string HelpText();

}  // namespace tallyrix::cli
