#include "cli/CalcOptions.h"

namespace tallyrix::cli {

namespace {

constexpr std::string_view RegisteredOption = "--registered";

// Returns false for an option this program does not know.
bool ApplyFlag(std::string_view argument, CalcOptions& options)
{
    if (argument == "--deg") {
        options.degrees = true;
    } else if (argument == "--variables") {
        options.variables = true;
    } else if (argument == "--aligned") {
        options.aligned = true;
    } else if (argument == "--grouped") {
        options.grouped = true;
    } else if (argument == "--no-registered") {
        options.registered = RegisteredSource::None;
        options.registeredPath.clear();
    } else if (argument == "--help" || argument == "-h") {
        options.help = true;
    } else {
        return false;
    }
    return true;
}

// "--registered FILE" or "--registered=FILE"; the value is taken as it is,
// even when it looks like an option. Moves index past a separate value.
std::string ApplyRegistered(const std::vector<std::string_view>& arguments, std::size_t& index, CalcOptions& options)
{
    const std::string_view argument = arguments[index];
    std::string_view path;
    if (argument == RegisteredOption) {
        if (index + 1 == arguments.size()) return "option '--registered' needs a FILE";
        path = arguments[++index];
    } else {
        path = argument.substr(RegisteredOption.size() + 1);
    }
    if (path.empty()) return "option '--registered' needs a FILE";
    options.registered = RegisteredSource::File;
    options.registeredPath = std::string(path);
    return {};
}

bool IsRegisteredOption(std::string_view argument)
{
    return argument == RegisteredOption ||
           (argument.starts_with(RegisteredOption) && argument[RegisteredOption.size()] == '=');
}

// An error text, or "" when the option was applied.
std::string ApplyOption(const std::vector<std::string_view>& arguments, std::size_t& index, CalcOptions& options)
{
    if (IsRegisteredOption(arguments[index])) return ApplyRegistered(arguments, index, options);
    if (ApplyFlag(arguments[index], options)) return {};
    return "unknown option '" + std::string(arguments[index]) + "'";
}

bool IsOption(std::string_view argument) { return argument.size() > 1 && argument.front() == '-'; }

}  // namespace

ParsedArguments ParseArguments(const std::vector<std::string_view>& arguments)
{
    ParsedArguments parsed;
    bool optionsEnded = false;
    bool haveFile = false;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::string_view argument = arguments[index];
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && IsOption(argument)) {
            parsed.error = ApplyOption(arguments, index, parsed.options);
            if (!parsed.error.empty()) return parsed;
            continue;
        }
        if (haveFile) {
            parsed.error = "only one FILE may be given ('" + std::string(argument) + "')";
            return parsed;
        }
        parsed.options.inputPath = std::string(argument);
        parsed.options.fileGiven = haveFile = true;
    }
    if (parsed.options.variables && parsed.options.aligned) {
        parsed.error = "options '--variables' and '--aligned' cannot be used together";
    }
    return parsed;
}

std::string HelpText()
{
    return "Usage: tallyrix-calc [--deg] [--variables | --aligned] [--grouped] [--registered FILE | --no-registered] "
           "[FILE]\n"
           "Evaluate a Tallyrix calculation document and print its values.\n"
           "\n"
           "FILE must be a regular file; without FILE, or when FILE is \"-\", the\n"
           "document is read from standard input. Either may hold at most 256 MB. The\n"
           "text is decoded as the window decodes a file: a byte-order mark names\n"
           "UTF-8 or UTF-16; otherwise UTF-8 or Shift-JIS (code page 932), whichever\n"
           "reads more of the bytes, and Shift-JIS for a short text both read whole.\n"
           "Comments (\"//\", \"--\") and the stop marker (\"///\", \"---\") are\n"
           "honoured as in the window, and the whole document is evaluated once from\n"
           "the top. Characters that are not ASCII are unknown to the calculation\n"
           "outside comments.\n"
           "\n"
           "Registered constants: as in the window, every numeric entry of\n"
           "Registered.txt (lines \"name,value,hint\") is a constant that the document\n"
           "can use by name. The file is looked for in the program's directory: the\n"
           "directory named by TALLYRIX_HOME, else the directory of this program, or\n"
           "the per-user data directory when that one cannot be written or is an\n"
           "install folder (/usr, /opt, ... or another user's). Without the file there\n"
           "are no registered constants. The file must be a regular file of at most\n"
           "16 MB.\n"
           "\n"
           "Options:\n"
           "  --deg        angles in degrees (sin, cos, tan take degrees; asin, acos,\n"
           "               atan give degrees); radians otherwise\n"
           "  --variables  print every assignment (\"name: value\") instead of the\n"
           "               value of every statement (\"number: value\")\n"
           "  --aligned    print instead every line of the document, a tab and the\n"
           "               value of the statement ending on that line (empty when\n"
           "               none); the line the evaluation stopped on gets the\n"
           "               message line; after a failure, the lines before the\n"
           "               failing statement\n"
           "  --grouped    print values with the digits of their integer part in\n"
           "               groups of three, \"25,000,000\" and \"-1,234.5\", as the\n"
           "               window's option 3桁区切りで表示 shows them; values in\n"
           "               exponent form, \"INF\" and \"NAN\" stay as they are. A\n"
           "               document may hold such values: commas in a number count\n"
           "               for nothing\n"
           "  --registered FILE\n"
           "               take the registered constants from FILE instead; FILE must\n"
           "               exist (also --registered=FILE)\n"
           "  --no-registered\n"
           "               use no registered constants (the last of these two options\n"
           "               counts)\n"
           "  -h, --help   print this help and exit\n"
           "  --           end of options; a following argument is the FILE\n"
           "\n"
           "Standard output, in this order:\n"
           "  1. one line per completed statement, \"1: 7\", or with --variables one\n"
           "     line per stored value, \"pi: 3.14159265358979\";\n"
           "  2. when evaluation ended with a message, the number of the statement,\n"
           "     \"; \" and the message, \"2; 変数名が未定義\";\n"
           "  3. \"=\" followed by the value of the last completed statement (\"=7\"),\n"
           "     or \"=\" alone when there is none.\n"
           "An empty document is not evaluated and prints \"=\" alone.\n"
           "\n"
           "Lines are written as they are computed, so a long document's values\n"
           "start to appear before its end is reached.\n"
           "\n"
           "Standard error receives the reports of the mathematical functions, such as\n"
           "\"exp: OVERFLOW error\" (evaluation goes on), and failures that abandon the\n"
           "evaluation, prefixed \"tallyrix-calc: \". After such a failure the lines of\n"
           "the statements before it stay printed; the message line and the \"=\" line\n"
           "are not written.\n"
           "\n"
           "Exit status:\n"
           "  0   evaluation ended without a message\n"
           "  1   evaluation ended with a message (an error in the document, or\n"
           "      incomplete input)\n"
           "  2   a failure abandoned the evaluation (floating-point overflow, an\n"
           "      invalid operation, a rejected number literal), or FILE or the\n"
           "      registered constants' file could not be read (a FILE named with\n"
           "      --registered that does not exist, anything but a regular file and\n"
           "      a file over the size limit included), or standard output could not\n"
           "      be written\n"
           "  64  the command line was wrong\n";
}

}  // namespace tallyrix::cli
