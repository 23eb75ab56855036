// The names offered while a name is typed, driven by keys.
#include <QAction>
#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>

#include "tests/window/WindowFixture.h"

namespace tallyrix::test {
namespace {

class CompletionTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        SetDocument(QStringLiteral("rate = 0.015 / 12; ratio = 2;\n"));
        Select(30, 30);
        Form->Recalculate();  // the names of the last calculation
        Popup = Form->findChild<QTreeWidget*>(QStringLiteral("CompletionPopup"));
        ASSERT_NE(Popup, nullptr);
    }
    void Key(Qt::Key key) { QTest::keyClick(Form->Panes.reExpression, key); }

    QTreeWidget* Popup = nullptr;
};

TEST_F(CompletionTest, KeysChooseCompleteAndClose)
{
    Type(QStringLiteral("ra"));
    ASSERT_TRUE(Popup->isVisible());
    EXPECT_EQ(Popup->topLevelItem(0)->text(0), QStringLiteral("rate"));
    EXPECT_EQ(Popup->topLevelItem(0)->text(1), QStringLiteral("0.00125"));
    EXPECT_EQ(QApplication::focusWidget(), Form->Panes.reExpression);
    Type(QStringLiteral("t"));  // narrows the list, typed into the editor
    EXPECT_EQ(Popup->topLevelItemCount(), 2);
    Key(Qt::Key_Down);
    Key(Qt::Key_Return);
    EXPECT_FALSE(Popup->isVisible());
    EXPECT_EQ(Document(), QStringLiteral("rate = 0.015 / 12; ratio = 2;\nratio"));
    EXPECT_EQ(Output(), QStringLiteral("2"));  // the release of Enter calculated it

    Type(QStringLiteral("*ra"));
    ASSERT_TRUE(Popup->isVisible());
    Key(Qt::Key_Escape);
    EXPECT_FALSE(Popup->isVisible());
    // With no pop-up, Enter keeps the ";" option.
    Form->Menu.Options.mEnterToSemicolon->trigger();
    Key(Qt::Key_Return);
    EXPECT_EQ(Document(), QStringLiteral("rate = 0.015 / 12; ratio = 2;\nratio*ra;\n"));
}

TEST_F(CompletionTest, FollowsTheCaretWhenTheEditorScrolls)
{
    QString lines;
    for (int i = 0; i < 200; ++i)
        lines += QStringLiteral("rate%1 = %1;\n").arg(i);
    SetDocument(lines);
    Form->Recalculate();
    Select(static_cast<int>(lines.size()), static_cast<int>(lines.size()));
    Type(QStringLiteral("ra"));
    ASSERT_TRUE(Popup->isVisible());
    const int top = Popup->y();
    QScrollBar* bar = Form->Panes.reExpression->verticalScrollBar();
    bar->setValue(bar->value() - 1);  // the caret one line lower in the view
    ASSERT_TRUE(Popup->isVisible());
    EXPECT_GT(Popup->y(), top);
    bar->setValue(0);  // the caret out of view
    EXPECT_FALSE(Popup->isVisible());
}

TEST_F(CompletionTest, SwitchedOffNothingIsOffered)
{
    Form->Menu.Options.mCompletion->trigger();
    Type(QStringLiteral("ra"));
    EXPECT_FALSE(Popup->isVisible());
    PressAndRelease(Qt::Key_Space, Qt::ControlModifier);
    EXPECT_FALSE(Popup->isVisible());
}

}  // namespace
}  // namespace tallyrix::test
