// The plain functions behind the window's handlers.
#include <gtest/gtest.h>

#include "document/CaseConversion.h"
#include "document/CommentRange.h"
#include "document/FontChoice.h"
#include "document/KeyPressMemory.h"
#include "document/KeyRules.h"
#include "document/Presentation.h"

namespace tallyrix {
namespace {

TEST(CommentRangeTest, MeasuredFromTheFirstMarkerOfTheLine)
{
    struct Case {
        const char16_t* line;
        bool found;
        qsizetype start, length;
        bool stop;
    };
    const Case cases[] = {
        {u"x = 1 // note", true, 6, 8, false},
        {u"a = 1 /// stop", true, 6, 9, true},
        {u"x = 1 // note /// end", true, 14, 8, true},  // only "/// end" is red
        {u"// a // b", true, 0, 10, false},             // every "//" restyles the same range
        {u"//", true, 0, 3, false},
        {u"////", true, 0, 5, true},
        {u"a = 1 -- note", false, 0, 0, false},  // "--" is never coloured
        {u"b = 2 --- stop", false, 0, 0, false},
        {u"5-(-3) / 2", false, 0, 0, false},
        {u"", false, 0, 0, false},
        {u"ｘ＝１　// 全角", true, 4, 6, false},
    };
    for (const Case& c : cases) {
        const std::optional<CommentRange> range = FindCommentRange(QStringView(c.line));
        SCOPED_TRACE(QString::fromUtf16(c.line).toStdString());
        ASSERT_EQ(range.has_value(), c.found);
        if (!c.found) continue;
        EXPECT_EQ(range->start, c.start);
        EXPECT_EQ(range->length, c.length);
        EXPECT_EQ(range->stopMarker, c.stop);
    }
}

TEST(CaseConversionTest, OnlyAsciiLettersChange)
{
    struct Case {
        QString text, lower, upper;
    };
    const Case cases[] = {
        {QStringLiteral("Sin X"), QStringLiteral("sin x"), QStringLiteral("SIN X")},
        {QStringLiteral("Ａｂｃ あいう aZ"), QStringLiteral("Ａｂｃ あいう az"), QStringLiteral("Ａｂｃ あいう AZ")},
        {QStringLiteral("@[`{"), QStringLiteral("@[`{"), QStringLiteral("@[`{")},  // neighbours of the letters
        {QStringLiteral("ÄÖ éß"), QStringLiteral("ÄÖ éß"), QStringLiteral("ÄÖ éß")},
        {QString(), QString(), QString()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AsciiLower(c.text), c.lower) << c.text.toStdString();
        EXPECT_EQ(AsciiUpper(c.text), c.upper) << c.text.toStdString();
    }
}

TEST(KeyRulesTest, KeyReleaseRecalculates)
{
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        bool enterOnly, recalculates;
    };
    const Case cases[] = {
        {Qt::Key_1, Qt::NoModifier, false, true},        {Qt::Key_Left, Qt::NoModifier, false, true},
        {Qt::Key_Shift, Qt::ShiftModifier, false, true}, {Qt::Key_C, Qt::ControlModifier, false, false},
        {Qt::Key_X, Qt::AltModifier, false, false},      {Qt::Key_Return, Qt::ControlModifier, true, false},
        {Qt::Key_1, Qt::NoModifier, true, false},        {Qt::Key_Return, Qt::NoModifier, true, true},
        {Qt::Key_Enter, Qt::KeypadModifier, true, true}, {Qt::Key_Return, Qt::ShiftModifier, true, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RecalculatesOnKeyRelease(c.key, c.modifiers, c.enterOnly), c.recalculates) << c.key;
}

TEST(KeyRulesTest, EnterKeySemicolonRules)
{
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        bool enterToSemicolon;
        EnterAction action;
    };
    const Case cases[] = {
        {Qt::Key_Return, Qt::NoModifier, false, EnterAction::None},
        {Qt::Key_Return, Qt::NoModifier, true, EnterAction::SemicolonThenLineBreak},
        {Qt::Key_Enter, Qt::KeypadModifier, true, EnterAction::SemicolonThenLineBreak},
        {Qt::Key_Return, Qt::ShiftModifier, false, EnterAction::SemicolonAndConsume},
        {Qt::Key_Return, Qt::ControlModifier, true, EnterAction::SemicolonAndConsume},
        {Qt::Key_Enter, Qt::AltModifier | Qt::KeypadModifier, false, EnterAction::SemicolonAndConsume},
        {Qt::Key_A, Qt::ShiftModifier, true, EnterAction::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecideEnterAction(c.key, c.modifiers, c.enterToSemicolon), c.action) << c.key;
}

// Only a shown pop-up takes keys from the editor (Down, Enter and Escape are
// driven in the window); Shift+Enter keeps its ";".
TEST(KeyRulesTest, CompletionKeys)
{
    using A = CompletionKeyAction;
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        const char* text;
        bool shown;
        A action;
    };
    // clang-format off
    const Case cases[] = {
        {Qt::Key_Space,     Qt::ControlModifier, "",   false, A::Open},
        {Qt::Key_R,         Qt::NoModifier,      "r",  false, A::Follow},
        {Qt::Key_R,         Qt::ShiftModifier,   "R",  true,  A::Follow},
        {Qt::Key_R,         Qt::ControlModifier, "\x12", true, A::CloseAndType},
        {Qt::Key_Backspace, Qt::NoModifier,      "",   false, A::None},
        {Qt::Key_Backspace, Qt::NoModifier,      "",   true,  A::Follow},
        {Qt::Key_Down,      Qt::NoModifier,      "",   false, A::None},
        {Qt::Key_Up,        Qt::NoModifier,      "",   true,  A::Previous},
        {Qt::Key_Tab,       Qt::NoModifier,      "\t", true,  A::Accept},
        {Qt::Key_Enter,     Qt::KeypadModifier,  "\r", true,  A::Accept},
        {Qt::Key_Return,    Qt::ShiftModifier,   "\r", true,  A::CloseAndType},
        {Qt::Key_Plus,      Qt::ShiftModifier,   "+",  true,  A::CloseAndType},
        {Qt::Key_Shift,     Qt::ShiftModifier,   "",   true,  A::None},
    };
    // clang-format on
    for (const Case& c : cases)
        EXPECT_EQ(DecideCompletionKey(c.key, c.modifiers, QString::fromLatin1(c.text), c.shown), c.action)
            << c.key << (c.shown ? " shown" : "");
}

TEST(PresentationTest, MessageLineAndCaretPosition)
{
    EXPECT_EQ(MessageLine(3, "入力・修正待ち"), QStringLiteral("3; 入力・修正待ち"));
    EXPECT_EQ(CaretPositionText(2, 5, 37), QStringLiteral("2行 5桁 計37文字"));
}

// Only a "," between two digits of the whole text is a group separator.
TEST(PresentationTest, CopiesLeaveGroupSeparatorsOut)
{
    // clang-format off
    const struct { const char16_t* text; qsizetype from, to; const char16_t* copied; } cases[] = {
        {u"1: -1,234\ntotal: 25,000,000.5", 0, -1, u"1: -1234\ntotal: 25000000.5"},
        {u"25,000,000", 2, 7, u"000"},  // ",000,"
        {u"3; 入力・修正待ち a,b 1, 2 ,3", 0, -1, u"3; 入力・修正待ち a,b 1, 2 ,3"},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(WithoutGroupSeparators(QString::fromUtf16(c.text), c.from, c.to), QString::fromUtf16(c.copied));
}

TEST(FontChoiceTest, PointsAndPixels)
{
    const struct {
        double points;
        int pixels;
    } cases[] = {{9, 12}, {10, 13}, {10.5, 14}, {12, 16}, {14, 19}, {15, 20}, {72, 96}};
    for (const auto& c : cases) {
        EXPECT_EQ(PointsToPixels(c.points), c.pixels) << c.points;
        EXPECT_EQ(PixelsToPoints(c.pixels), c.points) << c.pixels;
    }
    EXPECT_EQ(PointsToPixels(11), 15);
    // Every stored pixel height survives the trip through points.
    for (int pixels = 6; pixels <= 200; ++pixels)
        EXPECT_EQ(PointsToPixels(PixelsToPoints(pixels)), pixels);
}

TEST(KeyPressMemoryTest, OnlyReleasesOfKeysPressedHereCount)
{
    TKeyPressMemory keys;
    EXPECT_FALSE(keys.Released(Qt::Key_Return));  // pressed in a message box
    keys.Pressed(Qt::Key_A);
    keys.Pressed(Qt::Key_A);  // auto-repeat
    keys.Pressed(Qt::Key_Shift);
    EXPECT_TRUE(keys.Released(Qt::Key_A));
    EXPECT_FALSE(keys.Released(Qt::Key_A));
    EXPECT_TRUE(keys.Released(Qt::Key_Shift));
}

}  // namespace
}  // namespace tallyrix
