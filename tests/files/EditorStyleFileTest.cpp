// EditorStyle.dat: fonts and colours come back as they were saved, and a
// damaged file is refused with a reason instead of being half read.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "files/EditorStyleFile.h"
#include "files/TextCodec.h"

namespace tallyrix {
namespace {

EditorStyle Chosen()
{
    EditorStyle style = DesignEditorStyle();
    style.FontDialog.font = {"ＭＳ 明朝", 20, 1, 0x00123456, false, true, true, false};
    style.FontDialog.minFontSize = 8;
    style.FontDialog.maxFontSize = 72;
    style.FontDialog.position = {1, -2};
    style.CommentFontDialog.font = {"IPAゴシック", 9, 0, BlueColor, true, false, false, true};
    style.ColorDialog1.color = 0x00E0FFFF;
    for (std::size_t i = 0; i < CustomColorCount; ++i)
        style.ColorDialog1.customColors[i] = static_cast<ColorValue>(0x00010203 * (i + 1));
    style.ColorDialog1.ctl3D = false;
    style.ColorDialog1.position = {40000, 300};
    return style;
}

TEST(EditorStyleFileTest, RoundTrip)
{
    EditorStyle longName = DesignEditorStyle();
    for (int i = 0; i < 100; ++i)
        longName.CommentFontDialog.font.name += "字";  // 300 bytes: the long string form
    EditorStyle systemColors = DesignEditorStyle();
    systemColors.FontDialog.font.color = static_cast<ColorValue>(0x8000000Fu);
    systemColors.ColorDialog1.color = SystemWindowTextColor;
    systemColors.ColorDialog1.customColors[15] = 0;
    EditorStyle oddCharset = DesignEditorStyle();
    oddCharset.FontDialog.font.charset = 99;
    oddCharset.FontDialog.font.pixelHeight = 1000;

    const struct {
        std::string name;
        EditorStyle style;
    } cases[] = {
        {"design", DesignEditorStyle()},
        {"chosen fonts and colours", Chosen()},
        {"long font name", longName},
        {"system colours", systemColors},
        {"character set without a name", oddCharset},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadEditorStyle(WriteEditorStyle(c.style)), c.style) << c.name;
}

// Bytes laid out by hand as the other writer of these files lays them out:
// names in code page 932, colours and character sets by name, settings this
// program does not use.
std::string Property(const std::string& name, const std::string& value)
{
    return static_cast<char>(name.size()) + name + value;
}

std::string Ident(const std::string& name)
{
    return "\x07" + std::string(1, static_cast<char>(name.size())) + name;
}

std::string Record(const std::string& className, const std::string& objectName, const std::string& properties)
{
    return "TPF0" + std::string(1, static_cast<char>(className.size())) + className +
           static_cast<char>(objectName.size()) + objectName + properties + std::string(2, '\0');
}

std::string FontRecord(const std::string& objectName, const std::string& style)
{
    const std::string name = EncodeText("ＭＳ ゴシック", TextEncoding::ShiftJis);
    return Record("TFontDialog", objectName,
                  Property("Font.Charset", Ident("SHIFTJIS_CHARSET")) + Property("Font.Color", Ident("clWindowText")) +
                      Property("Font.Height", std::string("\x02\xF3", 2)) +
                      Property("Font.Name", "\x06" + std::string(1, static_cast<char>(name.size())) + name) +
                      Property("Font.Style", "\x0B" + style + std::string(1, '\0')) +
                      Property("Options", std::string("\x0B\x09" "fdEffects\x00", 12)) +
                      Property("MinFontSize", std::string("\x02\x00", 2)) +
                      Property("MaxFontSize", std::string("\x02\x00", 2)) +
                      Property("Left", std::string("\x03\x2C\x01", 3)) +
                      Property("Top", std::string("\x04\x10\x00\x01\x00", 5)));
}

TEST(EditorStyleFileTest, ReadsTheRecordLayout)
{
    const std::string colors = "\x01" + std::string("\x06\x0D" "ColorA=FF8000", 15) +
                               std::string("\x06\x0F" "ColorP=FFFFFFFF", 17) + std::string(1, '\0');
    const std::string file =
        FontRecord("FontDialog", "") + FontRecord("CommentFontDialog", "\x06" "fsBold") +
        Record("TColorDialog", "ColorDialog1",
               Property("Ctl3D", "\x09") + Property("Color", Ident("clBlue")) +
                   Property("CustomColors.Strings", colors) + Property("Left", std::string("\x02\x00", 2)) +
                   Property("Top", std::string("\x02\x00", 2)));

    EditorStyle expected = DesignEditorStyle();
    expected.FontDialog.position = {300, 65552};
    expected.CommentFontDialog.position = {300, 65552};
    expected.CommentFontDialog.font.color = SystemWindowTextColor;
    expected.ColorDialog1.color = BlueColor;
    expected.ColorDialog1.customColors[0] = 0xFF8000;
    expected.ColorDialog1.customColors[15] = -1;
    EXPECT_EQ(ReadEditorStyle(file), expected);
}

std::string ErrorOf(const std::string& bytes)
{
    try {
        ReadEditorStyle(bytes);
    } catch (const StyleFormatError& error) {
        return error.what();
    }
    return "<read>";
}

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(EditorStyleFileTest, DamagedFilesAreRefusedSayingWhy)
{
    const std::string good = WriteEditorStyle(Chosen());
    const std::string heightOf20 = std::string("Font.Height\x02\xEC", 13);
    const struct {
        std::string name;
        std::string bytes;
        std::string reason;  // a part of the message
    } cases[] = {
        {"empty", "", "1 番目の記録"},
        {"not a record", "TPF1" + good.substr(4), "TPF0"},
        {"records swapped", good.substr(good.find("TPF0", 4)), "CommentFontDialog"},
        {"trailing bytes", good + "x", "余分"},
        {"unknown value type", Replaced(good, heightOf20, std::string("Font.Height\x63\xEC", 13)), "値の型 99"},
        {"height as text", Replaced(good, heightOf20, std::string("Font.Height\x06\x01x", 14)), "Font.Height"},
        {"height of zero", Replaced(good, heightOf20, std::string("Font.Height\x02\x00", 13)), "高さ 0"},
        {"height beyond any screen", Replaced(good, heightOf20, std::string("Font.Height\x04\x00\x00\x00\x80", 16)),
         "高さ -2147483648"},
        {"unknown style", Replaced(good, "fsItalic", "fsBlinky"), "fsBlinky"},
        {"unknown colour name", Replaced(WriteEditorStyle(DesignEditorStyle()), "clBlue", "clBlee"), "clBlee"},
        {"custom colour out of range", Replaced(good, "ColorP=", "ColorQ="), "ColorQ="},
        {"custom colour not hex", Replaced(good, "ColorA=10203", "ColorA=1020Z"), "ColorA=1020Z"},
        {"child objects", good.substr(0, good.size() - 1) + "TPF0", "子オブジェクト"},
        {"huge long string", Replaced(good, std::string("Font.Name\x06", 10), std::string("Font.Name\x0C\xFF\xFF\xFF\xFF", 14)),
         "途中で終わって"},
        {"lists nested without end", Replaced(good, std::string("Ctl3D\x08", 6), "Ctl3D" + std::string(10000, '\x01')),
         "入れ子"},
    };
    for (const auto& c : cases) {
        const std::string error = ErrorOf(c.bytes);
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.name << ": " << error;
    }
}

TEST(EditorStyleFileTest, EveryCutShortFileIsRefused)
{
    const std::string good = WriteEditorStyle(Chosen());
    for (std::size_t size = 0; size < good.size(); ++size)
        EXPECT_THROW(ReadEditorStyle(std::string_view(good).substr(0, size)), StyleFormatError) << size;
}

// Random damage either still reads or is refused; nothing else escapes.
TEST(EditorStyleFileTest, RandomDamageNeverEscapesAsAnythingElse)
{
    const std::string good = WriteEditorStyle(Chosen());
    std::mt19937 random(20261209);
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = good;
        const int flips = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < flips; ++i)
            bytes[random() % bytes.size()] = static_cast<char>(random());
        if (round % 3 == 0) bytes.resize(random() % bytes.size());
        try {
            ReadEditorStyle(bytes);
        } catch (const StyleFormatError&) {
        }
    }
    SUCCEED();
}

}  // namespace
}  // namespace tallyrix
