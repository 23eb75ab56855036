// The caller's side of the engine: each call is handed to the machinery in
// EvaluatorCore, which reads this object's inputs and writes its outcome.
#include <algorithm>

#include "engine/EvaluatorCore.h"

namespace tallyrix {

Evaluator::Evaluator(MathErrorReporter reporter) : Core(std::make_unique<EvaluatorCore>(*this, std::move(reporter))) {}

Evaluator::~Evaluator() = default;

void Evaluator::Evaluate(std::string_view text) { Core->Evaluate(text); }

void Evaluator::UseCompiled(const CompiledStatements& compiled, std::size_t count)
{
    Core->PendingCompiled = &compiled;
    Core->PendingCompiledCount = count;
}

void Evaluator::ResetVariables(int n) { Core->ResetVariables(n); }

bool Evaluator::EvaluateResuming(std::string text, int base, std::size_t slice)
{
    return Core->EvaluateResuming(std::make_shared<const std::string>(std::move(text)), base, slice);
}

bool Evaluator::EvaluateResuming(std::shared_ptr<const std::string> text, int base, std::size_t slice)
{
    return Core->EvaluateResuming(std::move(text), base, slice);
}

bool Evaluator::ContinueResuming(std::size_t slice) { return Core->ContinueResuming(slice); }

const std::string& Evaluator::ResumedText() const { return *Core->Resumable.Text; }

bool Evaluator::RegisterConstant(std::string_view name, double value) { return Core->RegisterConstant(name, value); }

bool Evaluator::IsDefined(std::string_view name) const { return Core->IsDefined(name); }

std::size_t Evaluator::StoresInto(std::string_view name) const
{
    const int found = Core->FindVariable(name);
    if (found < 0) return 0;
    const auto entry = static_cast<std::uint32_t>(found);
    const auto& stores = Core->Resumable.Stores;
    return static_cast<std::size_t>(
        std::count_if(stores.begin(), stores.end(), [entry](const auto& store) { return store.entry == entry; }));
}

void Evaluator::RestateVariableList() { Core->RestateVariableList(); }

int Evaluator::VariableCount() const { return Core->VariableCount_; }

std::vector<NamedValue> Evaluator::Variables() const
{
    std::vector<NamedValue> entries;
    entries.reserve(static_cast<std::size_t>(Core->VariableCount_));
    for (int i = 0; i < Core->VariableCount_; ++i) {
        const EvaluatorCore::Variable& entry = Core->Variables[i];
        entries.push_back({std::string(entry.name, entry.length), entry.value});
    }
    return entries;
}

void Evaluator::SetReporter(MathErrorReporter reporter) { Core->Reporter = std::move(reporter); }

}  // namespace tallyrix
