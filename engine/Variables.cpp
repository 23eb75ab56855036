// The variable table: pi, the registered constants, then the document's own
// variables. Entries are only ever cut off from the end by ResetVariables.
#include "engine/EvaluatorCore.h"
#include "engine/NameHash.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace tallyrix {

namespace {

constexpr const char* UndefinedName = "変数名が未定義";
constexpr const char* TooManyVariables = "変数の数が多すぎます";

}  // namespace

namespace {

// Names are short: a loop beats a call of the library's memcmp.
bool SameName(const char* stored, std::string_view name)
{
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (stored[i] != name[i]) return false;
    }
    return true;
}

}  // namespace

int EvaluatorCore::FindVariable(std::string_view name) const { return FindVariable(name, NameHash(name)); }

int EvaluatorCore::FindVariable(std::string_view name, std::uint32_t hash) const
{
    for (std::uint32_t slot = hash;; ++slot) {
        const int i = Index[slot % IndexSize];
        if (i < 0) return -1;
        const Variable& entry = Variables[i];
        if (entry.length == name.size() && SameName(entry.name, name)) return i;
    }
}

void EvaluatorCore::IndexVariable(int index)
{
    const Variable& entry = Variables[index];
    std::uint32_t slot = NameHash(std::string_view(entry.name, entry.length));
    while (Index[slot % IndexSize] >= 0)
        ++slot;
    Index[slot % IndexSize] = static_cast<std::int16_t>(index);
}

void EvaluatorCore::RebuildIndex()
{
    std::fill(std::begin(Index), std::end(Index), static_cast<std::int16_t>(-1));
    for (int i = 0; i < VariableCount_; ++i)
        IndexVariable(i);
}

bool EvaluatorCore::IsDefined(std::string_view name) const { return FindVariable(name) >= 0; }

void EvaluatorCore::AppendVariableListLine(const Variable& entry)
{
    Out.VariableList.push_back(std::string_view(entry.name, entry.length), ": ", Formatted(entry.value));
}

void EvaluatorCore::SetVariable(std::string_view name, double value) { SetVariable(name, NameHash(name), 0, value); }

void EvaluatorCore::AddVariable(std::string_view name, double value)
{
    if (VariableCount_ == VariableCapacity) return Fail(TooManyVariables);
    Variable& entry = Variables[VariableCount_++];
    std::memset(entry.name, 0, sizeof entry.name);
    std::memcpy(entry.name, name.data(), name.size());
    entry.length = static_cast<std::uint8_t>(name.size());
    entry.value = value;
    IndexVariable(VariableCount_ - 1);
    FilledCount_ = std::max(FilledCount_, VariableCount_);
    NoteStore(VariableCount_ - 1);
    AppendVariableLine(entry);
}

void EvaluatorCore::FailUndefined() { Fail(UndefinedName); }

bool EvaluatorCore::RegisterConstant(std::string_view name, double value)
{
    // Checked here rather than left to SetVariable, whose message would
    // otherwise linger in MessageText until the next completed statement.
    if (name.size() > MaxNameLength) return false;
    ForgetKeptStates();
    if (!IsDefined(name) && VariableCount_ == VariableCapacity) return false;
    SetVariable(name, value);
    return true;
}

void EvaluatorCore::RestateVariableList()
{
    ForgetKeptStates();
    Out.VariableList.clear();
    for (int i = 0; i < VariableCount_; ++i) {
        const Variable& entry = Variables[i];
        Out.VariableList.push_back(std::string_view(entry.name, entry.length), ": ", Formatted(entry.value));
    }
}

void EvaluatorCore::ResetVariables(int n)
{
    // Entries past those ever filled hold no name: never expose them.
    ForgetKeptStates();
    VariableCount_ = std::clamp(n, 0, FilledCount_);
    RebuildIndex();
    Out.StatementCount = 0;
    Out.VariableList.truncate(static_cast<std::size_t>(VariableCount_));
}

}  // namespace tallyrix
