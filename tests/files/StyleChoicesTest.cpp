// The style records as the window's fonts and colours: colour values and
// system colours both ways, and choices that come back from the records
// they were written to.
#include <gtest/gtest.h>

#include "files/FormSettings.h"
#include "files/StyleChoices.h"

namespace tallyrix {
namespace {

// A system palette unlike Qt's defaults, so that a role mixed up shows.
QPalette System()
{
    QPalette palette;
    palette.setColor(QPalette::Base, QColor(250, 250, 240));
    palette.setColor(QPalette::Text, QColor(10, 20, 30));
    palette.setColor(QPalette::Window, QColor(200, 200, 200));
    return palette;
}

TEST(StyleChoicesTest, ColourValues)
{
    const struct {
        const char* name;
        ColorValue value;
        QColor color;
    } cases[] = {
        {"red is the low byte", 0x000000FF, QColor(255, 0, 0)},
        {"blue is the third byte", BlueColor, QColor(0, 0, 255)},
        {"mixed", 0x00123456, QColor(0x56, 0x34, 0x12)},
        {"the system window colour", SystemWindowColor, QColor(250, 250, 240)},
        {"the system window-text colour", SystemWindowTextColor, QColor(10, 20, 30)},
        {"another system colour", static_cast<ColorValue>(0x8000000Fu), QColor(200, 200, 200)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ColorFromValue(c.value, System()), c.color) << c.name;
        // A colour that looks as usual keeps the usual value, system colours included.
        EXPECT_EQ(ValueFromColor(c.color, c.value, System()), c.value) << c.name;
    }
    EXPECT_EQ(ValueFromColor(QColor(1, 2, 3), SystemWindowColor, System()), 0x00030201);
}

TEST(StyleChoicesTest, DesignRecordsAreTheDesignFonts)
{
    QPalette blackText = System();
    blackText.setColor(QPalette::Text, Qt::black);
    const StyleChoices choices = ChoicesFromStyle(DesignEditorStyle(), blackText);
    EXPECT_EQ(choices.editorFont, DefaultEditorFont());
    EXPECT_EQ(choices.commentFont, DefaultCommentFont());
    EXPECT_FALSE(choices.dialogColor.isValid());
    for (const QColor& custom : choices.customColors)
        EXPECT_EQ(custom, QColor(Qt::white));
    EXPECT_EQ(StyleFromChoices(choices, blackText), DesignEditorStyle());
}

TEST(StyleChoicesTest, ChoicesComeBackFromTheirRecords)
{
    StyleChoices chosen;
    chosen.editorFont = {QStringLiteral("IPAゴシック"), 20, QColor(10, 20, 30), false, true, true, false};
    chosen.commentFont = {QStringLiteral("ＭＳ 明朝"), 9, QColor(0, 128, 0), true, false, false, true};
    chosen.dialogColor = QColor(200, 220, 240);
    for (std::size_t i = 0; i < CustomColorCount; ++i)
        chosen.customColors[i] = QColor::fromRgb(0x010203 * (i + 1));
    StyleChoices untouched = chosen;
    untouched.dialogColor = QColor();

    for (const StyleChoices& choices : {chosen, untouched}) {
        const EditorStyle style = StyleFromChoices(choices, System());
        EXPECT_EQ(ChoicesFromStyle(ReadEditorStyle(WriteEditorStyle(style)).style, System()), choices);
    }
    // The editor font in the system's text colour stays that system colour.
    EXPECT_EQ(StyleFromChoices(chosen, System()).FontDialog.font.color, SystemWindowTextColor);
}

// What the user left as the file held it is written back as it was read:
// system colour codes, character sets, the dialogs' other properties.
TEST(StyleChoicesTest, UnchangedChoicesKeepTheRecordsAsRead)
{
    EditorStyle read = DesignEditorStyle();
    read.FontDialog.font.color = static_cast<ColorValue>(0x8000000Fu);  // button face
    read.FontDialog.font.charset = 1;
    read.FontDialog.minFontSize = 8;
    read.CommentFontDialog.position = {12, 34};
    read.ColorDialog1.customColors[2] = static_cast<ColorValue>(0x80000018u);  // tooltip background
    read.ColorDialog1.ctl3D = false;
    EXPECT_EQ(StyleFromChoices(ChoicesFromStyle(read, System()), System(), read), read);
}

TEST(StyleChoicesTest, FontHeightNeverBelowOnePixel)
{
    EditorStyle style = DesignEditorStyle();
    style.FontDialog.font.pixelHeight = 0;
    EXPECT_EQ(ChoicesFromStyle(style, System()).editorFont.height, 1);
}

}  // namespace
}  // namespace tallyrix
