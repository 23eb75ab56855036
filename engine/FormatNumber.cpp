#include "engine/Eval.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace tallyrix {

namespace {

// Writes the magnitude's digits d1..dn (trailing zeros dropped) and returns n;
// exponent receives E of the form 0.d1d2..dn x 10^E.
int SignificantDigits(double magnitude, char* digits, int& exponent) {
    char scientific[40];
    // "%.14e" rounds correctly to 15 significant digits: d.dddddddddddddde±XX
    std::snprintf(scientific, sizeof scientific, "%.14e", magnitude);
    int n = 0;
    const char* p = scientific;
    for (; *p != 'e'; ++p) {
        if (*p != '.') digits[n++] = *p;
    }
    exponent = std::atoi(p + 1) + 1;
    while (n > 1 && digits[n - 1] == '0') --n;
    return n;
}

std::size_t WriteFixed(const char* digits, int n, int exponent, char* out) {
    std::size_t len = 0;
    if (exponent <= 0) {
        out[len++] = '0';
        out[len++] = '.';
        for (int i = 0; i < -exponent; ++i) out[len++] = '0';
        for (int i = 0; i < n; ++i) out[len++] = digits[i];
        return len;
    }
    for (int i = 0; i < exponent; ++i) out[len++] = i < n ? digits[i] : '0';
    if (n > exponent) {
        out[len++] = '.';
        for (int i = exponent; i < n; ++i) out[len++] = digits[i];
    }
    return len;
}

std::size_t WriteScientific(const char* digits, int n, int exponent, char* out) {
    std::size_t len = 0;
    out[len++] = digits[0];
    if (n > 1) {
        out[len++] = '.';
        for (int i = 1; i < n; ++i) out[len++] = digits[i];
    }
    out[len++] = 'E';
    int shown = exponent - 1;
    if (shown < 0) {
        out[len++] = '-';
        shown = -shown;
    }
    len += static_cast<std::size_t>(std::snprintf(out + len, 8, "%d", shown));
    return len;
}

}  // namespace

std::size_t FormatNumberTo(double value, char* buffer) {
    if (std::isnan(value)) {
        std::memcpy(buffer, "NAN", 4);
        return 3;
    }
    if (std::isinf(value)) {
        std::memcpy(buffer, "INF", 4);
        return 3;
    }
    if (value == 0.0) {
        std::memcpy(buffer, "0", 2);
        return 1;
    }
    std::size_t len = 0;
    if (value < 0) buffer[len++] = '-';
    char digits[20];
    int exponent = 0;
    const int n = SignificantDigits(std::fabs(value), digits, exponent);
    if (exponent >= -3 && exponent <= 15) {
        len += WriteFixed(digits, n, exponent, buffer + len);
    } else {
        len += WriteScientific(digits, n, exponent, buffer + len);
    }
    buffer[len] = '\0';
    return len;
}

std::string FormatNumber(double value) {
    char buffer[FormatBufferSize];
    const std::size_t len = FormatNumberTo(value, buffer);
    return std::string(buffer, len);
}

std::string MathErrorText(const MathErrorReport& report) {
    return std::string(report.function) + ": " + report.kind + " error";
}

}  // namespace tallyrix
