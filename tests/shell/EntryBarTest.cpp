// A button bar of entries whose buttons are made when needed: whatever the
// number of entries, each one is reachable once, in order, as a button in
// view or through the overflow button's menu, and presses its button.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

#include "shell/ButtonBar.h"
#include "shell/EntryMenu.h"

namespace tallyrix {
namespace {

using Runs = std::vector<std::pair<int, int>>;

TEST(EntryRuns, AtMostFanoutRunsOfAPowerOfFanout)
{
    const struct {
        int first, last, fanout;
        Runs runs;
    } cases[] = {
        {0, 0, 3, {}},
        {0, 3, 3, {{0, 1}, {1, 2}, {2, 3}}},
        {5, 9, 3, {{5, 8}, {8, 9}}},
        {0, 10, 3, {{0, 9}, {9, 10}}},
        {0, 28, 3, {{0, 27}, {27, 28}}},
        {0, 65000, 30, {{0, 27000}, {27000, 54000}, {54000, 65000}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EntryRuns(c.first, c.last, c.fanout), c.runs) << c.first << ".." << c.last;
}

// Every item under menu, nested menus opened as a user would open them.
QList<QAction*> MenuItems(QMenu* menu)
{
    emit menu->aboutToShow();
    QList<QAction*> items;
    for (QAction* action : menu->actions()) {
        if (action->menu()) {
            items += MenuItems(action->menu());
        } else {
            items.append(action);
        }
    }
    return items;
}

struct BarWindow {
    explicit BarWindow(QSize size) : Bar(new TButtonBar(QStringLiteral("bar"), QSize()))
    {
        auto* column = new QVBoxLayout(&Window);
        column->setContentsMargins(0, 0, 0, 0);
        column->addWidget(Bar);
        column->addStretch();
        Window.setFixedSize(size);
        Window.show();
    }
    void Fill(int count, const QString& prefix)
    {
        QList<BarEntry> entries;
        for (int index = 0; index < count; ++index)
            entries.append({prefix + QString::number(index), QStringLiteral("tip %1|long %1").arg(index)});
        Bar->SetEntries(entries, [this](QToolButton* button, int index) {
            QObject::connect(button, &QToolButton::clicked, [this, index] { Pressed.append(index); });
        });
        QApplication::processEvents();
    }
    // The captions of the buttons a user sees, in order, then those of the
    // overflow menu's items.
    QStringList InView() const
    {
        QStringList captions;
        for (const QToolButton* button : Bar->Buttons()) {
            if (button->isVisible() && Bar->rect().contains(button->geometry())) captions.append(button->text());
        }
        return captions;
    }
    QList<QAction*> Overflowing() const
    {
        QToolButton* overflow = Bar->OverflowButton();
        if (!overflow || !overflow->isVisible()) return {};
        EXPECT_TRUE(Bar->rect().contains(overflow->geometry()));
        for (const QToolButton* button : Bar->Buttons())
            EXPECT_FALSE(button->isVisible() && button->geometry().intersects(overflow->geometry()))
                << button->text().toStdString();
        return MenuItems(overflow->menu());
    }

    QWidget Window;
    TButtonBar* Bar;
    QList<int> Pressed;
};

TEST(EntryBar, EveryEntryIsReachableOnceInOrder)
{
    const struct {
        int count;
        QSize window;
        bool overflows;
    } cases[] = {
        {0, {400, 300}, false}, {3, {400, 300}, false},  {40, {400, 300}, false},
        {40, {400, 40}, true},  {300, {400, 300}, true}, {2000, {600, 200}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " entries in " << c.window.width() << "x" << c.window.height());
        BarWindow window(c.window);
        window.Fill(c.count, QStringLiteral("e"));
        QStringList reached = window.InView();
        EXPECT_EQ(reached.size(), window.Bar->FirstHiddenEntry());
        const QList<QAction*> overflowing = window.Overflowing();
        EXPECT_EQ(!overflowing.isEmpty(), c.overflows);
        for (const QAction* action : overflowing)
            reached.append(action->text());
        QStringList expected;
        for (int index = 0; index < c.count; ++index)
            expected.append(QStringLiteral("e%1").arg(index));
        EXPECT_EQ(reached, expected);
    }
}

// An item of the overflow menu presses its entry's button, and carries the
// button's hints.
TEST(EntryBar, OverflowItemsPressTheirButtons)
{
    BarWindow window({300, 60});
    window.Fill(1000, QStringLiteral("e"));
    const QList<QAction*> items = window.Overflowing();
    ASSERT_FALSE(items.isEmpty());
    const int first = window.Bar->FirstHiddenEntry();
    for (const int offset : {0, 1, static_cast<int>(items.size()) - 1}) {
        QAction* item = items.at(offset);
        EXPECT_EQ(item->toolTip(), QStringLiteral("tip %1").arg(first + offset));
        EXPECT_EQ(item->statusTip(), QStringLiteral("long %1").arg(first + offset));
        item->trigger();
        EXPECT_EQ(window.Pressed.constLast(), first + offset);
    }
    EXPECT_EQ(window.Pressed.size(), 3);
}

// A new set of entries replaces the old one, in view and in the menu, and a
// larger window shows more of them.
TEST(EntryBar, NewEntriesAndANewSizeShowTheirOwnRows)
{
    BarWindow window({300, 60});
    window.Fill(1000, QStringLiteral("old"));
    window.Fill(500, QStringLiteral("new"));
    const int before = window.Bar->FirstHiddenEntry();
    EXPECT_TRUE(window.InView().constFirst().startsWith(QStringLiteral("new")));
    EXPECT_EQ(window.Overflowing().constLast()->text(), QStringLiteral("new499"));
    window.Window.setFixedSize(600, 300);
    QApplication::processEvents();
    EXPECT_GT(window.Bar->FirstHiddenEntry(), before);
    EXPECT_EQ(window.InView().size(), window.Bar->FirstHiddenEntry());
}

// A button's size is known before the button is made: the estimate is the
// size the button then takes.
TEST(EntryBar, CaptionsAreMeasuredAsTheButtonsTakeThem)
{
    BarWindow window({2000, 600});
    const QStringList captions = {QStringLiteral("g"), QStringLiteral("a&&b"), QStringLiteral("円周率"), QString(),
                                  QStringLiteral("a rather long caption, with a comma")};
    QList<BarEntry> entries;
    for (const QString& caption : captions)
        entries.append({caption, QString()});
    window.Bar->SetEntries(entries, {});
    QApplication::processEvents();
    for (QToolButton* button : window.Bar->Buttons()) {
        EXPECT_EQ(button->size(), button->sizeHint()) << button->text().toStdString();
        EXPECT_TRUE(button->isVisible());
    }
    EXPECT_EQ(window.Bar->Buttons().size(), captions.size());
}

}  // namespace
}  // namespace tallyrix
