// Names in the window's editor: the tooltip of a resting pointer, and the
// jump to an assignment by Ctrl+click and F12.
#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QToolTip>

#include "tests/registry_window/RegisteredWindowFixture.h"

namespace tallyrix::test {
namespace {

const QString Loan = QStringLiteral(
    "// loan\n"
    "price = 25000000;\n"
    "rate = 0.015 / 12;   -- a year\n"
    "price = price * 0.9;\n"
    "monthly = price * rate / (1 - (1 + rate)^-420);\n"
    "total = monthly * 420 + g");

class NameWindowTest : public RegisteredWindowTest {
protected:
    void SetUp() override
    {
        StartWith({"a,1,", "g,9.80665,重力加速度", "k,2,"});
        SetDocument(Loan);
        Form->Recalculate();
    }

    // On the character at offset of the document's text.
    QPoint PointAt(int offset) const
    {
        QTextCursor cursor(Form->Panes.reExpression->document());
        cursor.setPosition(offset);
        const QRect caret = Form->Panes.reExpression->cursorRect(cursor);
        return {caret.left() + 2, caret.center().y()};
    }
    // On the second character of the first occurrence of text.
    void HoverAt(const QString& text)
    {
        QWidget* viewport = Form->Panes.reExpression->viewport();
        const QPoint point = PointAt(static_cast<int>(Document().indexOf(text)) + 1);
        QHelpEvent hover(QEvent::ToolTip, point, viewport->mapToGlobal(point));
        QApplication::sendEvent(viewport, &hover);
    }
    // As the user does it: Ctrl goes down in the editor and comes up after
    // the click. The modifiers are the state before each key, as X11 gives
    // them; the key event turns them into the state after it.
    void CtrlClickAt(int offset)
    {
        QTest::simulateEvent(Form->Panes.reExpression, true, Qt::Key_Control, Qt::NoModifier, QString(), false);
        QTest::mouseClick(Form->Panes.reExpression->viewport(), Qt::LeftButton, Qt::ControlModifier, PointAt(offset));
        QTest::simulateEvent(Form->Panes.reExpression, false, Qt::Key_Control, Qt::ControlModifier, QString(), false);
    }
    QString Selected() const { return Form->Panes.reExpression->textCursor().selectedText(); }
    int Caret() const { return Form->Panes.reExpression->textCursor().position(); }
};

TEST_F(NameWindowTest, ARestingPointerShowsTheValueTheLastCalculationLeft)
{
    HoverAt("price * rate");
    EXPECT_EQ(QToolTip::text(), "price = 22500000 (2回代入)");
    HoverAt(" g");
    EXPECT_EQ(QToolTip::text(), QStringLiteral("g = 9.80665\n登録定数: 重力加速度"));
    // An edit not calculated yet changes nothing shown.
    QTextCursor end(Form->Panes.reExpression->document());
    end.movePosition(QTextCursor::End);
    end.insertText(QStringLiteral(";\nprice = 1"));
    HoverAt("price * rate");
    EXPECT_EQ(QToolTip::text(), "price = 22500000 (2回代入)");
    HoverAt("loan");
    EXPECT_TRUE(QTest::qWaitFor([] { return QToolTip::text().isEmpty(); }));
}

TEST_F(NameWindowTest, CtrlClickAndF12SelectTheLastAssignmentBefore)
{
    CtrlClickAt(static_cast<int>(Document().indexOf("price * rate")) + 2);
    EXPECT_EQ(Selected(), "price = price * 0.9");
    EXPECT_EQ(Caret(), Document().indexOf("price = price"));

    // Again from the caret, at the start of that statement, after the view
    // has left it.
    SetDocument(QStringLiteral("x = 1;\n") + QStringLiteral("// filler\n").repeated(300) + QStringLiteral("y = x"));
    Form->Panes.reExpression->moveCursor(QTextCursor::End);
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    QTest::keyClick(Form->Panes.reExpression, Qt::Key_F12);
    EXPECT_EQ(Selected(), "x = 1");
    EXPECT_EQ(Caret(), 0);
    EXPECT_TRUE(Form->Panes.reExpression->viewport()->rect().contains(Form->Panes.reExpression->cursorRect()));
}

TEST_F(NameWindowTest, ANameNeverAssignedBeforeMovesNothing)
{
    const int caret = Caret();
    CtrlClickAt(static_cast<int>(Document().indexOf("price")));
    EXPECT_EQ(Panel(3), "未定義");
    EXPECT_EQ(Caret(), caret);
    EXPECT_FALSE(Form->Panes.reExpression->textCursor().hasSelection());
}

TEST_F(NameWindowTest, ARegisteredConstantOpensTheDialogOnItsRow)
{
    int row = -1;
    Dialogs->DialogDriver = [&row](QDialog& dialog) {
        row = static_cast<TRegisterForm&>(dialog).sgRegister->currentRow();
    };
    CtrlClickAt(static_cast<int>(Document().lastIndexOf("g")));
    EXPECT_EQ(row, 1);
}

}  // namespace
}  // namespace tallyrix::test
