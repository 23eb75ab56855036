#include "files/EditorStyleFile.h"

#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "files/ProfileFile.h"
#include "files/TextCodec.h"
#include "files/Utf8.h"

namespace tallyrix {
namespace {

struct NamedValue {
    std::string_view name;
    std::int32_t value;
};

// Colours and character sets that the stream writes by name.
// clang-format off
constexpr NamedValue ColorNames[] = {
    {"clBlack", 0x000000}, {"clMaroon", 0x000080}, {"clGreen", 0x008000}, {"clOlive", 0x008080},
    {"clNavy", 0x800000}, {"clPurple", 0x800080}, {"clTeal", 0x808000}, {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF}, {"clLime", 0x00FF00}, {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000}, {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00}, {"clWhite", 0xFFFFFF},
    {"clNone", 0x1FFFFFFF}, {"clDefault", 0x20000000},
    {"clScrollBar", int32_t(0x80000000u)}, {"clBackground", int32_t(0x80000001u)},
    {"clActiveCaption", int32_t(0x80000002u)}, {"clInactiveCaption", int32_t(0x80000003u)},
    {"clMenu", int32_t(0x80000004u)}, {"clWindow", int32_t(0x80000005u)},
    {"clWindowFrame", int32_t(0x80000006u)}, {"clMenuText", int32_t(0x80000007u)},
    {"clWindowText", int32_t(0x80000008u)}, {"clCaptionText", int32_t(0x80000009u)},
    {"clActiveBorder", int32_t(0x8000000Au)}, {"clInactiveBorder", int32_t(0x8000000Bu)},
    {"clAppWorkSpace", int32_t(0x8000000Cu)}, {"clHighlight", int32_t(0x8000000Du)},
    {"clHighlightText", int32_t(0x8000000Eu)}, {"clBtnFace", int32_t(0x8000000Fu)},
    {"clBtnShadow", int32_t(0x80000010u)}, {"clGrayText", int32_t(0x80000011u)},
    {"clBtnText", int32_t(0x80000012u)}, {"clInactiveCaptionText", int32_t(0x80000013u)},
    {"clBtnHighlight", int32_t(0x80000014u)}, {"cl3DDkShadow", int32_t(0x80000015u)},
    {"cl3DLight", int32_t(0x80000016u)}, {"clInfoText", int32_t(0x80000017u)},
    {"clInfoBk", int32_t(0x80000018u)},
};
// clang-format on

constexpr std::int64_t MaxFontPixels = 1000;

// clang-format off
constexpr NamedValue CharsetNames[] = {
    {"ANSI_CHARSET", 0}, {"DEFAULT_CHARSET", 1}, {"SYMBOL_CHARSET", 2}, {"MAC_CHARSET", 77},
    {"SHIFTJIS_CHARSET", 128}, {"HANGEUL_CHARSET", 129}, {"JOHAB_CHARSET", 130}, {"GB2312_CHARSET", 134},
    {"CHINESEBIG5_CHARSET", 136}, {"GREEK_CHARSET", 161}, {"TURKISH_CHARSET", 162},
    {"VIETNAMESE_CHARSET", 163}, {"HEBREW_CHARSET", 177}, {"ARABIC_CHARSET", 178}, {"BALTIC_CHARSET", 186},
    {"RUSSIAN_CHARSET", 204}, {"THAI_CHARSET", 222}, {"EASTEUROPE_CHARSET", 238}, {"OEM_CHARSET", 255},
};
// clang-format on

struct StyleFlag {
    std::string_view name;
    bool StyleFont::*member;
};
constexpr StyleFlag StyleFlags[] = {
    {"fsBold", &StyleFont::bold},
    {"fsItalic", &StyleFont::italic},
    {"fsUnderline", &StyleFont::underline},
    {"fsStrikeOut", &StyleFont::strikeOut},
};

template <std::size_t N>
const NamedValue* ByValue(const NamedValue (&table)[N], std::int32_t value)
{
    for (const NamedValue& entry : table)
        if (entry.value == value) return &entry;
    return nullptr;
}

template <std::size_t N>
const NamedValue* ByName(const NamedValue (&table)[N], std::string_view name)
{
    for (const NamedValue& entry : table)
        if (entry.name == name) return &entry;
    return nullptr;
}

// ---- writing

template <std::size_t N>
void WriteNamedInteger(ObjectRecordWriter& writer, std::string_view property, const NamedValue (&table)[N],
                       std::int32_t value)
{
    if (const NamedValue* named = ByValue(table, value))
        writer.Identifier(property, named->name);
    else
        writer.Integer(property, value);
}

void WritePosition(ObjectRecordWriter& writer, const DesignPosition& position)
{
    writer.Integer("Left", position.left);
    writer.Integer("Top", position.top);
}

std::string WriteFontRecord(std::string_view objectName, const FontDialogRecord& record)
{
    ObjectRecordWriter writer("TFontDialog", objectName);
    const StyleFont& font = record.font;
    WriteNamedInteger(writer, "Font.Charset", CharsetNames, font.charset);
    WriteNamedInteger(writer, "Font.Color", ColorNames, font.color);
    writer.Integer("Font.Height", -font.pixelHeight);
    writer.String("Font.Name", font.name);
    std::vector<std::string_view> style;
    for (const StyleFlag& flag : StyleFlags)
        if (font.*flag.member) style.push_back(flag.name);
    writer.Set("Font.Style", style);
    writer.Integer("MinFontSize", record.minFontSize);
    writer.Integer("MaxFontSize", record.maxFontSize);
    WritePosition(writer, record.position);
    return writer.Finish();
}

std::string CustomColorEntry(std::size_t index, ColorValue color)
{
    char hex[9];
    std::snprintf(hex, sizeof hex, "%X", static_cast<unsigned>(color));
    return "Color" + std::string(1, static_cast<char>('A' + index)) + "=" + hex;
}

std::string WriteColorRecord(const ColorDialogRecord& record)
{
    ObjectRecordWriter writer("TColorDialog", "ColorDialog1");
    writer.Boolean("Ctl3D", record.ctl3D);
    if (record.color != 0) WriteNamedInteger(writer, "Color", ColorNames, record.color);
    if (record.customColors != ColorDialogRecord{}.customColors) {
        std::vector<std::string> entries;
        for (std::size_t i = 0; i < CustomColorCount; ++i)
            entries.push_back(CustomColorEntry(i, record.customColors[i]));
        writer.StringList("CustomColors.Strings", entries);
    }
    WritePosition(writer, record.position);
    return writer.Finish();
}

// ---- reading

class PropertyReader {
public:
    explicit PropertyReader(const ObjectRecord& record) : record(record) {}

    [[noreturn]] void Fail(const std::string& property, const std::string& what) const
    {
        throw StyleFormatError(record.objectName + " の " + property + ": " + what);
    }

    std::int32_t Integer(const StreamProperty& property) const
    {
        const ValueTag tag = property.value.tag;
        if (tag != ValueTag::Int8 && tag != ValueTag::Int16 && tag != ValueTag::Int32)
            Fail(property.name, "整数ではありません");
        return property.value.number;
    }

    template <std::size_t N>
    std::int32_t NamedInteger(const StreamProperty& property, const NamedValue (&table)[N]) const
    {
        if (property.value.tag != ValueTag::Identifier) return Integer(property);
        const NamedValue* named = ByName(table, property.value.text);
        if (!named) Fail(property.name, "知らない名前 " + property.value.text + " です");
        return named->value;
    }

    std::string Text(const StreamProperty& property) const
    {
        const ValueTag tag = property.value.tag;
        if (tag != ValueTag::String && tag != ValueTag::LongString) Fail(property.name, "文字列ではありません");
        return property.value.text;
    }

    bool Boolean(const StreamProperty& property) const
    {
        const ValueTag tag = property.value.tag;
        if (tag != ValueTag::True && tag != ValueTag::False) Fail(property.name, "真偽値ではありません");
        return tag == ValueTag::True;
    }

    const ObjectRecord& record;
};

using PropertyHandler = std::function<void(const PropertyReader&, const StreamProperty&)>;

// Properties without a handler are the dialogs' other settings; they are
// skipped. A property that cannot be used is noted and the others still
// apply.
void ApplyProperties(const ObjectRecord& record, const std::map<std::string_view, PropertyHandler>& handlers,
                     std::vector<std::string>& problems)
{
    const PropertyReader reader(record);
    for (const StreamProperty& property : record.properties) {
        const auto handler = handlers.find(property.name);
        if (handler == handlers.end()) continue;
        try {
            handler->second(reader, property);
        } catch (const StyleFormatError& error) {
            problems.emplace_back(error.what());
        }
    }
}

// The known styles apply even beside an unknown one.
void ReadStyle(const PropertyReader& reader, const StreamProperty& property, StyleFont& font)
{
    if (property.value.tag != ValueTag::Set) reader.Fail(property.name, "集合ではありません");
    for (const StyleFlag& flag : StyleFlags)
        font.*flag.member = false;
    std::string unknown;
    for (const std::string& name : property.value.names) {
        const StyleFlag* flag = nullptr;
        for (const StyleFlag& candidate : StyleFlags)
            if (candidate.name == name) flag = &candidate;
        if (flag)
            font.*flag->member = true;
        else
            unknown += (unknown.empty() ? "" : ", ") + name;
    }
    if (!unknown.empty()) reader.Fail(property.name, "知らない名前 " + unknown + " です");
}

// A negative height is the character height, a positive one the cell
// height, taken as it is. Sizes no screen could show are refused rather than
// handed to the font engine.
int PixelHeight(const PropertyReader& reader, const StreamProperty& property)
{
    const std::int64_t height = reader.Integer(property);
    const std::int64_t pixels = height < 0 ? -height : height;
    if (pixels < 1 || pixels > MaxFontPixels)
        reader.Fail(property.name, "文字の高さ " + std::to_string(height) + " は使えません");
    return static_cast<int>(pixels);
}

std::map<std::string_view, PropertyHandler> PositionHandlers(DesignPosition& position)
{
    return {
        {"Left", [&](const PropertyReader& r, const StreamProperty& p) { position.left = r.Integer(p); }},
        {"Top", [&](const PropertyReader& r, const StreamProperty& p) { position.top = r.Integer(p); }},
    };
}

// This program writes names as UTF-8, so a name that is valid UTF-8 is taken
// as it stands, even one that opens with U+FEFF or would also read as
// Shift-JIS; anything else, as another program wrote it, is read as any text.
std::string DecodeName(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        if (utf8::Next(bytes, i) == utf8::NoCodePoint) return DecodeText(bytes).text;
    }
    return std::string(bytes);
}

void ReadFontRecord(const ObjectRecord& record, FontDialogRecord& result, std::vector<std::string>& problems)
{
    StyleFont& font = result.font;
    std::map<std::string_view, PropertyHandler> handlers = PositionHandlers(result.position);
    handlers.insert({
        {"Font.Charset", [&](const auto& r, const auto& p) { font.charset = r.NamedInteger(p, CharsetNames); }},
        {"Font.Color", [&](const auto& r, const auto& p) { font.color = r.NamedInteger(p, ColorNames); }},
        {"Font.Height", [&](const auto& r, const auto& p) { font.pixelHeight = PixelHeight(r, p); }},
        {"Font.Name", [&](const auto& r, const auto& p) { font.name = DecodeName(r.Text(p)); }},
        {"Font.Style", [&](const auto& r, const auto& p) { ReadStyle(r, p, font); }},
        {"MinFontSize", [&](const auto& r, const auto& p) { result.minFontSize = r.Integer(p); }},
        {"MaxFontSize", [&](const auto& r, const auto& p) { result.maxFontSize = r.Integer(p); }},
    });
    ApplyProperties(record, handlers, problems);
}

std::optional<int> CustomColorOf(const StreamValue& item)
{
    const std::string_view entry = item.text;
    const bool isText = item.tag == ValueTag::String || item.tag == ValueTag::LongString;
    const bool named = isText && entry.size() > 7 && entry.substr(0, 5) == "Color" && entry[6] == '=' &&
                       entry[5] >= 'A' && entry[5] < static_cast<char>('A' + CustomColorCount);
    return named ? ParseProfileInteger("0x" + std::string(entry.substr(7))) : std::nullopt;
}

// Entries "ColorA=FFFFFF" to "ColorP=…" in any order; the others stay
// white, and so does an entry that cannot be read.
void ReadCustomColors(const PropertyReader& reader, const StreamProperty& property, ColorDialogRecord& result)
{
    if (property.value.tag != ValueTag::List) reader.Fail(property.name, "リストではありません");
    std::string unreadable;
    for (const StreamValue& item : property.value.items) {
        if (const std::optional<int> color = CustomColorOf(item))
            result.customColors[static_cast<std::size_t>(item.text[5] - 'A')] = *color;
        else
            unreadable += " \"" + item.text + "\"";
    }
    if (!unreadable.empty()) reader.Fail(property.name, "読めない項目" + unreadable + " があります");
}

void ReadColorRecord(const ObjectRecord& record, ColorDialogRecord& result, std::vector<std::string>& problems)
{
    std::map<std::string_view, PropertyHandler> handlers = PositionHandlers(result.position);
    handlers.insert({
        {"Ctl3D", [&](const auto& r, const auto& p) { result.ctl3D = r.Boolean(p); }},
        {"Color", [&](const auto& r, const auto& p) { result.color = r.NamedInteger(p, ColorNames); }},
        {"CustomColors.Strings", [&](const auto& r, const auto& p) { ReadCustomColors(r, p, result); }},
    });
    ApplyProperties(record, handlers, problems);
}

struct ExpectedRecord {
    std::string_view className;
    std::string_view objectName;
    std::function<void(const ObjectRecord&, std::vector<std::string>&)> read;
    bool found = false;
};

constexpr std::string_view RecordSignature = "TPF0";

// Where the next record may begin after a damaged stretch: its signature,
// or the end.
std::size_t NextRecordStart(std::string_view bytes, std::size_t from)
{
    const std::size_t next = bytes.find(RecordSignature, from);
    return next == std::string_view::npos ? bytes.size() : next;
}

// One record at offset, given to the object it names; a damaged record
// gives what it holds before the damage.
void ReadOneRecord(std::string_view bytes, std::size_t& offset, std::vector<ExpectedRecord>& expected,
                   std::vector<std::string>& problems)
{
    const std::size_t start = offset;
    std::string damage;
    const ObjectRecord record = ReadObjectRecordUpToDamage(bytes, offset, damage);
    const std::string where = record.objectName.empty() ? std::to_string(start) + " バイト目の記録" : record.objectName;
    if (!damage.empty()) {
        problems.push_back(where + ": " + damage);
        offset = NextRecordStart(bytes, start + 1);
    }
    if (record.objectName.empty()) return;
    for (ExpectedRecord& candidate : expected) {
        if (candidate.className != record.className || candidate.objectName != record.objectName) continue;
        if (candidate.found) break;
        candidate.found = true;
        candidate.read(record, problems);
        return;
    }
    problems.push_back(where + ": " + record.className + " " + record.objectName + " の記録は使えません");
}

}  // namespace

EditorStyle DesignEditorStyle()
{
    EditorStyle style;
    style.FontDialog.font.name = "ＭＳ ゴシック";
    style.CommentFontDialog.font.name = "ＭＳ ゴシック";
    style.CommentFontDialog.font.color = BlueColor;
    style.CommentFontDialog.font.bold = true;
    return style;
}

std::string WriteEditorStyle(const EditorStyle& style)
{
    return WriteFontRecord("FontDialog", style.FontDialog) +
           WriteFontRecord("CommentFontDialog", style.CommentFontDialog) + WriteColorRecord(style.ColorDialog1);
}

EditorStyleReading ReadEditorStyle(std::string_view bytes)
{
    // Properties and records that cannot be read keep their design values.
    EditorStyleReading reading{DesignEditorStyle(), {}};
    EditorStyle& style = reading.style;
    std::vector<std::string>& problems = reading.problems;
    std::vector<ExpectedRecord> expected = {
        {"TFontDialog", "FontDialog", [&](const auto& r, auto& p) { ReadFontRecord(r, style.FontDialog, p); }},
        {"TFontDialog", "CommentFontDialog",
         [&](const auto& r, auto& p) { ReadFontRecord(r, style.CommentFontDialog, p); }},
        {"TColorDialog", "ColorDialog1", [&](const auto& r, auto& p) { ReadColorRecord(r, style.ColorDialog1, p); }},
    };
    std::size_t offset = 0;
    while (offset < bytes.size()) {
        if (bytes.substr(offset, RecordSignature.size()) == RecordSignature) {
            ReadOneRecord(bytes, offset, expected, problems);
            continue;
        }
        const std::size_t next = NextRecordStart(bytes, offset);
        problems.push_back(std::to_string(offset) + " バイト目から " + std::to_string(next - offset) +
                           " バイト余分なデータがあります");
        offset = next;
    }
    for (const ExpectedRecord& record : expected)
        if (!record.found) problems.push_back(std::string(record.objectName) + " の記録がありません");
    return reading;
}

}  // namespace tallyrix
