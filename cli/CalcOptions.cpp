#include "cli/CalcOptions.h"

namespace tallyrix::cli {

namespace {

// Returns false for an option this program does not know.
bool ApplyOption(std::string_view argument, CalcOptions& options)
{
    if (argument == "--deg") {
        options.degrees = true;
    } else if (argument == "--variables") {
        options.variables = true;
    } else if (argument == "--help" || argument == "-h") {
        options.help = true;
    } else {
        return false;
    }
    return true;
}

bool IsOption(std::string_view argument)
{
    return argument.size() > 1 && argument.front() == '-';
}

}  // namespace

ParsedArguments ParseArguments(const std::vector<std::string_view>& arguments)
{
    ParsedArguments parsed;
    bool optionsEnded = false;
    bool haveFile = false;
    for (std::string_view argument : arguments) {
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && IsOption(argument)) {
            if (!ApplyOption(argument, parsed.options)) {
                parsed.error = "unknown option '" + std::string(argument) + "'";
                return parsed;
            }
            continue;
        }
        if (haveFile) {
            parsed.error = "only one FILE may be given ('" + std::string(argument) + "')";
            return parsed;
        }
        parsed.options.inputPath = std::string(argument);
        haveFile = true;
    }
    return parsed;
}

std::string HelpText()
{
    return "Usage: tallyrix-calc [--deg] [--variables] [FILE]\n"
           "Evaluate a Tallyrix calculation document and print its values.\n"
           "\n"
           "FILE is read as it is, byte for byte; without FILE, or when FILE is \"-\",\n"
           "the document is read from standard input. Comments (\"//\", \"--\") and the\n"
           "stop marker (\"///\", \"---\") are honoured as in the window, and the whole\n"
           "document is evaluated once from the top. Bytes that are not ASCII are\n"
           "passed to the engine unchanged, which refuses them as unknown characters.\n"
           "\n"
           "Options:\n"
           "  --deg        angles in degrees (sin, cos, tan take degrees; asin, acos,\n"
           "               atan give degrees); radians otherwise\n"
           "  --variables  print every assignment (\"name: value\") instead of the\n"
           "               value of every statement (\"number: value\")\n"
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
           "Standard error receives the reports of the mathematical functions, such as\n"
           "\"exp: OVERFLOW error\" (evaluation goes on), and failures that abandon the\n"
           "evaluation, prefixed \"tallyrix-calc: \"; nothing is then written to\n"
           "standard output.\n"
           "\n"
           "Exit status:\n"
           "  0   evaluation ended without a message\n"
           "  1   evaluation ended with a message (an error in the document, or\n"
           "      incomplete input)\n"
           "  2   a failure abandoned the evaluation (floating-point overflow, an\n"
           "      invalid operation, a rejected number literal), or FILE could not be\n"
           "      read or standard output not written\n"
           "  64  the command line was wrong\n";
}

}  // namespace tallyrix::cli
