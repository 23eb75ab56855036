// Names in a primary: the seventeen built-in functions, assignment and
// variable reference; and the power operator with the standard library's
// error reports.
#include "engine/EvaluatorCore.h"
#include "engine/FunctionTable.h"
#include "engine/SmallPower.h"

#include <array>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

// The C library's header is C that GCC also reads as C++ (clang does not).
#if defined(__x86_64__) && !defined(__FMA__) && !defined(__clang__) && __has_include(<sys/platform/x86.h>)
#define TALLYRIX_ASK_FOR_FMA 1
#include <sys/platform/x86.h>
#endif

namespace tallyrix {

using namespace builtin;

namespace {

constexpr double Infinity = std::numeric_limits<double>::infinity();
constexpr double NotANumber = std::numeric_limits<double>::quiet_NaN();
// From this magnitude on the library's trigonometric functions lose all
// precision of the argument and report a total loss instead of a value.
constexpr double TotalLossLimit = 9007199254740992.0;  // 2^53

// The engine's own checks come before the library is called.
const char* DomainMessage(int function, double a)
{
    switch (function) {
        case Sqrt:
            return a > 0 ? nullptr : "sqrtの引数がゼロか負";
        case Log:
            return a > 0 ? nullptr : "logの引数がゼロか負";
        case Log10:
            return a > 0 ? nullptr : "log10の引数がゼロか負";
        case Asin:
            return a >= -1 && a <= 1 ? nullptr : "asinの引数が範囲外";
        case Acos:
            return a >= -1 && a <= 1 ? nullptr : "acosの引数が範囲外";
        default:
            return nullptr;
    }
}

// Squares and cubes: where the processor has a fused multiply-add, a
// product's error costs one instruction instead of Dekker's seventeen. The
// C library has asked the processor already (asking it again costs
// microseconds in a virtual machine); the two give the same doubles.
#ifdef TALLYRIX_ASK_FOR_FMA
[[gnu::target("fma")]] bool FusedSmallPower(double base, double exponent, double& result)
{
    return SmallPower<true>(base, exponent, result);
}

const bool HasFusedMultiplyAdd = CPU_FEATURE_ACTIVE(FMA);

bool SquareOrCube(double base, double exponent, double& result)
{
    return HasFusedMultiplyAdd ? FusedSmallPower(base, exponent, result) : SmallPower(base, exponent, result);
}
#else
bool SquareOrCube(double base, double exponent, double& result) { return SmallPower(base, exponent, result); }
#endif

double ToRadians(double degrees)
{
    // One product in extended precision, rounded to double once.
    return static_cast<double>(static_cast<long double>(degrees) * PiValue * (1.0L / 180.0L));
}

bool IsInteger(double x) { return std::floor(x) == x; }

}  // namespace

std::span<const std::string_view> FunctionNameList() { return FunctionNames; }

void EvaluatorCore::Report(const char* function, const char* kind, bool showBox)
{
    const MathErrorReport report{function, kind, showBox};
    if (KeepingReports) Resumable.Reports.push_back(report);
    if (Reporter) Reporter(report);
}

// Replaces the argument in v by the function's value; false when the
// engine's own check refuses the argument.
bool EvaluatorCore::CallFunction(int function, double& v)
{
    if (const char* message = DomainMessage(function, v)) {
        Fail(message);
        return false;
    }
    ApplyFunction(function, v, v);
    return true;
}

void EvaluatorCore::ApplyFunction(int function, double a, double& result)
{
    switch (function) {
        case Sqrt:
            result = std::sqrt(a);
            break;
        case Log:
            result = std::log(a);
            break;
        case Log10:
            result = std::log10(a);
            break;
        case Abs:
            result = std::fabs(a);
            break;
        case Ceil:
            result = std::ceil(a);
            break;
        case Floor:
            result = std::floor(a);
            break;
        case Tanh:
            result = std::tanh(a);
            break;
        case Step:
            result = a >= 0 ? 1.0 : 0.0;
            break;
        case Exp:
            result = std::exp(a);
            if (std::isinf(result)) {
                Report("exp", "OVERFLOW", true);
            } else if (result < DBL_MIN && !std::isnan(result)) {
                Report("exp", "UNDERFLOW", false);
                result = 0.0;
            }
            break;
        case Sinh:
            result = std::sinh(a);
            if (std::isinf(result)) Report("sinh", "OVERFLOW", true);
            break;
        case Cosh:
            result = std::cosh(a);
            if (std::isinf(result)) Report("cosh", "OVERFLOW", true);
            break;
        case Sin:
        case Cos:
        case Tan: {
            const double x = Out.Radians ? a : ToRadians(a);
            if (std::fabs(x) >= TotalLossLimit) {
                Report(FunctionNames[function].data(), "TLOSS", false);
                result = NotANumber;
            } else {
                result = function == Sin ? std::sin(x) : function == Cos ? std::cos(x) : std::tan(x);
            }
            break;
        }
        case Asin:
        case Acos:
        case Atan:
            result = function == Asin ? std::asin(a) : function == Acos ? std::acos(a) : std::atan(a);
            if (!Out.Radians) result = (180.0 / PiValue) * result;
            break;
        default:
            break;
    }
}

bool EvaluatorCore::FunctionWithoutReport(int function, double argument, double& result)
{
    if (DomainMessage(function, argument) != nullptr) return false;
    switch (function) {
        case Exp:
            result = std::exp(argument);
            return !std::isinf(result) && result >= DBL_MIN;
        case Sinh:
        case Cosh:
            result = function == Sinh ? std::sinh(argument) : std::cosh(argument);
            return !std::isinf(result);
        case Sin:
        case Cos:
        case Tan:
            if (!(std::fabs(Out.Radians ? argument : ToRadians(argument)) < TotalLossLimit)) return false;
            break;
        default:
            break;
    }
    ApplyFunction(function, argument, result);
    return true;
}

bool EvaluatorCore::PowerWithoutReport(double base, double exponent, double& result)
{
    // A square or cube it answers has a finite base other than 0 and a
    // normal result.
    if (SquareOrCube(base, exponent, result)) return true;
    if (!std::isfinite(exponent) || !std::isfinite(base)) return false;
    if (exponent == 0.0 && base != 0.0) {
        result = 1.0;
        return true;
    }
    if (base == 0.0) {
        if (!(exponent > 0)) return false;
        result = 0.0;
        return true;
    }
    if (base < 0 && !IsInteger(exponent)) return false;
    const double power = std::pow(base, exponent);
    if (std::isinf(power) || std::fabs(power) < DBL_MIN) return false;
    result = power;
    return true;
}

double EvaluatorCore::RaisePower(double base, double exponent)
{
    if (double result = 0.0; PowerWithoutReport(base, exponent, result)) return result;
    // What is left reports: an infinite or NaN operand, 0 to a power that
    // is not positive, a negative base to a fraction, a result that
    // overflows or underflows; infinite or NaN bases to 0 excepted.
    if (!std::isfinite(exponent)) {
        Report("pow", "OVERFLOW", true);
        return Infinity;
    }
    // Any base but 0 raised to 0 is 1, an infinite or NaN one too.
    if (exponent == 0.0 && base != 0.0) return 1.0;
    if (!std::isfinite(base)) {
        if (exponent >= 0) {
            Report("pow", "OVERFLOW", true);
            return Infinity;
        }
        Report("pow", "UNDERFLOW", false);
        return 0.0;
    }
    if (base == 0.0) {
        Report("pow", "DOMAIN", true);
        return exponent == 0.0 ? 1.0 : Infinity;
    }
    if (base < 0 && !IsInteger(exponent)) {
        Report("pow", "DOMAIN", true);
        return NotANumber;
    }
    const double result = std::pow(base, exponent);
    if (std::isinf(result)) {
        Report("pow", "OVERFLOW", true);
        return Infinity;
    }
    if (std::fabs(result) < DBL_MIN) {
        Report("pow", "UNDERFLOW", false);
        return 0.0;
    }
    return result;
}

}  // namespace tallyrix
