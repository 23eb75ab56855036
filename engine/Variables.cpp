// The variable table: pi, the registered constants, then the document's own
// variables. Entries are only ever cut off from the end by ResetVariables.
#include "engine/Eval.h"

#include <cstring>

namespace tallyrix {

namespace {

constexpr const char* UndefinedName = "変数名が未定義";
constexpr const char* TooManyVariables = "変数の数が多すぎます";

}  // namespace

int Evaluator::FindVariable(std::string_view name) const {
    // Names are unique in the table, so the first match is the only one.
    for (int i = 0; i < VariableCount_; ++i) {
        const Variable& entry = Variables[i];
        if (entry.length == name.size() && std::memcmp(entry.name, name.data(), name.size()) == 0) {
            return i;
        }
    }
    return -1;
}

bool Evaluator::IsDefined(std::string_view name) const { return FindVariable(name) >= 0; }

void Evaluator::AppendVariableLine(const Variable& entry) {
    char buffer[FormatBufferSize];
    const std::size_t length = FormatNumberTo(entry.value, buffer);
    std::string line;
    line.reserve(entry.length + 2 + length);
    line.append(entry.name, entry.length).append(": ").append(buffer, length);
    VariableList.push_back(std::move(line));
}

void Evaluator::SetVariable(std::string_view name, double value) {
    const int found = FindVariable(name);
    if (found >= 0) {
        Variables[found].value = value;
        AppendVariableLine(Variables[found]);
        return;
    }
    if (VariableCount_ == VariableCapacity) return Fail(TooManyVariables);
    Variable& entry = Variables[VariableCount_++];
    std::memcpy(entry.name, name.data(), name.size());
    entry.name[name.size()] = '\0';
    entry.length = static_cast<std::uint8_t>(name.size());
    entry.value = value;
    AppendVariableLine(entry);
}

bool Evaluator::GetVariable(std::string_view name, double& value) {
    const int found = FindVariable(name);
    if (found < 0) {
        Fail(UndefinedName);
        return false;
    }
    value = Variables[found].value;
    return true;
}

bool Evaluator::RegisterConstant(std::string_view name, double value) {
    // Checked here rather than left to SetVariable, whose message would
    // otherwise linger in MessageText until the next completed statement.
    if (name.size() > MaxNameLength) return false;
    if (!IsDefined(name) && VariableCount_ == VariableCapacity) return false;
    SetVariable(name, value);
    return true;
}

void Evaluator::ResetVariables(int n) {
    VariableCount_ = n;
    StatementCount = 0;
    if (VariableList.size() > static_cast<std::size_t>(n)) VariableList.resize(static_cast<std::size_t>(n));
}

}  // namespace tallyrix
