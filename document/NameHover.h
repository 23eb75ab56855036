// What the editor tells about a name: the tooltip of a resting pointer and
// the target of a jump to its assignment. Values come from the last
// calculation; nothing is evaluated for them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "document/NameSites.h"
#include "engine/Eval.h"

namespace tallyrix {

// "平方根" for "sqrt"; empty for a name that is no built-in function.
std::string_view FunctionDescription(std::string_view name);

// What the last calculation left in a name: its value as the variables
// list spells it and how many stores the document made (those of pi and the
// registered constants before it not counted); none when the engine's table
// does not hold the name.
struct StoredValue {
    std::string value;
    std::size_t stores = 0;
};
std::optional<StoredValue> LastValueOf(const Evaluator& engine, std::string_view name);

// A registered constant: the index of its line and the comment it carries.
struct RegisteredNote {
    std::size_t entry = 0;
    std::string comment;
};

// "a = 12.5663706143592", "a = 3 (3回代入)", "sqrt: 平方根", "未定義"; a
// registered constant adds a line "登録定数: comment". grouped: the value
// with its digits grouped, as the side pane shows it then.
std::string HoverText(std::string_view name, const std::optional<StoredValue>& stored,
                      const std::optional<RegisteredNote>& registered, bool grouped = false);

// Where a jump from a name at place leads: the statement of its last
// assignment before that place, else its registered entry. A function name
// and pi lead nowhere and are no error; any other name is undefined there.
struct JumpTarget {
    enum class Kind { Undefined, Statement, RegisteredEntry, BuiltIn };
    Kind kind = Kind::Undefined;
    std::size_t from = 0;  // the statement, for Statement
    std::size_t to = 0;
    std::size_t entry = 0;  // for RegisteredEntry
    friend bool operator==(const JumpTarget&, const JumpTarget&) = default;
};
JumpTarget FindJumpTarget(const NameSites& sites, const NameToken& name,
                          const std::optional<RegisteredNote>& registered);

}  // namespace tallyrix
