#include "files/StyleChoices.h"

#include <algorithm>
#include <utility>

namespace tallyrix {
namespace {

constexpr std::uint32_t SystemColorBit = 0x80000000u;
constexpr std::uint32_t SystemWindowIndex = 5;
constexpr std::uint32_t SystemWindowTextIndex = 8;

FontChoice ChoiceFromFont(const StyleFont& font, const QPalette& system)
{
    return FontChoice{QString::fromStdString(font.name),
                      std::max(font.pixelHeight, 1),  // Qt takes no font of height 0
                      ColorFromValue(font.color, system),
                      font.bold,
                      font.italic,
                      font.underline,
                      font.strikeOut};
}

void CarryFont(const FontChoice& choice, StyleFont& font, const QPalette& system)
{
    font.name = choice.name.toStdString();
    font.pixelHeight = choice.height;
    font.color = ValueFromColor(choice.color, font.color, system);
    font.bold = choice.bold;
    font.italic = choice.italic;
    font.underline = choice.underline;
    font.strikeOut = choice.strikeOut;
}

}  // namespace

QColor ColorFromValue(ColorValue value, const QPalette& system)
{
    const auto bits = static_cast<std::uint32_t>(value);
    if (bits & SystemColorBit) {
        switch (bits & ~SystemColorBit) {
            case SystemWindowIndex:
                return system.color(QPalette::Base);
            case SystemWindowTextIndex:
                return system.color(QPalette::Text);
            default:
                return system.color(QPalette::Window);
        }
    }
    return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                  static_cast<int>((bits >> 16) & 0xFF));
}

ColorValue ValueFromColor(const QColor& color, ColorValue usual, const QPalette& system)
{
    if (ColorFromValue(usual, system).rgb() == color.rgb()) return usual;
    return static_cast<ColorValue>(static_cast<std::uint32_t>(color.red()) |
                                   (static_cast<std::uint32_t>(color.green()) << 8) |
                                   (static_cast<std::uint32_t>(color.blue()) << 16));
}

StyleChoices ChoicesFromStyle(const EditorStyle& style, const QPalette& system)
{
    StyleChoices choices;
    choices.editorFont = ChoiceFromFont(style.FontDialog.font, system);
    choices.commentFont = ChoiceFromFont(style.CommentFontDialog.font, system);
    if (style.ColorDialog1.color != 0) choices.dialogColor = ColorFromValue(style.ColorDialog1.color, system);
    for (std::size_t i = 0; i < CustomColorCount; ++i)
        choices.customColors[i] = ColorFromValue(style.ColorDialog1.customColors[i], system);
    return choices;
}

EditorStyle StyleFromChoices(const StyleChoices& choices, const QPalette& system, EditorStyle base)
{
    EditorStyle style = std::move(base);
    CarryFont(choices.editorFont, style.FontDialog.font, system);
    CarryFont(choices.commentFont, style.CommentFontDialog.font, system);
    ColorDialogRecord& dialog = style.ColorDialog1;
    if (choices.dialogColor.isValid()) dialog.color = ValueFromColor(choices.dialogColor, dialog.color, system);
    for (std::size_t i = 0; i < CustomColorCount; ++i)
        dialog.customColors[i] = ValueFromColor(choices.customColors[i], dialog.customColors[i], system);
    return style;
}

}  // namespace tallyrix
