#include "registry/RegisteredEntries.h"

#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <unordered_map>

#include "engine/Eval.h"
#include "registry/FieldList.h"

namespace tallyrix {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

void SkipSpaces(std::string_view text, std::size_t& i)
{
    while (i < text.size() && text[i] == ' ')
        ++i;
}

// Copies an optional sign, '-' kept and '+' dropped.
void TakeSign(std::string_view text, std::size_t& i, std::string& out)
{
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') out += '-';
        ++i;
    }
}

std::size_t TakeDigits(std::string_view text, std::size_t& i, std::string& out)
{
    const std::size_t start = i;
    while (i < text.size() && IsDigit(text[i]))
        out += text[i++];
    return i - start;
}

// The number in the plain form strtod reads, or nothing when the text is
// not a decimal number or has no digit ("." and a bare sign read as zero,
// which is no numeric entry either).
std::optional<std::string> NormalDecimal(std::string_view text)
{
    std::string number;
    std::size_t i = 0;
    SkipSpaces(text, i);
    TakeSign(text, i, number);
    std::size_t digits = TakeDigits(text, i, number);
    if (i < text.size() && text[i] == '.') {
        number += text[i++];
        digits += TakeDigits(text, i, number);
    }
    if (digits == 0) return std::nullopt;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        std::string exponent = "e";
        TakeSign(text, i, exponent);
        if (TakeDigits(text, i, exponent) > 0) number += exponent;
    }
    SkipSpaces(text, i);
    if (i != text.size()) return std::nullopt;
    return number;
}

// strtod in the C locale, whatever locale the program runs in.
double ToDouble(const std::string& number)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    return strtod_l(number.c_str(), nullptr, cLocale);
}

std::string FieldOrEmpty(const std::vector<std::string>& fields, std::size_t index)
{
    return index < fields.size() ? fields[index] : std::string();
}

struct Constant {
    std::string name;
    double value;
};

// The numeric entries, each name once in the order of its first line, with
// the value of its last line.
std::vector<Constant> DistinctConstants(const std::vector<std::string>& lines)
{
    std::vector<Constant> constants;
    std::unordered_map<std::string, std::size_t> position;
    for (const std::string& line : lines) {
        const std::vector<std::string> fields = SplitFields(line);
        const std::optional<double> value = fields.size() >= 2 ? NumericValue(fields[1]) : std::nullopt;
        if (!value) continue;
        const auto [found, added] = position.try_emplace(fields[0], constants.size());
        if (added)
            constants.push_back({fields[0], *value});
        else
            constants[found->second].value = *value;
    }
    return constants;
}

}  // namespace

std::optional<double> NumericValue(std::string_view field)
{
    const std::optional<std::string> number = NormalDecimal(field);
    if (!number) return std::nullopt;
    const double value = ToDouble(*number);
    if (value == 0.0 || !std::isfinite(value)) return std::nullopt;
    return value;
}

RegisteredButton DescribeRegisteredButton(std::string_view line, int index)
{
    const std::vector<std::string> fields = SplitFields(line);
    RegisteredButton button;
    button.caption = FieldOrEmpty(fields, 0);
    button.hasHint = fields.size() > 2;
    button.hint = FieldOrEmpty(fields, 2);
    button.tag = index;
    return button;
}

std::string RegisteredInsertText(std::string_view line, const Evaluator& engine, bool insertRegisteredValue)
{
    const std::vector<std::string> fields = SplitFields(line);
    const std::string caption = FieldOrEmpty(fields, 0);
    if (!insertRegisteredValue && engine.IsDefined(caption)) return caption;
    return FieldOrEmpty(fields, 1);
}

std::optional<RegisteredNote> FindRegisteredConstant(const std::vector<std::string>& lines, std::string_view name)
{
    for (std::size_t index = lines.size(); index > 0; --index) {
        const std::vector<std::string> fields = SplitFields(lines[index - 1]);
        if (fields.size() < 2 || fields[0] != name || !NumericValue(fields[1])) continue;
        const std::string hint = FieldOrEmpty(fields, 2);
        const std::size_t bar = hint.find('|');
        return RegisteredNote{index - 1, bar == std::string::npos ? hint : hint.substr(bar + 1)};
    }
    return std::nullopt;
}

int RegisterConstants(const std::vector<std::string>& lines, Evaluator& engine)
{
    engine.ResetVariables(1);
    const std::vector<Constant> constants = DistinctConstants(lines);
    int fixedVariableCount = 1;
    for (const Constant& constant : constants) {
        const int before = engine.VariableCount();
        engine.RegisterConstant(constant.name, constant.value);
        if (engine.VariableCount() > before) ++fixedVariableCount;
    }
    engine.RestateVariableList();
    return fixedVariableCount;
}

}  // namespace tallyrix
