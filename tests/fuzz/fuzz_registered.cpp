// libFuzzer target: any bytes as Registered.txt, decoded, cut into lines,
// each line split into fields and described as a button and a numeric
// entry. Every field list written back must read as the same fields, and
// every entry must register with the engine without a failure escaping.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Eval.h"
#include "files/TextCodec.h"
#include "registry/FieldList.h"
#include "registry/RegisteredEntries.h"
#include "registry/RegisteredFile.h"

namespace {

// An empty last field is written as a trailing comma, which reads as no
// field: "g,9.8," is {"g", "9.8"}. Every other field comes back.
std::vector<std::string> WithoutEmptyEnd(std::vector<std::string> fields)
{
    while (!fields.empty() && fields.back().empty())
        fields.pop_back();
    return fields;
}

void CheckLine(const std::string& line, int index)
{
    const std::vector<std::string> fields = tallyrix::SplitFields(line);
    if (WithoutEmptyEnd(tallyrix::SplitFields(tallyrix::JoinFields(fields))) != WithoutEmptyEnd(fields)) std::abort();
    const tallyrix::RegisteredButton button = tallyrix::DescribeRegisteredButton(line, index);
    if (button.tag != index) std::abort();
    if (!fields.empty() && button.caption != fields.front()) std::abort();
    if (fields.size() > 1) (void)tallyrix::NumericValue(fields[1]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const tallyrix::DecodedText decoded = tallyrix::DecodeText(bytes);
    const std::vector<std::string> lines = tallyrix::SplitRegisteredText(decoded.text);
    for (std::size_t index = 0; index < lines.size(); ++index)
        CheckLine(lines[index], static_cast<int>(index));
    // The lines written back read as the same lines.
    if (tallyrix::SplitRegisteredText(tallyrix::JoinRegisteredLines(lines)) != lines) std::abort();
    static tallyrix::Evaluator engine([](const tallyrix::MathErrorReport&) {});
    const int fixed = tallyrix::RegisterConstants(lines, engine);
    if (fixed < 1 || fixed > engine.VariableCount()) std::abort();
    return 0;
}
