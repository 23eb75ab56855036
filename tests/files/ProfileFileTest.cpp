// The profile file: values read as the settings expect them, and edits that
// leave every other line of a hand-kept file alone.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "files/ProfileFile.h"
#include "files/TextCodec.h"

namespace tallyrix {
namespace {

ProfileFile OneKey(const std::string& value) { return ProfileFile::FromBytes("[FORM]\r\nkey=" + value + "\r\n"); }

TEST(ProfileFileTest, IntegersReadAsDecimalOrHexadecimal)
{
    const struct {
        std::string text;
        int expected;
    } cases[] = {
        {"42", 42},
        {"-42", -42},
        {"+5", 5},
        {"  12  ", 12},
        {"000000000000012", 12},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"0x1F", 31},
        {"0X1f", 31},
        {"0x80000005", -2147483643},
        {"0xFFFFFFFF", -1},
        {"-0x10", -16},
        {"\"77\"", 77},
        // unreadable: the default, 7
        {"", 7},
        {"abc", 7},
        {"12abc", 7},
        {"1.5", 7},
        {"-", 7},
        {"0x", 7},
        {"0xG1", 7},
        {"0x123456789", 7},
        {"-0x80000001", 7},
        {"2147483648", 7},
        {"-2147483649", 7},
        {"99999999999999999999", 7},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OneKey(c.text).ReadInteger("FORM", "key", 7), c.expected) << '"' << c.text << '"';
}

TEST(ProfileFileTest, BooleansAreIntegersAndAnyNonZeroIsTrue)
{
    const struct {
        std::string text;
        bool fallback;
        bool expected;
    } cases[] = {
        {"1", false, true},   {"0", true, false},    {"2", false, true},  {"-1", false, true},
        {"0x0", true, false}, {"yes", false, false}, {"yes", true, true}, {"", true, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OneKey(c.text).ReadBool("FORM", "key", c.fallback), c.expected) << '"' << c.text << '"';
}

TEST(ProfileFileTest, LookupIgnoresCaseAndTakesTheFirstMatch)
{
    const ProfileFile profile = ProfileFile::FromBytes(
        "top=0\r\n"
        "; iFormTop=1\r\n"
        "[other]\r\niFormTop=2\r\n"
        "[ form ]\r\n  IFORMTOP = 3 \r\nnot a key\r\niformtop=4\r\n"
        "[Form]\r\niFormTop=5\r\n");
    EXPECT_EQ(profile.ReadInteger("FORM", "iFormTop", -1), 3);
    EXPECT_EQ(profile.ReadInteger("FORM", "top", -1), -1);  // before any section
    EXPECT_EQ(profile.ReadInteger("Missing", "iFormTop", -1), -1);
    EXPECT_EQ(profile.ReadText("FORM", "absent"), std::nullopt);
}

TEST(ProfileFileTest, LongTextIsCutAt2047Characters)
{
    std::string kana;
    for (int i = 0; i < 3000; ++i)
        kana += "あ";
    std::string expectedKana;
    for (int i = 0; i < 2047; ++i)
        expectedKana += "あ";
    const struct {
        std::string value;
        std::string expected;
    } cases[] = {
        {std::string(3000, 'x'), std::string(2047, 'x')},
        {std::string(2047, 'y'), std::string(2047, 'y')},
        {kana, expectedKana},
        {"\"" + std::string(2046, 'q') + "\"", "\"" + std::string(2046, 'q')},
    };
    for (const auto& c : cases) {
        ProfileFile profile;
        profile.WriteText("FORM", "asCurFileName", c.value);
        EXPECT_EQ(ProfileFile::FromBytes(profile.ToBytes()).ReadText("FORM", "asCurFileName"), c.expected)
            << c.value.size() << " bytes";
    }
}

// What is written comes back, whatever blanks, quotes or line breaks it has.
TEST(ProfileFileTest, TextReadsBackAsWritten)
{
    const struct {
        std::string written;
        std::string read;
    } cases[] = {
        {"/home/user/CAL/計算.txt", "/home/user/CAL/計算.txt"},
        {"  padded  ", "  padded  "},
        {"\"quoted\"", "\"quoted\""},
        {"'single'", "'single'"},
        {"a=b;c", "a=b;c"},
        {"", ""},
        {"first\r\nsecond=1", "first"},
        {"first\nsecond", "first"},
    };
    for (const auto& c : cases) {
        ProfileFile profile;
        profile.WriteText("FORM", "asCurFileName", c.written);
        const ProfileFile reread = ProfileFile::FromBytes(profile.ToBytes());
        EXPECT_EQ(reread.ReadText("FORM", "asCurFileName"), c.read) << c.written;
        EXPECT_EQ(reread.ReadText("FORM", "second"), std::nullopt) << c.written;
    }
}

struct EditCase {
    std::string name;
    std::string before;
    std::string section;
    std::string key;
    std::string value;
    std::string after;
};

TEST(ProfileFileTest, EditsInPlaceAndKeepsEverythingElse)
{
    const std::string handKept =
        "; kept by hand\r\n"
        "[Other]\r\n"
        "iFormTop=99\r\n"
        "[form]\r\n"
        "; the window\r\n"
        "iFormTop=5\r\n"
        "Extra = x \r\n"
        "\r\n"
        "; about the last section\r\n"
        "[Last]\r\n"
        "z=1\r\n";
    const EditCase cases[] = {
        {"existing key, other case", handKept, "FORM", "IFORMTOP", "10",
         "; kept by hand\r\n[Other]\r\niFormTop=99\r\n[form]\r\n; the window\r\nIFORMTOP=10\r\nExtra = x \r\n\r\n"
         "; about the last section\r\n[Last]\r\nz=1\r\n"},
        {"new key after the last key of its section", handKept, "form", "iFormLeft", "-3",
         "; kept by hand\r\n[Other]\r\niFormTop=99\r\n[form]\r\n; the window\r\niFormTop=5\r\nExtra = x \r\n"
         "iFormLeft=-3\r\n\r\n; about the last section\r\n[Last]\r\nz=1\r\n"},
        {"new section at the end", handKept, "New", "a", "b", handKept + "\r\n[New]\r\na=b\r\n"},
        {"new key in a section without keys", "[FORM]\r\n; nothing yet\r\n[B]\r\n", "FORM", "k", "1",
         "[FORM]\r\nk=1\r\n; nothing yet\r\n[B]\r\n"},
        {"empty file", "", "FORM", "k", "1", "[FORM]\r\nk=1\r\n"},
        {"line feeds and no last line end", "[FORM]\nk=0\nm=2", "FORM", "k", "1", "[FORM]\r\nk=1\r\nm=2\r\n"},
        {"first of two equal sections", "[FORM]\r\n[FORM]\r\nk=0\r\n", "FORM", "k", "1",
         "[FORM]\r\nk=1\r\n[FORM]\r\nk=0\r\n"},
        {"byte-order mark kept", "\xEF\xBB\xBF[FORM]\r\nk=0\r\n", "FORM", "k", "1", "\xEF\xBB\xBF[FORM]\r\nk=1\r\n"},
    };
    for (const EditCase& c : cases) {
        ProfileFile profile = ProfileFile::FromBytes(c.before);
        profile.WriteText(c.section, c.key, c.value);
        EXPECT_EQ(profile.ToBytes(), c.after) << c.name;
    }
}

// A file stays in the encoding it was written in; one of ASCII alone
// becomes UTF-8, and so does a code page 932 file given a value the code
// page cannot hold.
TEST(ProfileFileTest, AFileIsWrittenBackInItsEncoding)
{
    const std::string head = "[FORM]\r\nasCurFileName=";
    const std::string path = "C:\\計算\\予算.txt";
    const std::string bom = "\xEF\xBB\xBF";
    const struct {
        std::string name;
        std::string bytes;
        std::string written;  // asCurFileName
        std::string expected;
    } cases[] = {
        {"code page 932", EncodeText(head + path + "\r\n", TextEncoding::ShiftJis), path,
         EncodeText(head + path + "\r\n", TextEncoding::ShiftJis)},
        {"code page 932, a value beyond it", EncodeText(head + path + "\r\n", TextEncoding::ShiftJis), "😀.txt",
         bom + head + "😀.txt\r\n"},
        {"UTF-8", head + path + "\r\n", "予算.txt", head + "予算.txt\r\n"},
        {"UTF-8 with a mark", bom + head + "a\r\n", "予算.txt", bom + head + "予算.txt\r\n"},
        {"ASCII", head + "a.txt\r\n", "予算.txt", head + "予算.txt\r\n"},
    };
    for (const auto& c : cases) {
        ProfileFile profile = ProfileFile::FromBytes(c.bytes);
        EXPECT_EQ(profile.ToBytes(), c.bytes) << c.name;
        profile.WriteText("FORM", "asCurFileName", c.written);
        EXPECT_EQ(profile.ToBytes(), c.expected) << c.name;
        EXPECT_EQ(profile.UndecodableBytes(), 0u) << c.name;
    }
    EXPECT_EQ(ProfileFile::FromBytes("[FORM]\r\na=\x80\xFD\r\n").UndecodableBytes(), 2u);
}

}  // namespace
}  // namespace tallyrix
