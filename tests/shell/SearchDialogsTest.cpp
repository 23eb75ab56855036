// The Find and Replace dialogs, offscreen: what their buttons emit and what
// they hand over.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "shell/FindDialog.h"
#include "shell/ReplaceDialog.h"

namespace tallyrix {
namespace {

template <typename T>
T* Child(QWidget& dialog, const char* name)
{
    T* child = dialog.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
}

TEST(SearchDialogsTest, ButtonsNeedASearchText)
{
    TReplaceDialog dialog;
    dialog.Open("");
    const char* buttons[] = {"FindNextButton", "ReplaceButton", "ReplaceAllButton"};
    for (const char* name : buttons)
        EXPECT_FALSE(Child<QPushButton>(dialog, name)->isEnabled()) << name;
    QTest::keyClicks(Child<QLineEdit>(dialog, "FindEdit"), "x");
    for (const char* name : buttons)
        EXPECT_TRUE(Child<QPushButton>(dialog, name)->isEnabled()) << name;
    EXPECT_TRUE(Child<QPushButton>(dialog, "CancelButton")->isEnabled());
}

TEST(SearchDialogsTest, ReplaceButtonsEmitTheirRequest)
{
    struct Case {
        const char* button;
        int finds;
        int replaces;
        bool all;
    };
    const Case cases[] = {
        {"FindNextButton", 1, 0, false},
        {"ReplaceButton", 0, 1, false},
        {"ReplaceAllButton", 0, 1, true},
    };
    for (const Case& c : cases) {
        TReplaceDialog dialog;
        dialog.Open("率");
        Child<QLineEdit>(dialog, "ReplaceEdit")->setText("割合");
        Child<QCheckBox>(dialog, "WholeWordBox")->setChecked(true);
        QSignalSpy finds(&dialog, &TReplaceDialog::Find);
        QSignalSpy replaces(&dialog, &TReplaceDialog::Replace);
        QTest::mouseClick(Child<QPushButton>(dialog, c.button), Qt::LeftButton);
        EXPECT_EQ(finds.count(), c.finds) << c.button;
        EXPECT_EQ(replaces.count(), c.replaces) << c.button;
        const ReplaceRequest request = dialog.Request();
        EXPECT_EQ(request.findText, "率");
        EXPECT_EQ(request.replaceText, "割合");
        EXPECT_TRUE(request.options.wholeWord);
        EXPECT_FALSE(request.options.matchCase);
        EXPECT_EQ(request.replaceAll, c.all) << c.button;
    }
}

TEST(SearchDialogsTest, EnterFindsNextAndTheDialogStaysOpen)
{
    TFindDialog dialog;
    dialog.Open("pi");
    Child<QCheckBox>(dialog, "MatchCaseBox")->setChecked(true);
    QSignalSpy finds(&dialog, &TFindDialog::Find);
    QTest::keyClick(Child<QLineEdit>(dialog, "FindEdit"), Qt::Key_Return);
    EXPECT_EQ(finds.count(), 1);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.Options().matchCase);
}

TEST(SearchDialogsTest, OpeningAgainSetsTheSearchTextAndKeepsTheRest)
{
    TReplaceDialog dialog;
    dialog.Open("a");
    Child<QLineEdit>(dialog, "ReplaceEdit")->setText("b");
    Child<QCheckBox>(dialog, "MatchCaseBox")->setChecked(true);
    QTest::mouseClick(Child<QPushButton>(dialog, "CancelButton"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    dialog.Open("");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.FindText(), "");
    EXPECT_EQ(dialog.ReplaceText(), "b");
    EXPECT_TRUE(dialog.Options().matchCase);
}

TEST(SearchDialogsTest, TabRunsThroughTheTextsBeforeTheOptions)
{
    TReplaceDialog dialog;
    dialog.Open("a");
    QWidget* expected[] = {Child<QLineEdit>(dialog, "FindEdit"), Child<QLineEdit>(dialog, "ReplaceEdit"),
                           Child<QCheckBox>(dialog, "WholeWordBox"), Child<QCheckBox>(dialog, "MatchCaseBox")};
    QWidget* widget = expected[0];
    for (QWidget* next : expected) {
        EXPECT_EQ(widget, next) << next->objectName().toStdString();
        widget = widget->nextInFocusChain();
        while (widget->focusPolicy() == Qt::NoFocus)
            widget = widget->nextInFocusChain();
    }
}

}  // namespace
}  // namespace tallyrix
