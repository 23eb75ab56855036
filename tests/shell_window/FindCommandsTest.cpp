// Find and replace from the menu, the shortcuts, the speed button and the
// editor's pop-up, over the real editor.
#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "shell/FindDialog.h"
#include "shell/ReplaceDialog.h"
#include "shell/ResultField.h"
#include "tests/window/WindowFixture.h"

namespace tallyrix::test {
namespace {

class FindCommandsTest : public WindowTest {
protected:
    QLineEdit* Edit(QWidget* dialog, const char* name) { return dialog->findChild<QLineEdit*>(name); }
    void Press(QWidget* dialog, const char* name)
    {
        QTest::mouseClick(dialog->findChild<QPushButton*>(name), Qt::LeftButton);
    }
    QString Selected() const { return Form->Panes.reExpression->textCursor().selectedText(); }
    int SelStart() const { return Form->Panes.reExpression->textCursor().selectionStart(); }
};

// Every entry point seeds the dialog with the selected word and puts the
// caret at the top, so Find Next finds the first occurrence, then the next,
// and at the end stays on the last one.
TEST_F(FindCommandsTest, EveryEntryOpensFindSeededAndFindNextNeverWraps)
{
    const std::function<void()> openings[] = {
        [&] { Form->Menu.Edit.mFind->trigger(); },
        [&] {
            ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
            QTest::keyClick(Form->Panes.reExpression, Qt::Key_F, Qt::ControlModifier);
        },
        [&] { QTest::mouseClick(Button("FindBtn"), Qt::LeftButton); },
        [&] { Form->findChild<QAction*>(QStringLiteral("pmFind"))->trigger(); },
    };
    for (const auto& open : openings) {
        Form->FindDialog->hide();
        SetDocument("x=1;\ny=x+2;\nx*y");
        Select(5, 6);  // the "y" of the second line
        open();
        ASSERT_TRUE(Form->FindDialog->isVisible());
        EXPECT_EQ(Form->FindDialog->FindText(), "y");
        EXPECT_EQ(SelStart(), 0);
        EXPECT_TRUE(Selected().isEmpty());
        Form->Bands.OutputEdit->clear();
        for (int expected : {5, 14, 14, 14}) {
            Press(Form->FindDialog, "FindNextButton");
            EXPECT_EQ(SelStart(), expected);
            EXPECT_EQ(Selected(), "y");
        }
        EXPECT_EQ(Output(), QString());  // Find Next never recalculates
    }
}

// Replace changes the selected occurrence and the next one, Replace All every
// one to the end; both recalculate unless only Enter evaluates.
TEST_F(FindCommandsTest, ReplaceAndReplaceAllRecalculateUnlessEnterOnly)
{
    struct Case {
        const char* button;
        bool enterOnly;
        QString document;
        QString output;
    };
    const Case cases[] = {
        {"ReplaceButton", false, "1+5+5+2", "13"},
        {"ReplaceAllButton", false, "1+5+5+5", "16"},
        {"ReplaceAllButton", true, "1+5+5+5", ""},
    };
    for (const Case& c : cases) {
        SetDocument("1+2+2+2");
        Form->Menu.Options.mEnter->setChecked(c.enterOnly);
        Form->Bands.OutputEdit->clear();
        Form->Menu.Edit.mReplace->trigger();
        Edit(Form->ReplaceDialog, "FindEdit")->setText("2");
        Edit(Form->ReplaceDialog, "ReplaceEdit")->setText("5");
        Press(Form->ReplaceDialog, "FindNextButton");
        ASSERT_EQ(SelStart(), 2);
        Press(Form->ReplaceDialog, c.button);
        EXPECT_EQ(Document(), c.document) << c.button << c.enterOnly;
        EXPECT_EQ(Output(), c.output) << c.button << c.enterOnly;
        EXPECT_TRUE(Form->ReplaceDialog->isVisible());
    }
}

}  // namespace
}  // namespace tallyrix::test
