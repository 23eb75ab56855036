#include "files/Cp932Table.h"

#include <iconv.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace tallyrix::cp932 {
namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : Handle(iconv_open(to, from))
    {
        if (Handle == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("文字コード変換を開けません: ") + from + " → " + to);
    }
    ~Converter() { iconv_close(Handle); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // The whole input converted, or an empty result when any of it fails.
    std::string Convert(const std::string& input) const
    {
        iconv(Handle, nullptr, nullptr, nullptr, nullptr);
        char buffer[16];
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        if (iconv(Handle, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0) return {};
        if (iconv(Handle, nullptr, nullptr, &out, &outLeft) == static_cast<std::size_t>(-1)) return {};
        return std::string(buffer, static_cast<std::size_t>(out - buffer));
    }

private:
    iconv_t Handle;
};

std::string BytesOf(ByteForm form)
{
    if (form < 0x100) return std::string(1, static_cast<char>(form));
    return {static_cast<char>(form >> 8), static_cast<char>(form & 0xFF)};
}

ByteForm FormOf(const std::string& bytes)
{
    if (bytes.size() == 1) return static_cast<unsigned char>(bytes[0]);
    if (bytes.size() == 2)
        return static_cast<ByteForm>(static_cast<unsigned char>(bytes[0]) << 8 | static_cast<unsigned char>(bytes[1]));
    return 0;
}

// The converter works in UTF-16BE here so that one character is one unit.
char16_t SingleUnit(const std::string& utf16)
{
    if (utf16.size() != 2) return 0;
    return static_cast<char16_t>(static_cast<unsigned char>(utf16[0]) << 8 | static_cast<unsigned char>(utf16[1]));
}

void FillDecode(Table& table, const Converter& toUnicode)
{
    for (unsigned b = 1; b < 0x100; ++b)
        table.decode[b] = SingleUnit(toUnicode.Convert(BytesOf(static_cast<ByteForm>(b))));
    // Only bytes that are not characters by themselves can lead a pair.
    for (unsigned lead = 0x81; lead < 0x100; ++lead) {
        if (table.decode[lead] != 0) continue;
        for (unsigned trail = 0x40; trail < 0x100; ++trail) {
            const auto form = static_cast<ByteForm>(lead << 8 | trail);
            table.decode[form] = SingleUnit(toUnicode.Convert(BytesOf(form)));
        }
    }
}

void FillEncode(Table& table, const Converter& fromUnicode)
{
    std::vector<std::uint8_t> formCount(0x10000);
    for (unsigned form = 1; form < 0x10000; ++form) {
        const char16_t unit = table.decode[form];
        if (unit == 0) continue;
        ++formCount[unit];
        if (table.encode[unit] != 0) continue;
        const std::string utf16{static_cast<char>(unit >> 8), static_cast<char>(unit & 0xFF)};
        const ByteForm chosen = FormOf(fromUnicode.Convert(utf16));
        // Only a form that reads back as the same character may be written.
        table.encode[unit] = (chosen != 0 && table.decode[chosen] == unit) ? chosen : static_cast<ByteForm>(form);
    }
    for (unsigned unit = 0; unit < 0x10000; ++unit)
        table.twoForms[unit] = formCount[unit] > 1;
}

std::unique_ptr<Table> BuildTable()
{
    auto table = std::make_unique<Table>();
    FillDecode(*table, Converter("UTF-16BE", "CP932"));
    FillEncode(*table, Converter("CP932", "UTF-16BE"));
    return table;
}

}  // namespace

const Table& GetTable()
{
    static const std::unique_ptr<Table> table = BuildTable();
    return *table;
}

}  // namespace tallyrix::cp932
