#include "document/NameHover.h"

#include "engine/DigitGrouping.h"

#include <array>
#include <utility>

namespace tallyrix {

namespace {

// The built-in constant the engine stores before anything else.
constexpr std::string_view BuiltInConstant = "pi";

// clang-format off
constexpr std::array<std::pair<std::string_view, std::string_view>, 17> FunctionDescriptions{{
    {"sqrt",  "平方根"},
    {"exp",   "指数関数 (eのx乗)"},
    {"log",   "自然対数"},
    {"log10", "常用対数"},
    {"abs",   "絶対値"},
    {"sin",   "正弦 (角度モードに従う)"},
    {"cos",   "余弦 (角度モードに従う)"},
    {"tan",   "正接 (角度モードに従う)"},
    {"asin",  "逆正弦 (結果は角度モードに従う)"},
    {"acos",  "逆余弦 (結果は角度モードに従う)"},
    {"atan",  "逆正接 (結果は角度モードに従う)"},
    {"ceil",  "切り上げ (x以上の最小の整数)"},
    {"floor", "切り捨て (x以下の最大の整数)"},
    {"sinh",  "双曲線正弦"},
    {"cosh",  "双曲線余弦"},
    {"tanh",  "双曲線正接"},
    {"step",  "ステップ関数 (x≧0で1、負で0)"},
}};
// clang-format on

}  // namespace

std::string_view FunctionDescription(std::string_view name)
{
    for (const auto& [function, description] : FunctionDescriptions) {
        if (function == name) return description;
    }
    return {};
}

std::optional<StoredValue> LastValueOf(const Evaluator& engine, std::string_view name)
{
    for (const NamedValue& entry : engine.Variables()) {
        if (entry.name == name) return StoredValue{FormatNumber(entry.value), engine.StoresInto(name)};
    }
    return std::nullopt;
}

std::string HoverText(std::string_view name, const std::optional<StoredValue>& stored,
                      const std::optional<RegisteredNote>& registered, bool grouped)
{
    if (const std::string_view description = FunctionDescription(name); !description.empty())
        return std::string(name) + ": " + std::string(description);
    if (!stored) return "未定義";
    std::string text = std::string(name) + " = " + (grouped ? GroupDigits(stored->value) : stored->value);
    if (stored->stores > 1) text += " (" + std::to_string(stored->stores) + "回代入)";
    if (registered) text += registered->comment.empty() ? "\n登録定数" : "\n登録定数: " + registered->comment;
    return text;
}

JumpTarget FindJumpTarget(const NameSites& sites, const NameToken& name,
                          const std::optional<RegisteredNote>& registered)
{
    const std::string_view spelling = sites.Spelling(name);
    if (!FunctionDescription(spelling).empty()) return {JumpTarget::Kind::BuiltIn};
    if (const AssignmentSite* site = sites.LastAssignmentBefore(spelling, name.offset))
        return {JumpTarget::Kind::Statement, site->statementFrom, site->statementTo};
    if (registered) return {JumpTarget::Kind::RegisteredEntry, 0, 0, registered->entry};
    if (spelling == BuiltInConstant) return {JumpTarget::Kind::BuiltIn};
    return {};
}

}  // namespace tallyrix
