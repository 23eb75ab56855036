// Writes the benchmark document: gen_document SYNTAX STATEMENTS [every]
// SYNTAX is tallyrix, bc, python or awk; with "every" the document prints
// the value of every statement, as tallyrix-calc does.
#include <charconv>
#include <cstdio>
#include <string_view>

#include "bench/DocumentGenerator.h"

int main(int argc, char* argv[])
{
    const bool every = argc == 4 && std::string_view(argv[3]) == "every";
    const bool arity = argc == 3 || every;
    const auto syntax = arity ? tallyrix::bench::SyntaxNamed(argv[1]) : std::nullopt;
    const std::string_view count = arity ? argv[2] : "";
    int statements = 0;
    const auto parsed = std::from_chars(count.data(), count.data() + count.size(), statements);
    if (!syntax || parsed.ec != std::errc() || parsed.ptr != count.data() + count.size() || statements < 1) {
        std::fputs("usage: gen_document tallyrix|bc|python|awk STATEMENTS [every]\n", stderr);
        return 64;
    }
    const std::string document = tallyrix::bench::GenerateDocument(statements, *syntax, every);
    const bool written = std::fwrite(document.data(), 1, document.size(), stdout) == document.size();
    return written && std::fflush(stdout) == 0 ? 0 : 1;
}
