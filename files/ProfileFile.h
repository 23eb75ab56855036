// A profile (INI) file held as its lines and edited key by key in place, the
// way Tallyrix.ini has always been read and written: sections in square
// brackets, one "key=value" line per key, comment lines starting with ";".
//
// Reading follows the classic profile functions:
// - section and key names match without regard to ASCII case; the first
//   match wins;
// - a value is trimmed of blanks, and one pair of surrounding quotes (" or ')
//   is removed;
// - text is cut at MaxProfileTextLength characters;
// - integers are decimal with an optional sign, or hexadecimal after "0x"
//   or "0X" (a 32-bit pattern, so "0x80000005" is -2147483643); anything
//   else, or an absent key, gives the caller's default.
// Writing replaces the first line of the key, adds a new key after the last
// key of its section, and a new section at the end of the file; every other
// line, comments included, stays as it was. The file is written as UTF-8
// with CR LF line ends (with a byte-order mark when it had one); older files
// in code page 932 are read too.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/TextCodec.h"

namespace tallyrix {

inline constexpr std::size_t MaxProfileTextLength = 2047;  // characters, not bytes

// The value of an integer key, or nothing when the text is not one.
std::optional<int> ParseProfileInteger(std::string_view text);

class ProfileFile {
public:
    ProfileFile() = default;
    static ProfileFile FromBytes(std::string_view bytes);
    std::string ToBytes() const;
    // Bytes of the file that no encoding could read; writing the file back
    // would lose them.
    std::size_t UndecodableBytes() const { return undecodableBytes; }

    // The value, or nothing when the section or the key is absent.
    std::optional<std::string> ReadText(std::string_view section, std::string_view key) const;
    std::string ReadText(std::string_view section, std::string_view key, const std::string& fallback) const;
    int ReadInteger(std::string_view section, std::string_view key, int fallback) const;
    // An integer; any value but 0 is true.
    bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

    // A value is written up to its first line break, which the file could
    // not hold; it is quoted when reading would otherwise trim or unquote it.
    void WriteText(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

private:
    struct SectionRange {
        std::size_t header;
        std::size_t end;  // one past its last line
    };
    std::optional<SectionRange> FindSection(std::string_view section) const;
    std::optional<std::size_t> FindKey(const SectionRange& range, std::string_view key) const;

    std::vector<std::string> lines;
    TextEncoding encoding = TextEncoding::Utf8;
    std::size_t undecodableBytes = 0;
};

}  // namespace tallyrix
