#include "bench/DocumentGenerator.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace tallyrix::bench {

namespace {

// Statement forms over {a} (the target) and {b}, {c} (operands in -4..4).
// Markers in braces name a function call's opening and "^" a power; both
// are rendered per syntax. Powers have integer exponents (bc takes no
// others), and nothing here ever writes "--" or "//", the engine's comments.
constexpr std::array<std::string_view, 9> Forms = {
    "{a}={b}*0.5+{c}/4",
    "{a}=({b}-{c})*0.25+1",
    "{a}={sin}{b})/2+{cos}{c})/4",
    "{a}=({b}^2-{c}^2)/(4+{b}^2+{c}^2)",
    "{a}={sqrt}1+{b}^2)/2-{c}/4",
    "{a}={exp}{b}/8)+{c}/4",
    "{a}={log}1+{b}^2)/2-{atan}{c}{/atan}/4",
    "{a}=({b}+{c})*({b}-{c})/32",
    "{a}={b}^3/(40+{b}^2)-{c}/8",
};

constexpr int SummedVariables = 10;

using Replacements = std::vector<std::pair<std::string_view, std::string_view>>;

struct SyntaxRules {
    Replacements markers;
    std::string_view header;
    std::string_view statementEnd;
    std::string_view resultOpen;   // before the final sum
    std::string_view resultClose;  // after it, to the end of the document
    std::string_view printOpen;    // before a variable's name, to print its value
    std::string_view printClose;   // after it
};

Replacements FunctionMarkers(std::string_view exp, std::string_view log, std::string_view sin, std::string_view cos,
                             std::string_view atan, std::string_view atanClose)
{
    return {{"{sqrt}", "sqrt("}, {"{exp}", exp},   {"{log}", log},        {"{sin}", sin},
            {"{cos}", cos},      {"{atan}", atan}, {"{/atan}", atanClose}};
}

SyntaxRules RulesFor(DocumentSyntax syntax)
{
    Replacements usual = FunctionMarkers("exp(", "log(", "sin(", "cos(", "atan(", ")");
    switch (syntax) {
        case DocumentSyntax::Bc:
            return {FunctionMarkers("e(", "l(", "s(", "c(", "a(", ")"), "", "\n", "", "\nquit\n", "", "\n"};
        case DocumentSyntax::Python:
            usual.emplace_back("^", "**");
            return {usual, "from math import sqrt, exp, log, sin, cos, atan\n", "\n", "print(repr(", "))\n", "print(",
                    ")\n"};
        case DocumentSyntax::Awk:
            // Printed values get 15 significant digits, as tallyrix-calc's.
            return {FunctionMarkers("exp(", "log(", "sin(", "cos(", "atan2(", ",1)"),
                    "BEGIN {\nOFMT = \"%.15g\"\n",
                    "\n",
                    "printf \"%.17g\\n\", ",
                    "\n}\n",
                    "print ",
                    "\n"};
        case DocumentSyntax::Tallyrix:
            break;
    }
    return {usual, "", ";\n", "", "\n", "", ""};
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

std::string VariableName(int index) { return "v" + std::to_string(index); }

// A fixed sequence, the same for every syntax and every run.
class Sequence {
public:
    int Below(int bound)
    {
        State = State * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<int>((State >> 33) % static_cast<std::uint64_t>(bound));
    }

private:
    std::uint64_t State = 0x2545F4914F6CDD1DULL;
};

// Eighths from 0.125 to 3.875: exact in binary and in decimal.
std::string InitialLiteral(int index)
{
    const int eighths = 1 + (index * 7) % 31;
    return std::to_string(eighths / 8) + "." + std::to_string(eighths % 8 * 125);
}

std::string FinalSum(int variables)
{
    std::string sum = variables > 0 ? VariableName(0) : "1";
    for (int i = 1; i < std::min(variables, SummedVariables); ++i) {
        sum += "+" + VariableName(i);
    }
    return sum;
}

// tallyrix-calc prints every statement's value anyway; the peers are told to.
void AppendPrint(std::string& document, const SyntaxRules& rules, DocumentSyntax syntax, bool printEveryValue,
                 std::string_view name)
{
    if (!printEveryValue || syntax == DocumentSyntax::Tallyrix) return;
    document += rules.printOpen;
    document += name;
    document += rules.printClose;
}

}  // namespace

std::optional<DocumentSyntax> SyntaxNamed(std::string_view name)
{
    constexpr std::pair<std::string_view, DocumentSyntax> Names[] = {
        {"tallyrix", DocumentSyntax::Tallyrix},
        {"bc", DocumentSyntax::Bc},
        {"python", DocumentSyntax::Python},
        {"awk", DocumentSyntax::Awk},
    };
    for (const auto& [candidate, syntax] : Names) {
        if (candidate == name) {
            return syntax;
        }
    }
    return std::nullopt;
}

std::string GenerateDocument(int statements, DocumentSyntax syntax, bool printEveryValue)
{
    const SyntaxRules rules = RulesFor(syntax);
    std::vector<std::string> forms(Forms.begin(), Forms.end());
    for (std::string& form : forms) {
        for (const auto& [marker, text] : rules.markers) {
            ReplaceAll(form, marker, text);
        }
    }
    const int variables = std::max(0, std::min(DocumentVariables, statements - 1));
    std::string document(rules.header);
    document.reserve(static_cast<std::size_t>(statements) * 32);
    for (int i = 0; i < variables; ++i) {
        document += VariableName(i) + "=" + InitialLiteral(i);
        document += rules.statementEnd;
        AppendPrint(document, rules, syntax, printEveryValue, VariableName(i));
    }
    Sequence sequence;
    for (int i = variables; i < statements - 1; ++i) {
        std::string statement = forms[static_cast<std::size_t>(sequence.Below(Forms.size()))];
        const std::string target = VariableName(sequence.Below(variables));
        ReplaceAll(statement, "{a}", target);
        ReplaceAll(statement, "{b}", VariableName(sequence.Below(variables)));
        ReplaceAll(statement, "{c}", VariableName(sequence.Below(variables)));
        document += statement;
        document += rules.statementEnd;
        AppendPrint(document, rules, syntax, printEveryValue, target);
    }
    document += rules.resultOpen;
    document += FinalSum(variables);
    document += rules.resultClose;
    return document;
}

}  // namespace tallyrix::bench
