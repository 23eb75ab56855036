// Compiling common statements, and running them in the evaluator.
#include "engine/CompiledStatements.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "engine/CommonGrammar.h"

namespace tallyrix {

namespace {

// Values a statement holds at once; deeper ones are read from the text.
constexpr int StackLimit = 256;
// Every operation takes at least a byte of the text, a statement at least
// two; the room for one piece is bounded all the same (it is address space
// until it is used).
constexpr std::size_t MaxOperations = std::size_t{1} << 20;
constexpr std::size_t MaxStatements = std::size_t{1} << 19;
constexpr std::size_t NameSlotCount = 4096;
constexpr std::size_t MaxNames = NameSlotCount / 2;
static_assert(MaxNames <= 0x10000, "a name's index is held in 16 bits");

}  // namespace

// The backend that writes the operations down, keeping count of the values
// they will have on the stack.
struct CompiledStatements::Compiling {
    struct Value {};
    CompiledStatements& into;
    std::int32_t target = -1;
    int height = 0;

    bool Put(Code code, std::uint8_t function = 0, std::uint16_t name = 0)
    {
        if (into.OperationCount == into.OperationCapacity) return false;
        into.Operations[into.OperationCount++] = {code, function, name};
        return true;
    }
    bool Push(Code code, std::uint16_t name = 0) { return ++height <= StackLimit && Put(code, 0, name); }
    // A right operand that is a literal or a variable, just written, is
    // taken into the operation.
    bool Binary(Code code)
    {
        --height;
        if (into.OperationCount > 0) {
            Operation& last = into.Operations[into.OperationCount - 1];
            if (last.code == Code::Literal || last.code == Code::Variable) {
                last.code = static_cast<Code>(static_cast<int>(code) + (last.code == Code::Literal ? 1 : 2));
                return true;
            }
        }
        return Put(code);
    }
    std::int32_t Index(const common::NameRef& name)
    {
        return into.NameIndex(name.text, name.length, name.word, name.hash);
    }
    // There are never more literals than operations.
    bool Literal(Value&, double number)
    {
        if (!Push(Code::Literal)) return false;
        into.Literals[into.LiteralCount++] = number;
        return true;
    }
    bool Variable(Value&, const common::NameRef& name)
    {
        const std::int32_t index = Index(name);
        return index >= 0 && Push(Code::Variable, static_cast<std::uint16_t>(index));
    }
    bool Function(int function, Value&) { return Put(Code::Function, static_cast<std::uint8_t>(function)); }
    bool Negate(Value&) { return Put(Code::Negate); }
    bool Modulo(Value&, const Value&) { return Binary(Code::Modulo); }
    bool Raise(Value&, const Value&) { return Binary(Code::Raise); }
    bool Factorial(Value&) { return Put(Code::Factorial); }
    bool Multiply(Value&, const Value&) { return Binary(Code::Multiply); }
    bool Divide(Value&, const Value&) { return Binary(Code::Divide); }
    bool Add(Value&, const Value&) { return Binary(Code::Add); }
    bool Subtract(Value&, const Value&) { return Binary(Code::Subtract); }
    bool Target(const common::NameRef& name)
    {
        target = Index(name);
        return target >= 0;
    }
    void Complete(const Value&) const {}
};

void CompiledStatements::Prepare(std::size_t bytes)
{
    const std::size_t operations = std::min(bytes, MaxOperations);
    const std::size_t statements = std::min(bytes / 2 + 1, MaxStatements);
    // Left uninitialised: only what is compiled is ever written or read.
    if (operations > OperationCapacity) {
        Operations = std::make_unique_for_overwrite<Operation[]>(operations);
        Literals = std::make_unique_for_overwrite<double[]>(operations);
        OperationCapacity = operations;
    }
    if (statements > StatementCapacity) {
        Statements = std::make_unique_for_overwrite<Statement[]>(statements);
        StatementCapacity = statements;
    }
    if (!Names) Names = std::make_unique_for_overwrite<Name[]>(MaxNames);
    OperationCount = LiteralCount = StatementCount = NameCount = 0;
    NameSlots.assign(NameSlotCount, -1);
}

std::int32_t CompiledStatements::NameIndex(const char* text, std::size_t length, std::uint64_t word, std::uint32_t hash)
{
    for (std::size_t slot = hash;; ++slot) {
        std::int32_t& index = NameSlots[slot % NameSlotCount];
        if (index < 0) {
            if (NameCount == MaxNames) return -1;
            Names[NameCount] = {text, static_cast<std::uint32_t>(length), hash, word};
            index = static_cast<std::int32_t>(NameCount++);
            return index;
        }
        // Words of names up to eight bytes hold the whole name.
        if (Names[index].word == word && Names[index].length == length) return index;
    }
}

bool CompiledStatements::Compile(std::string_view text, std::size_t start)
{
    if (start == 0 || text.size() > std::numeric_limits<std::uint32_t>::max() || StatementCount == StatementCapacity ||
        !Operations) {
        return false;
    }
    const std::size_t first = OperationCount;
    const std::size_t firstLiteral = LiteralCount;
    Compiling backend{*this};
    EvaluatorCore::CommonGrammar<Compiling> grammar{backend, text.data() + text.size() - 1};
    Compiling::Value value;
    const char* const after = grammar.Statement(text.data() + start, value);
    if (after == nullptr) {
        OperationCount = first;
        LiteralCount = firstLiteral;
        return false;
    }
    Statements[StatementCount++] = {
        static_cast<std::uint32_t>(start),        static_cast<std::uint32_t>(after - text.data() - 1),
        static_cast<std::uint32_t>(first),        static_cast<std::uint32_t>(OperationCount - first),
        static_cast<std::uint32_t>(firstLiteral), backend.target};
    return true;
}

std::size_t CompiledStatements::NextStart(std::string_view text, std::size_t from)
{
    if (from + 1 >= text.size()) return std::string_view::npos;
    const void* found = std::memchr(text.data() + from, ';', text.size() - 1 - from);
    if (found == nullptr) return std::string_view::npos;
    return static_cast<std::size_t>(static_cast<const char*>(found) - text.data()) + 1;
}

void CompiledStatements::CompileAll(std::string_view text)
{
    Prepare(text.size());
    for (std::size_t start = NextStart(text, 0); start != std::string_view::npos; start = NextStart(text, start))
        Compile(text, start);
}

void EvaluatorCore::UseCompiled(const CompiledStatements* compiled, std::size_t count)
{
    Compiled = compiled;
    // count is the caller's: more statements may be being added meanwhile.
    CompiledCount = compiled != nullptr ? count : 0;
    CompiledNext = 0;
    if (CompiledCount != 0) CompiledEntries.assign(MaxNames, -1);
}

int EvaluatorCore::CompiledEntry(std::uint32_t index)
{
    // Found once; a name not in the table is looked for again, as a
    // statement read from the text may have added it since.
    int& entry = CompiledEntries[index];
    if (entry < 0) {
        const CompiledStatements::Name& name = Compiled->Names[index];
        entry = FindVariable(std::string_view(name.text, name.length), name.hash, name.word);
    }
    return entry;
}

EvaluatorCore::CompiledOutcome EvaluatorCore::RunCompiledStatement(double& value)
{
    const std::size_t start = Position - 1;
    while (CompiledNext < CompiledCount && Compiled->Statements[CompiledNext].start < start)
        ++CompiledNext;
    if (CompiledNext == CompiledCount || Compiled->Statements[CompiledNext].start != start) {
        return CompiledOutcome::Absent;
    }
    const CompiledStatements::Statement& statement = Compiled->Statements[CompiledNext++];
    if (!RunOperations(statement, value)) return CompiledOutcome::Left;
    Position = statement.end + 2;
    Token = Separator;
    return CompiledOutcome::Evaluated;
}

// The value on top of the stack is held apart, in a register: most
// operations work on it, with the value below it or their own operand.
bool EvaluatorCore::RunOperations(const CompiledStatements::Statement& statement, double& value)
{
    using Code = CompiledStatements::Code;
    using Operation = CompiledStatements::Operation;
    Evaluating arithmetic{*this};
    double below[StackLimit];
    double* next = below;  // where the value under the top goes
    double top = 0.0;
    const double* literal = &Compiled->Literals[statement.literals];
    const auto variable = [this, &arithmetic](const Operation& operation, double& v) {
        int entry = CompiledEntries[operation.name];
        if (entry < 0) entry = CompiledEntry(operation.name);
        return arithmetic.VariableAt(v, entry);
    };
    const auto operate = []<Code kind>(double& left, double right) {
        if constexpr (kind == Code::Modulo) return Evaluating::Modulo(left, right);
        if constexpr (kind == Code::Raise) return Evaluating::Raise(left, right);
        if constexpr (kind == Code::Multiply) return Evaluating::Multiply(left, right);
        if constexpr (kind == Code::Divide) return Evaluating::Divide(left, right);
        if constexpr (kind == Code::Add) return Evaluating::Add(left, right);
        if constexpr (kind == Code::Subtract) return Evaluating::Subtract(left, right);
    };
    // The three forms of each binary operation: the right operand below the
    // top, the operation's literal, or its variable.
    const auto binary = [&]<Code kind>(const Operation& operation, int form) {
        if (form == 0) {
            double left = *--next;
            if (!operate.template operator()<kind>(left, top)) return false;
            top = left;
            return true;
        }
        double right = 0.0;
        if (form == 1) {
            right = *literal++;
        } else if (!variable(operation, right)) {
            return false;
        }
        return operate.template operator()<kind>(top, right);
    };
    const Operation* operation = &Compiled->Operations[statement.first];
    const Operation* const last = operation + statement.count;
    for (; operation != last; ++operation) {
        bool done = true;
        switch (operation->code) {
            case Code::Literal:
                *next++ = top;
                top = *literal++;
                break;
            case Code::Variable:
                *next++ = top;
                done = variable(*operation, top);
                break;
            case Code::Function:
                done = arithmetic.Function(operation->function, top);
                break;
            case Code::Negate:
                done = Evaluating::Negate(top);
                break;
            case Code::Factorial:
                done = Evaluating::Factorial(top);
                break;
            case Code::Modulo:
            case Code::ModuloLiteral:
            case Code::ModuloVariable:
                done = binary.operator()<Code::Modulo>(
                    *operation, static_cast<int>(operation->code) - static_cast<int>(Code::Modulo));
                break;
            case Code::Raise:
            case Code::RaiseLiteral:
            case Code::RaiseVariable:
                done = binary.operator()<Code::Raise>(
                    *operation, static_cast<int>(operation->code) - static_cast<int>(Code::Raise));
                break;
            case Code::Multiply:
            case Code::MultiplyLiteral:
            case Code::MultiplyVariable:
                done = binary.operator()<Code::Multiply>(
                    *operation, static_cast<int>(operation->code) - static_cast<int>(Code::Multiply));
                break;
            case Code::Divide:
            case Code::DivideLiteral:
            case Code::DivideVariable:
                done = binary.operator()<Code::Divide>(
                    *operation, static_cast<int>(operation->code) - static_cast<int>(Code::Divide));
                break;
            case Code::Add:
            case Code::AddLiteral:
            case Code::AddVariable:
                done = binary.operator()<Code::Add>(*operation,
                                                    static_cast<int>(operation->code) - static_cast<int>(Code::Add));
                break;
            case Code::Subtract:
            case Code::SubtractLiteral:
            case Code::SubtractVariable:
                done = binary.operator()<Code::Subtract>(
                    *operation, static_cast<int>(operation->code) - static_cast<int>(Code::Subtract));
                break;
        }
        if (!done) return false;
    }
    if (statement.target >= 0) {
        const auto index = static_cast<std::uint32_t>(statement.target);
        const CompiledStatements::Name& name = Compiled->Names[index];
        if (!arithmetic.TargetAt(CompiledEntry(index), std::string_view(name.text, name.length))) return false;
    }
    value = top;
    arithmetic.Complete(value);
    return true;
}

}  // namespace tallyrix
