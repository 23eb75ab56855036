#include "shell/EntryMenu.h"

#include <QToolButton>
#include <algorithm>

#include "shell/ButtonBar.h"
#include "shell/Hints.h"

namespace tallyrix {

std::vector<std::pair<int, int>> EntryRuns(int first, int last, int fanout)
{
    long long size = 1;
    while ((last - first + size - 1) / size > fanout)
        size *= fanout;
    std::vector<std::pair<int, int>> runs;
    for (long long start = first; start < last; start += size)
        runs.emplace_back(static_cast<int>(start), static_cast<int>(std::min<long long>(start + size, last)));
    return runs;
}

EntryMenu::EntryMenu(TButtonBar& bar, Range range, QWidget* parent)
    : QMenu(parent), Bar(bar), EntryRange(std::move(range))
{
    setToolTipsVisible(true);
    connect(this, &QMenu::aboutToShow, this, &EntryMenu::Fill);
}

// Made anew each time: the bar may have other entries, or other rows in
// view, since the menu last opened.
void EntryMenu::Fill()
{
    for (QAction* action : actions()) {
        removeAction(action);
        if (QMenu* submenu = action->menu()) submenu->deleteLater();
        action->deleteLater();
    }
    const auto [first, last] = EntryRange();
    for (const auto& [start, end] : EntryRuns(first, last, EntryMenuFanout)) {
        if (end - start == 1) {
            AddEntry(start);
        } else {
            AddRun(start, end);
        }
    }
}

// The item presses the entry's button, so it inserts what the button would.
void EntryMenu::AddEntry(int index)
{
    const QToolButton* shown = Bar.EntryButton(index);
    QAction* action = addAction(shown->text());
    action->setToolTip(shown->toolTip());
    action->setStatusTip(shown->statusTip());
    connect(action, &QAction::triggered, this, [this, index] { Bar.EntryButton(index)->click(); });
}

void EntryMenu::AddRun(int first, int last)
{
    auto* submenu = new EntryMenu(
        Bar,
        [first, last] {
            return std::pair{first, last};
        },
        this);
    submenu->setTitle(Bar.EntryButton(first)->text() + QStringLiteral(" … ") + Bar.EntryButton(last - 1)->text());
    addMenu(submenu);
}

}  // namespace tallyrix
