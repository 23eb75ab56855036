// Every double-byte character of the code page, against the system converter.
#include <gtest/gtest.h>

#include <iconv.h>

#include <string>

#include "files/TextCodec.h"

namespace tallyrix {
namespace {

std::string Pair(unsigned lead, unsigned trail) { return {static_cast<char>(lead), static_cast<char>(trail)}; }

// What glibc makes of the bytes, or empty when it refuses them.
std::string SystemDecode(const std::string& bytes)
{
    static const iconv_t handle = iconv_open("UTF-8", "CP932");
    iconv(handle, nullptr, nullptr, nullptr, nullptr);
    char buffer[16];
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    if (iconv(handle, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1))
        return {};
    return std::string(buffer, static_cast<std::size_t>(out - buffer));
}

// Lead bytes 0x81-0x9F and 0xE0-0xFC: 9604 characters in all, of which 398
// are second forms of a character (the NEC-selected IBM rows, and NEC and
// IBM symbols also in row 1).
TEST(Cp932RoundTrip, EveryDoubleByteCharacter)
{
    int characters = 0;
    int secondForms = 0;
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead >= 0xA0 && lead < 0xE0)
            continue;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string bytes = Pair(lead, trail);
            const std::string expected = SystemDecode(bytes);
            if (expected.empty())
                continue;
            ++characters;
            Cp932Spelling spelling;
            const DecodedText decoded = DecodeText(bytes, spelling);
            ASSERT_EQ(decoded.text, expected) << std::hex << lead << trail;
            ASSERT_EQ(decoded.undecodableBytes, 0u);
            ASSERT_EQ(EncodeText(decoded.text, decoded.encoding, spelling), bytes) << std::hex << lead << trail;
            secondForms += EncodeText(decoded.text, decoded.encoding) != bytes;
        }
    }
    EXPECT_EQ(characters, 9604);
    EXPECT_EQ(secondForms, 398);
}

}  // namespace
}  // namespace tallyrix
