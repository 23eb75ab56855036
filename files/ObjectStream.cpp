#include "files/ObjectStream.h"

#include <limits>

namespace tallyrix {
namespace {

constexpr std::string_view Signature = "TPF0";
constexpr int MaxListDepth = 8;

void AppendLittleEndian(std::string& bytes, std::uint32_t value, int count)
{
    for (int i = 0; i < count; ++i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void AppendShortString(std::string& bytes, std::string_view text)
{
    if (text.size() > 255) throw StyleFormatError("名前が長すぎます: " + std::string(text.substr(0, 32)));
    bytes += static_cast<char>(text.size());
    bytes += text;
}

class RecordReader {
public:
    RecordReader(std::string_view bytes, std::size_t offset) : bytes(bytes), offset(offset) {}

    // Fills record as far as the bytes go; throws at the first damage.
    void Record(ObjectRecord& record)
    {
        if (Take(Signature.size()) != Signature) Fail("記録の始まり \"TPF0\" がありません");
        record.className = ShortString();
        record.objectName = ShortString();
        for (std::string name = ShortString(); !name.empty(); name = ShortString()) {
            StreamValue value = Value(0);
            record.properties.push_back({std::move(name), std::move(value)});
        }
        if (Byte() != 0) Fail("子オブジェクトは読めません");
    }

    std::size_t Offset() const { return offset; }

private:
    [[noreturn]] void Fail(const std::string& what) const
    {
        throw StyleFormatError(what + " (" + std::to_string(offset) + " バイト目)");
    }

    std::string_view Take(std::size_t count)
    {
        if (count > bytes.size() - offset) Fail("データが途中で終わっています");
        const std::string_view taken = bytes.substr(offset, count);
        offset += count;
        return taken;
    }

    std::uint8_t Byte() { return static_cast<std::uint8_t>(Take(1)[0]); }

    std::uint32_t LittleEndian(int count)
    {
        const std::string_view raw = Take(static_cast<std::size_t>(count));
        std::uint32_t value = 0;
        for (int i = count - 1; i >= 0; --i)
            value = value << 8 | static_cast<std::uint8_t>(raw[static_cast<std::size_t>(i)]);
        return value;
    }

    std::int32_t Signed(int count)
    {
        const std::uint32_t value = LittleEndian(count);
        const std::uint32_t sign = 1u << (8 * count - 1);
        return static_cast<std::int32_t>(count == 4 ? value : (value ^ sign) - sign);
    }

    std::string ShortString() { return std::string(Take(Byte())); }

    StreamValue Value(int depth)
    {
        StreamValue value;
        value.tag = static_cast<ValueTag>(Byte());
        switch (value.tag) {
            case ValueTag::Int8:
                value.number = Signed(1);
                break;
            case ValueTag::Int16:
                value.number = Signed(2);
                break;
            case ValueTag::Int32:
                value.number = Signed(4);
                break;
            case ValueTag::String:
            case ValueTag::Identifier:
                value.text = ShortString();
                break;
            case ValueTag::LongString:
                value.text = std::string(Take(LittleEndian(4)));
                break;
            case ValueTag::False:
            case ValueTag::True:
                break;
            case ValueTag::Set:
                for (std::string name = ShortString(); !name.empty(); name = ShortString())
                    value.names.push_back(std::move(name));
                break;
            case ValueTag::List:
                if (depth >= MaxListDepth) Fail("リストの入れ子が深すぎます");
                while (bytes.substr(offset, 1) != std::string_view("\0", 1))
                    value.items.push_back(Value(depth + 1));
                Take(1);
                break;
            default:
                --offset;
                Fail("値の型 " + std::to_string(static_cast<int>(value.tag)) + " は読めません");
        }
        return value;
    }

    std::string_view bytes;
    std::size_t offset;
};

}  // namespace

ObjectRecordWriter::ObjectRecordWriter(std::string_view className, std::string_view objectName) : bytes(Signature)
{
    AppendShortString(bytes, className);
    AppendShortString(bytes, objectName);
}

void ObjectRecordWriter::Name(std::string_view name) { AppendShortString(bytes, name); }

void ObjectRecordWriter::StringValue(std::string_view text)
{
    if (text.size() <= 255) {
        bytes += static_cast<char>(ValueTag::String);
        AppendShortString(bytes, text);
        return;
    }
    if (text.size() > std::numeric_limits<std::uint32_t>::max()) throw StyleFormatError("文字列が長すぎます");
    bytes += static_cast<char>(ValueTag::LongString);
    AppendLittleEndian(bytes, static_cast<std::uint32_t>(text.size()), 4);
    bytes += text;
}

void ObjectRecordWriter::Integer(std::string_view name, std::int32_t value)
{
    Name(name);
    const auto pattern = static_cast<std::uint32_t>(value);
    if (value >= -128 && value <= 127) {
        bytes += static_cast<char>(ValueTag::Int8);
        AppendLittleEndian(bytes, pattern, 1);
    } else if (value >= -32768 && value <= 32767) {
        bytes += static_cast<char>(ValueTag::Int16);
        AppendLittleEndian(bytes, pattern, 2);
    } else {
        bytes += static_cast<char>(ValueTag::Int32);
        AppendLittleEndian(bytes, pattern, 4);
    }
}

void ObjectRecordWriter::Identifier(std::string_view name, std::string_view identifier)
{
    Name(name);
    bytes += static_cast<char>(ValueTag::Identifier);
    AppendShortString(bytes, identifier);
}

void ObjectRecordWriter::String(std::string_view name, std::string_view text)
{
    Name(name);
    StringValue(text);
}

void ObjectRecordWriter::Boolean(std::string_view name, bool value)
{
    Name(name);
    bytes += static_cast<char>(value ? ValueTag::True : ValueTag::False);
}

void ObjectRecordWriter::Set(std::string_view name, const std::vector<std::string_view>& identifiers)
{
    Name(name);
    bytes += static_cast<char>(ValueTag::Set);
    for (const std::string_view identifier : identifiers)
        AppendShortString(bytes, identifier);
    bytes += '\0';
}

void ObjectRecordWriter::StringList(std::string_view name, const std::vector<std::string>& texts)
{
    Name(name);
    bytes += static_cast<char>(ValueTag::List);
    for (const std::string& text : texts)
        StringValue(text);
    bytes += '\0';
}

std::string ObjectRecordWriter::Finish()
{
    bytes += std::string(2, '\0');  // no more properties, no child objects
    return std::move(bytes);
}

ObjectRecord ReadObjectRecord(std::string_view bytes, std::size_t& offset)
{
    std::string damage;
    ObjectRecord record = ReadObjectRecordUpToDamage(bytes, offset, damage);
    if (!damage.empty()) throw StyleFormatError(damage);
    return record;
}

ObjectRecord ReadObjectRecordUpToDamage(std::string_view bytes, std::size_t& offset, std::string& damage)
{
    RecordReader reader(bytes, offset);
    ObjectRecord record;
    try {
        reader.Record(record);
        offset = reader.Offset();
        damage.clear();
    } catch (const StyleFormatError& error) {
        damage = error.what();
    }
    return record;
}

}  // namespace tallyrix
