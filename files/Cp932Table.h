// Code page 932 as lookup tables, built once from glibc's "CP932" converter,
// so that decoding, encoding and length counting never call iconv per
// character.
//
// glibc's CP932 reads bytes as Microsoft's table does (0x5C is "\", 0x815F
// "＼", 0x8740 "①", the 0xED/0xEE and 0xFA-0xFC rows, the user-defined rows
// as U+E000-U+E757). It refuses the single bytes 0x80, 0xA0 and 0xFD-0xFF,
// which the codec keeps as byte escapes. Its encoder also takes one-way
// mappings (U+00A5 → 0x5C, U+2212 → 0x817C, U+301C → 0x8160, ...) and
// silently drops U+E0000-U+E007F; the encode table therefore holds only
// forms that read back as the same character.
#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tallyrix::cp932 {

// A byte form: a single byte b is b (0x01-0xFF), a double-byte character is
// lead << 8 | trail. 0 means "none".
using ByteForm = std::uint16_t;

struct Table {
    // Byte form → code point, 0 when the bytes are not a character. Single
    // bytes and byte pairs never share an index: every lead byte is ≥ 0x81.
    std::vector<char16_t> decode = std::vector<char16_t>(0x10000);
    // Code point → the byte form the converter itself writes (the one
    // Windows writes), 0 when the code point is not in the code page or would
    // not read back as itself.
    std::vector<ByteForm> encode = std::vector<ByteForm>(0x10000);
    // Code points that more than one byte pair reads as: the NEC and IBM
    // extension rows hold some characters twice.
    std::bitset<0x10000> twoForms;
};

// Throws std::runtime_error when the converter is missing.
const Table& GetTable();

// The character that starts at bytes[at]: a pair when the two bytes are one
// character, else a single byte. A byte that starts no character is read
// alone, with valid false.
struct Character {
    bool valid = false;
    char16_t unit = 0;
    ByteForm form = 0;
    std::size_t length = 1;
};
inline Character ReadCharacter(const Table& table, std::string_view bytes, std::size_t at)
{
    const auto b = static_cast<unsigned char>(bytes[at]);
    if (b < 0x80) return {true, b, b, 1};
    if (at + 1 < bytes.size()) {
        const auto pair = static_cast<ByteForm>(b << 8 | static_cast<unsigned char>(bytes[at + 1]));
        if (table.decode[pair] != 0) return {true, table.decode[pair], pair, 2};
    }
    return {table.decode[b] != 0, table.decode[b], b, 1};
}

}  // namespace tallyrix::cp932
