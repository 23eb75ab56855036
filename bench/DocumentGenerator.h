// One benchmark document in several calculators' syntax, so the engine and
// its peers compute the same statements. Every value stays finite and within
// a few units (each statement shrinks differences between its operands), so
// rounding differences among the calculators do not grow along the document.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tallyrix::bench {

enum class DocumentSyntax { Tallyrix, Bc, Python, Awk };

// "tallyrix", "bc", "python", "awk".
std::optional<DocumentSyntax> SyntaxNamed(std::string_view name);

// Distinct variable names the documents use, well inside the engine's table.
inline constexpr int DocumentVariables = 200;

// A document of the given number of statements: first the variables get
// literal values, then assignments mixing precedence, parentheses, powers,
// function calls and earlier variables; the last statement is a sum of
// variables whose value every syntax prints (tallyrix-calc as "=value").
// With printEveryValue the peers also print each assigned value, one line
// each, as tallyrix-calc always does.
std::string GenerateDocument(int statements, DocumentSyntax syntax, bool printEveryValue = false);

}  // namespace tallyrix::bench
