// The result field: grouped digits where they fit, else the digits alone.
#include <gtest/gtest.h>

#include <QStyle>
#include <QStyleOptionFrame>
#include <QTest>

#include "shell/ResultField.h"

namespace tallyrix::test {
namespace {

TEST(ResultFieldTest, GroupedWhereItFitsElseTheDigitsAlone)
{
    TResultField field(QStringLiteral("field"));
    field.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&field));
    // The style's frame and the two pixels a line edit keeps on either side.
    QStyleOptionFrame option;
    option.initFrom(&field);
    option.lineWidth = field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &field);
    const int frame =
        field.width() - field.style()->subElementRect(QStyle::SE_LineEditContents, &option, &field).width() + 5;
    const auto widthFor = [&](const char* text) { return field.fontMetrics().horizontalAdvance(text) + frame; };
    // clang-format off
    const struct {
        int width;
        bool grouped;
        const char* shown;
        bool whole;
    } cases[] = {
        {widthFor("-1,234,567.5"), true,  "-1,234,567.5", true},
        {widthFor("-1234567.5"),   true,  "-1234567.5",   true},  // room for the digits only
        {widthFor("-1234"),        true,  "-1,234,567.5", false},
        {widthFor("-1,234,567.5"), false, "-1234567.5",   true},
    };
    // clang-format on
    for (const auto& c : cases) {
        field.setFixedWidth(widthFor("-1,234,567.5") + 40);
        field.ShowValue(QStringLiteral("-1234567.5"), c.grouped);
        field.setFixedWidth(c.width);  // a resize shows the value again
        EXPECT_EQ(field.text(), QString::fromUtf8(c.shown));
        // Whole: with the caret at the end, the start is at the left edge.
        field.end(false);
        field.repaint();  // a line edit scrolls its text as it paints
        EXPECT_EQ(field.cursorPositionAt(QPoint(field.contentsRect().left() + 4, 5)) == 0, c.whole) << c.width;
    }
}

}  // namespace
}  // namespace tallyrix::test
