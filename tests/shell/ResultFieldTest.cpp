// The result field: grouped digits where they fit, copies without them.
#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTest>
#include <functional>
#include <memory>

#include "shell/ResultField.h"

namespace tallyrix::test {
namespace {

// The whole text is in view: with the caret at its end, its start is at the
// field's left edge.
bool ShownWhole(TResultField& field)
{
    field.end(false);
    field.repaint();  // a line edit scrolls its text as it paints
    return field.cursorPositionAt(QPoint(field.contentsRect().left() + 4, field.height() / 2)) == 0;
}

TEST(ResultFieldTest, GroupedWhereItFitsElseTheDigitsAlone)
{
    TResultField field(QStringLiteral("field"));
    field.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&field));
    const QFontMetrics metrics = field.fontMetrics();
    // The style's frame and the two pixels a line edit keeps on either side.
    QStyleOptionFrame option;
    option.initFrom(&field);
    option.lineWidth = field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &field);
    const int frame =
        field.width() - field.style()->subElementRect(QStyle::SE_LineEditContents, &option, &field).width() + 4;
    const auto widthFor = [&](const char* text) {
        return metrics.horizontalAdvance(QString::fromUtf8(text)) + frame + 1;
    };
    // clang-format off
    const struct {
        const char* name;
        int width;
        bool grouped;
        const char* shown;
        bool whole;
    } cases[] = {
        {"room for the grouped value", widthFor("-1,234,567.5"), true,  "-1,234,567.5", true},
        {"room for the digits only",   widthFor("-1234567.5"),   true,  "-1234567.5",   true},
        {"room for neither",           widthFor("-1234"),        true,  "-1,234,567.5", false},
        {"grouping off",               widthFor("-1,234,567.5"), false, "-1234567.5",   true},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        field.setFixedWidth(widthFor("-1,234,567.5") + 40);
        field.ShowValue(QStringLiteral("-1234567.5"), c.grouped);
        field.setFixedWidth(c.width);  // a resize shows the value again
        EXPECT_EQ(field.text(), QString::fromUtf8(c.shown));
        EXPECT_EQ(ShownWhole(field), c.whole);
        EXPECT_EQ(field.Value(), QStringLiteral("-1234567.5"));
    }
}

TEST(ResultFieldTest, EveryCopyLeavesTheSeparatorsOut)
{
    TResultField field(QStringLiteral("field"));
    field.resize(300, 24);
    field.show();
    field.ShowValue(QStringLiteral("25000000.5"), true);
    ASSERT_EQ(field.text(), QStringLiteral("25,000,000.5"));
    // The menu as a right click on the selection makes it.
    const auto copyFromMenu = [&] {
        const std::unique_ptr<QMenu> menu(field.CreateValueMenu());
        QAction* copy = menu->actions().value(0);
        ASSERT_TRUE(copy->text().startsWith(QLineEdit::tr("&Copy")));
        copy->trigger();
    };
    const struct {
        const char* name;
        std::function<void()> copy;
    } cases[] = {
        {"copy key", [&] { QTest::keySequence(&field, QKeySequence::Copy); }},
        {"menu", copyFromMenu},
    };
    for (const auto& c : cases) {
        QGuiApplication::clipboard()->clear();
        field.setSelection(1, 6);  // "5,000,"
        c.copy();
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("5000")) << c.name;
    }
}

}  // namespace
}  // namespace tallyrix::test
