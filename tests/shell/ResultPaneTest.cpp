// The side pane: its lines, formats, scrolling to the end and selection.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>
#include <QTest>

#include "document/FontChoice.h"
#include "shell/ResultPane.h"
#include "tests/shell/FormatChecks.h"

namespace tallyrix::test {
namespace {

class ResultPaneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Pane.resize(160, 120);
        Pane.show();
    }
    QTextCharFormat Body = ToCharFormat(DefaultEditorFont());
    QTextCharFormat Message = ToCharFormat(DefaultCommentFont());
    TResultPane Pane{QStringLiteral("pane")};
};

QString Lines(int count, const QString& prefix = QStringLiteral("line "))
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << prefix + QString::number(i);
    return lines.join(u'\n');
}

TEST_F(ResultPaneTest, LinesAndTheMessageLine)
{
    struct Case {
        QString body, message;
        int lines;
        QString text;
        bool lastIsMessage;
    };
    const Case cases[] = {
        {QString(), QString(), 1, QString(), false},
        {QStringLiteral("pi: 3"), QString(), 1, QStringLiteral("pi: 3"), false},
        {QString(), QStringLiteral("0; 入力・修正待ち"), 1, QStringLiteral("0; 入力・修正待ち"), true},
        {QStringLiteral("1: 1\n2: 2"), QStringLiteral("3; x"), 3, QStringLiteral("1: 1\n2: 2\n3; x"), true},
    };
    for (const Case& c : cases) {
        Pane.SetContent(c.body, Body, c.message, Message);
        EXPECT_EQ(Pane.LineCount(), c.lines);
        EXPECT_EQ(Pane.toPlainText(), c.text);
        EXPECT_EQ(IsCommentFormat(Pane.LineFormat(c.lines - 1)), c.lastIsMessage) << c.text.toStdString();
        EXPECT_TRUE(IsEditorFormat(Pane.LineFormat(0)) || c.lastIsMessage);
    }
    EXPECT_EQ(Pane.LineText(1), QStringLiteral("2: 2"));
}

// Lines shown after others replace only those that changed; the pane must
// end up as one given the new lines at once.
TEST_F(ResultPaneTest, LinesShownAfterOthersGiveWhatTheyGiveAlone)
{
    struct Row {
        const char* what;
        std::string_view before, after;
        QString message;
        bool aligned = false;
    };
    // clang-format off
    const Row rows[] = {
        {"a value in the middle", "1: 1\n2: 2\n3: 3\n4: 4\n", "1: 1\n2: 29\n3: 3\n4: 4\n", QString()},
        {"beside the editor: a value in the middle", "1\n\n3\n", "1\n\n4\n",     QString(), true},
        {"beside the editor: a line inserted",       "1\n3\n",    "1\n\n3\n",     QString(), true},
        {"beside the editor: the last lines removed", "1\n2\n3\n", "1\n",         QString(), true},
        {"the last value",        "1: 1\n2: 2\n",       "1: 1\n2: 20\n",      QString()},
        {"a line added",          "1: 1\n",             "1: 1\n2: 2\n",       QString()},
        {"lines removed at the end", "1: 1\n2: 2\n3: 3\n", "1: 1\n",          QString()},
        {"a line inserted",       "a: 1\nc: 3\n",       "a: 1\nb: 2\nc: 3\n", QString()},
        {"the first line removed", "a: 1\nb: 2\n",      "b: 2\n",             QString()},
        {"a line added before the message", "1: 1\n",   "1: 1\n2: 2\n",       QStringLiteral("3; x")},
        {"the last value before the message", "1: 1\n2: 2\n", "1: 1\n2: 3\n", QStringLiteral("3; x")},
        {"all lines gone",        "1: 1\n",             "",                   QStringLiteral("1; x")},
        {"lines after none",      "",                   "1: 1\n",             QString()},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const auto show = [&](TResultPane& pane, std::string_view lines) {
            if (row.aligned)
                pane.ShowAlignedLines(lines, Body, 0, Message);
            else
                pane.ShowLines(lines, Body, row.message, Message);
        };
        show(Pane, row.before);
        show(Pane, row.after);
        TResultPane alone(QStringLiteral("alone"));
        alone.resize(Pane.size());
        show(alone, row.after);
        ASSERT_EQ(Pane.toPlainText(), alone.toPlainText());
        ASSERT_EQ(Pane.LineCount(), alone.LineCount());
        for (int line = 0; line < Pane.LineCount(); ++line) {
            EXPECT_EQ(Pane.LineText(line), alone.LineText(line)) << line;
            EXPECT_EQ(IsCommentFormat(Pane.LineFormat(line)), IsCommentFormat(alone.LineFormat(line))) << line;
        }
        if (!row.aligned) {
            EXPECT_EQ(Pane.verticalScrollBar()->value(), Pane.verticalScrollBar()->maximum());
        }
    }
}

// The last lines are shown from their start, so every line's label stays in
// view, even after the user scrolled sideways.
TEST_F(ResultPaneTest, ShowsTheLastLinesFromTheirStart)
{
    QScrollBar* vertical = Pane.verticalScrollBar();
    QScrollBar* horizontal = Pane.horizontalScrollBar();
    const QString wide = QString(300, u'y');
    const struct {
        QString body;
        QString message;
        bool scrollsDown;
    } cases[] = {
        {Lines(500), QStringLiteral("501; ") + QString(200, u'x'), true},
        {Lines(500, QStringLiteral("goukei: ") + wide), QString(), true},
        {wide + QStringLiteral("\nz"), QString(), false},
    };
    for (const auto& c : cases) {
        horizontal->setValue(horizontal->maximum());
        Pane.SetContent(c.body, Body, c.message, Message);
        EXPECT_GT(horizontal->maximum(), 0);
        EXPECT_EQ(horizontal->value(), 0);
        EXPECT_EQ(vertical->value(), vertical->maximum());
        EXPECT_EQ(vertical->maximum() > 400, c.scrollsDown);
    }
}

// Beside the editor: each line where it is placed, right-aligned; a line too
// wide for the pane is elided and whole in its tooltip, as are the notes.
TEST_F(ResultPaneTest, AlignedLinesAreRightAlignedAndElidedWithTooltips)
{
    const QString longMessage = QStringLiteral("3; ") + QString(80, u'x');
    const QString note = QStringLiteral("1: 5\n2: 12");
    Pane.SetAlignedContent(QStringLiteral("12\n\n") + longMessage, Body, 2, Message, {{0, note}});
    Pane.SetLinePlaces({{0, 4, 20, 18}, {1, 24, 20, 38}, {2, 44, 30, 66}});
    const struct {
        int line;
        QString toolTip;
    } cases[] = {{0, note}, {1, QString()}, {2, longMessage}};
    const int right = Pane.viewport()->width() - 3;
    for (const auto& c : cases) {
        const QRect text = Pane.AlignedTextRect(c.line);
        EXPECT_EQ(text.left() + text.width(), right) << c.line;
        EXPECT_GE(text.left(), 3) << c.line;  // never cut at the left edge
        EXPECT_EQ(Pane.LineToolTip(c.line), c.toolTip) << c.line;
    }
    EXPECT_EQ(Pane.AlignedTextRect(2).top(), 44);
    EXPECT_TRUE(Pane.AlignedTextRect(3).isNull());
    EXPECT_EQ(Pane.horizontalScrollBar()->maximum(), 0);
}

TEST_F(ResultPaneTest, MouseSelectionAndCopy)
{
    QWidget* viewport = Pane.viewport();
    const QFontMetrics metrics(Body.font());
    const int lineHeight = metrics.lineSpacing();
    // From the first line's start to a place, as a drag does.
    const auto drag = [&](QPoint to) {
        QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(1, lineHeight / 2));
        QMouseEvent move(QEvent::MouseMove, to, viewport->mapToGlobal(QPointF(to)), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &move);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
    };
    Pane.SetContent(QStringLiteral("半径: 2\n面積: 12.5"), Body);
    drag(QPoint(3 + metrics.horizontalAdvance(QStringLiteral("半径")), lineHeight / 2));
    EXPECT_EQ(Pane.selectedText(), QStringLiteral("半径"));
    drag(QPoint(200, lineHeight * 3 / 2));
    EXPECT_EQ(Pane.selectedText(), QStringLiteral("半径: 2\n面積: 12.5"));
    Pane.copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("半径: 2\n面積: 12.5"));
    // New content drops the selection.
    Pane.SetContent(QStringLiteral("x"), Body);
    EXPECT_EQ(Pane.selectedText(), QString());
}

}  // namespace
}  // namespace tallyrix::test
