// Common statements read ahead of their evaluation, possibly on another
// thread, and written down as operations on a stack of values. Running them
// then costs the evaluation a fraction of reading the text: the scanning,
// the conversion of literals and the grammar's decisions are done.
//
// What is compiled is exactly what the common grammar would read at the
// same place of the same text, and running it does the common grammar's
// arithmetic with its checks, so a compiled statement either gives the value
// and store the common grammar would, or is left to the general grammar as
// a whole, as the common grammar would leave it. A statement that begins
// where no compiled statement does is read from the text as ever.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace tallyrix {

class EvaluatorCore;

class CompiledStatements {
public:
    // Room for the statements of a text of up to bytes bytes; forgets the
    // statements held. Nothing else allocates, so the statements already
    // compiled stay where they are while more are added.
    void Prepare(std::size_t bytes);
    // Compiles the statement that begins at text[start], text being what the
    // evaluator will be given, of which the first and the last byte are
    // never read here: while a streamed evaluation compiles a piece ahead,
    // its last byte becomes the end marker of this piece and its first that
    // of the piece before. Statements must come in the order of their starts.
    // False, adding no statement, for one the common grammar would not read
    // or when the room is used up.
    bool Compile(std::string_view text, std::size_t start);
    // Where the statement after the first ";" from text[from] on begins (the
    // last byte of text not read); npos when there is none. Every ";" ends a
    // statement, and the evaluator tries a compiled one after each.
    static std::size_t NextStart(std::string_view text, std::size_t from);
    // Prepare, then Compile for every statement after a ";" of text.
    void CompileAll(std::string_view text);
    std::size_t Count() const { return StatementCount; }

private:
    friend class EvaluatorCore;

    // A binary operation takes its right operand from the stack, or, where
    // that is a literal or a variable, from the operation itself (its
    // Literal and Variable forms follow it). The literals are kept apart,
    // in the order their operations are run: an operation is four bytes.
    enum class Code : std::uint8_t {
        Literal,
        Variable,
        Function,
        Negate,
        Factorial,
        Modulo,
        ModuloLiteral,
        ModuloVariable,
        Raise,
        RaiseLiteral,
        RaiseVariable,
        Multiply,
        MultiplyLiteral,
        MultiplyVariable,
        Divide,
        DivideLiteral,
        DivideVariable,
        Add,
        AddLiteral,
        AddVariable,
        Subtract,
        SubtractLiteral,
        SubtractVariable,
    };
    struct Operation {
        Code code;
        std::uint8_t function;
        std::uint16_t name;  // Variable forms: the index into Names
    };
    struct Statement {
        std::uint32_t start;  // where it begins in the text, and
        std::uint32_t end;    // where its ";" is
        std::uint32_t first;  // its operations, from Operations[first]
        std::uint32_t count;
        std::uint32_t literals;  // its literals, from Literals[literals]
        std::int32_t target;     // the index into Names of the name assigned, or -1
    };
    struct Name {
        const char* text;
        std::uint32_t length;
        std::uint32_t hash;
        std::uint64_t word;
    };
    struct Compiling;
    // The index into Names of a name, added when new; -1 when there is no room.
    std::int32_t NameIndex(const char* text, std::size_t length, std::uint64_t word, std::uint32_t hash);

    std::unique_ptr<Operation[]> Operations;
    std::unique_ptr<double[]> Literals;
    std::unique_ptr<Statement[]> Statements;
    std::unique_ptr<Name[]> Names;
    std::size_t OperationCapacity = 0;
    std::size_t StatementCapacity = 0;
    std::size_t OperationCount = 0;
    std::size_t LiteralCount = 0;
    std::size_t StatementCount = 0;
    std::size_t NameCount = 0;
    std::vector<std::int32_t> NameSlots;  // open addressing over Names, -1 = empty
};

}  // namespace tallyrix
