// Writes the benchmark document: gen_document SYNTAX STATEMENTS
// SYNTAX is tallyrix, bc, python or awk.
#include <charconv>
#include <cstdio>
#include <string_view>

#include "bench/DocumentGenerator.h"

int main(int argc, char* argv[])
{
    const auto syntax = argc == 3 ? tallyrix::bench::SyntaxNamed(argv[1]) : std::nullopt;
    const std::string_view count = argc == 3 ? argv[2] : "";
    int statements = 0;
    const auto parsed = std::from_chars(count.data(), count.data() + count.size(), statements);
    if (!syntax || parsed.ec != std::errc() || parsed.ptr != count.data() + count.size() ||
        statements < 1) {
        std::fputs("usage: gen_document tallyrix|bc|python|awk STATEMENTS\n", stderr);
        return 64;
    }
    const std::string document = tallyrix::bench::GenerateDocument(statements, *syntax);
    const bool written = std::fwrite(document.data(), 1, document.size(), stdout) == document.size();
    return written && std::fflush(stdout) == 0 ? 0 : 1;
}
