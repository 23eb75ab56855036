// Common statements read and evaluated at once (the grammar is in
// CommonGrammar.h).
#include "engine/CommonGrammar.h"

namespace tallyrix {

bool EvaluatorCore::EvaluateCommonStatement(double& value)
{
    const char* const text = Source.data();
    Evaluating backend{*this};
    CommonGrammar<Evaluating> grammar{backend, text + SourceLength};
    const char* const after = grammar.Statement(text + (Position - 1), value);
    if (after == nullptr) return false;
    // As the general grammar leaves a statement: ";" read, the next byte
    // after it (the next token is read before anything looks at where the
    // one before the ";" ended).
    Position = static_cast<std::size_t>(after - text) + 1;
    Token = Separator;
    return true;
}

}  // namespace tallyrix
