// EditorStyle.dat: the expression font, the comment font and the colour
// dialog's state, as three object records one after the other ("TPF0", the
// class and object names, the properties with tagged values, an empty list
// of child objects). Font names are written as UTF-8; names in code page 932
// are read too.
//
// Reading keeps every record and property it can read and notes the rest: a
// property of the wrong type or with an unusable value, a record cut short or
// of an object it does not know (the bytes up to the next "TPF0" are passed
// over), a record missing, bytes after the records. What is not read keeps
// its design value; the window reports the notes in one box.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "files/ObjectStream.h"

namespace tallyrix {

// A colour as 0x00BBGGRR, or with the top bit set a system colour code.
using ColorValue = std::int32_t;

inline constexpr ColorValue SystemWindowTextColor = static_cast<ColorValue>(0x80000008u);
inline constexpr ColorValue WhiteColor = 0x00FFFFFF;
inline constexpr ColorValue BlueColor = 0x00FF0000;
inline constexpr int ShiftJisCharset = 128;
inline constexpr std::size_t CustomColorCount = 16;

struct StyleFont {
    std::string name;      // UTF-8
    int pixelHeight = 13;  // character height
    int charset = ShiftJisCharset;
    ColorValue color = SystemWindowTextColor;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    friend bool operator==(const StyleFont&, const StyleFont&) = default;
};

// Where the object sat in the form designer; kept so a file reads back as it was.
struct DesignPosition {
    int left = 0;
    int top = 0;

    friend bool operator==(const DesignPosition&, const DesignPosition&) = default;
};

struct FontDialogRecord {
    StyleFont font;
    int minFontSize = 0;
    int maxFontSize = 0;
    DesignPosition position;

    friend bool operator==(const FontDialogRecord&, const FontDialogRecord&) = default;
};

struct ColorDialogRecord {
    ColorValue color = 0;  // black until the user chooses
    std::array<ColorValue, CustomColorCount> customColors = MakeWhite();
    bool ctl3D = true;
    DesignPosition position;

    friend bool operator==(const ColorDialogRecord&, const ColorDialogRecord&) = default;

private:
    static constexpr std::array<ColorValue, CustomColorCount> MakeWhite()
    {
        std::array<ColorValue, CustomColorCount> colors{};
        colors.fill(WhiteColor);
        return colors;
    }
};

struct EditorStyle {
    FontDialogRecord FontDialog;
    FontDialogRecord CommentFontDialog;
    ColorDialogRecord ColorDialog1;

    friend bool operator==(const EditorStyle&, const EditorStyle&) = default;
};

// The state without a file: "ＭＳ ゴシック", 13 pixels, Shift-JIS, in the
// window-text colour, and for comments the same in bold blue; a black dialog
// colour.
EditorStyle DesignEditorStyle();

std::string WriteEditorStyle(const EditorStyle& style);

struct EditorStyleReading {
    EditorStyle style;
    std::vector<std::string> problems;  // what could not be read and where; empty for a sound file
};

EditorStyleReading ReadEditorStyle(std::string_view bytes);

}  // namespace tallyrix
