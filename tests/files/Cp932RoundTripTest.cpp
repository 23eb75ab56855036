// Every double-byte character of the code page, against ICU's table of it
// (through Qt), which is independent of the glibc converter the codec uses.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QStringDecoder>

#include <string>

#include "files/TextCodec.h"

namespace tallyrix {
namespace {

// ICU's reading of the bytes as one character, or empty when it has none.
std::string IcuDecode(const std::string& bytes)
{
    QStringDecoder decoder("windows-31j", QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (text.size() != 1 || text[0] == QChar::ReplacementCharacter) return {};
    return text.toStdString();
}

// Lead bytes 0x81-0x9F and 0xE0-0xFC: 9604 characters in all (user-defined
// rows included), of which 398 are second forms of a character (the
// NEC-selected IBM rows, and NEC and IBM symbols also in row 1).
TEST(Cp932RoundTrip, EveryDoubleByteCharacter)
{
    int characters = 0;
    int secondForms = 0;
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead >= 0xA0 && lead < 0xE0) continue;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
            const std::string expected = IcuDecode(bytes);
            TextFormat format;
            const DecodedText decoded = DecodeText(bytes, format);
            if (expected.empty()) {
                EXPECT_NE(decoded.undecodableBytes, 0u) << std::hex << lead << ' ' << trail;
                continue;
            }
            ++characters;
            ASSERT_EQ(decoded.text, expected) << std::hex << lead << ' ' << trail;
            ASSERT_EQ(EncodeText(decoded.text, format), bytes) << std::hex << lead << ' ' << trail;
            secondForms += EncodeText(decoded.text, decoded.encoding) != bytes;
        }
    }
    EXPECT_EQ(characters, 9604);
    EXPECT_EQ(secondForms, 398);
}

}  // namespace
}  // namespace tallyrix
