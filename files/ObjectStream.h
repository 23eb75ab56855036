// One object record of the binary object stream that EditorStyle.dat is made
// of: the signature "TPF0", the class name and the object name (one length
// byte each), properties until an empty name, and an empty list of child
// objects. A property is its name (one length byte; nested names spelled with
// a dot, "Font.Name") and a value: a type tag and its data, integers little
// endian.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tallyrix {

// Bytes that are not the record expected; the text says what and where.
class StyleFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class ValueTag : std::uint8_t {
    List = 1,  // values until a zero byte
    Int8 = 2,
    Int16 = 3,
    Int32 = 4,
    String = 6,      // one length byte
    Identifier = 7,  // one length byte
    False = 8,
    True = 9,
    Set = 11,         // identifiers until an empty one
    LongString = 12,  // four length bytes
};

struct StreamValue {
    ValueTag tag = ValueTag::False;
    std::int32_t number = 0;         // the integers
    std::string text;                // strings and identifiers
    std::vector<std::string> names;  // a set
    std::vector<StreamValue> items;  // a list
};

struct StreamProperty {
    std::string name;
    StreamValue value;
};

struct ObjectRecord {
    std::string className;
    std::string objectName;
    std::vector<StreamProperty> properties;
};

// Builds one record property by property.
class ObjectRecordWriter {
public:
    ObjectRecordWriter(std::string_view className, std::string_view objectName);

    void Integer(std::string_view name, std::int32_t value);  // in the fewest bytes
    void Identifier(std::string_view name, std::string_view identifier);
    void String(std::string_view name, std::string_view text);
    void Boolean(std::string_view name, bool value);
    void Set(std::string_view name, const std::vector<std::string_view>& identifiers);
    void StringList(std::string_view name, const std::vector<std::string>& texts);

    // The record, ended; the writer is spent.
    std::string Finish();

private:
    void Name(std::string_view name);
    void StringValue(std::string_view text);

    std::string bytes;
};

// Reads the record that starts at offset and moves offset past it. Throws
// StyleFormatError, never reading beyond the bytes; lists nest at most a few
// levels deep.
ObjectRecord ReadObjectRecord(std::string_view bytes, std::size_t& offset);

// The same without throwing: the record as far as it could be read, with
// damage saying what stopped it (empty when the record is whole); offset
// then stays where the record began.
ObjectRecord ReadObjectRecordUpToDamage(std::string_view bytes, std::size_t& offset, std::string& damage);

}  // namespace tallyrix
