// The side pane: its lines, formats, scrolling to the end and selection.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>
#include <QTest>

#include "document/FontChoice.h"
#include "shell/ResultPane.h"
#include "tests/window/WindowFixture.h"

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
    for (int i = 1; i <= count; ++i) lines << prefix + QString::number(i);
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

TEST_F(ResultPaneTest, ShowsTheEndOfItsText)
{
    Pane.SetContent(Lines(500), Body, QStringLiteral("501; ") + QString(200, u'x'), Message);
    QScrollBar* vertical = Pane.verticalScrollBar();
    QScrollBar* horizontal = Pane.horizontalScrollBar();
    EXPECT_GT(vertical->maximum(), 400);
    EXPECT_EQ(vertical->value(), vertical->maximum());
    EXPECT_GT(horizontal->value(), 0);
    EXPECT_EQ(horizontal->value(), horizontal->maximum());
    // A short last line is shown from its start.
    Pane.SetContent(QString(300, u'y') + QStringLiteral("\nz"), Body);
    EXPECT_GT(horizontal->maximum(), 0);
    EXPECT_EQ(horizontal->value(), 0);
}

TEST_F(ResultPaneTest, MouseSelectionAndCopy)
{
    Pane.SetContent(QStringLiteral("a: 1\nbb: 22\nccc: 333"), Body);
    QWidget* viewport = Pane.viewport();
    const int lineHeight = QFontMetrics(Body.font()).lineSpacing();
    QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(1, lineHeight / 2));
    QMouseEvent move(QEvent::MouseMove, QPointF(200, lineHeight * 1.5), viewport->mapToGlobal(QPointF(200, lineHeight * 1.5)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &move);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(200, lineHeight * 3 / 2));
    EXPECT_EQ(Pane.selectedText(), QStringLiteral("a: 1\nbb: 22"));
    Pane.copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("a: 1\nbb: 22"));
    // New content drops the selection.
    Pane.SetContent(QStringLiteral("x"), Body);
    EXPECT_EQ(Pane.selectedText(), QString());
}

// With the pane focused, Ctrl+A and Ctrl+C act on it, not on the editor.
TEST_F(WindowTest, CopyKeysInTheFocusedSidePane)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    SetDocument(QStringLiteral("7*6"));
    Form->mEquation->trigger();
    Form->reResult->setFocus();
    QTest::keyClick(Form->reResult, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(Form->reResult, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("1: 42"));
    EXPECT_FALSE(Form->reExpression->textCursor().hasSelection());
}

}  // namespace
}  // namespace tallyrix::test
