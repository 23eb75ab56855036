#include "engine/DigitGrouping.h"

#include <algorithm>

namespace tallyrix {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The number of integer digits of a plain decimal value, or 0 when value is
// anything else.
std::size_t IntegerDigits(std::string_view value)
{
    const std::size_t sign = value.starts_with('-') ? 1 : 0;
    const std::string_view digits = value.substr(sign);
    const std::size_t point = std::min(digits.find('.'), digits.size());
    const auto allDigits = [](std::string_view part) { return std::all_of(part.begin(), part.end(), IsDigit); };
    if (point == 0 || !allDigits(digits.substr(0, point))) return 0;
    if (point < digits.size() && (point + 1 == digits.size() || !allDigits(digits.substr(point + 1)))) return 0;
    return point;
}

void AppendGrouped(std::string_view value, std::string& out)
{
    const std::size_t digits = IntegerDigits(value);
    if (digits <= 3) {
        out.append(value);
        return;
    }
    const std::size_t sign = value.size() - value.substr(value.starts_with('-') ? 1 : 0).size();
    out.append(value.substr(0, sign));
    for (std::size_t i = 0; i < digits; ++i) {
        if (i > 0 && (digits - i) % 3 == 0) out += ',';
        out += value[sign + i];
    }
    out.append(value.substr(sign + digits));
}

}  // namespace

std::string GroupDigits(std::string_view value)
{
    std::string grouped;
    grouped.reserve(value.size() + value.size() / 3);
    AppendGrouped(value, grouped);
    return grouped;
}

std::string GroupLineValues(std::string_view text)
{
    std::string grouped;
    grouped.reserve(text.size() + text.size() / 4);
    for (std::size_t begin = 0; begin <= text.size();) {
        const std::size_t end = std::min(text.find('\n', begin), text.size());
        const std::string_view line = text.substr(begin, end - begin);
        const std::size_t label = line.find(": ");
        const std::size_t value = label == std::string_view::npos ? 0 : label + 2;
        grouped.append(line.substr(0, value));
        AppendGrouped(line.substr(value), grouped);
        if (end < text.size()) grouped += '\n';
        begin = end + 1;
    }
    return grouped;
}

}  // namespace tallyrix
