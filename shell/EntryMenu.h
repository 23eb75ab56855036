// The menu of a button bar's overflow button: the entries not in view, as
// menu items that press the entry's button. Many entries are grouped into
// nested menus of at most EntryMenuFanout items, each filled when it opens,
// so that 65,000 entries cost no more than a handful.
#pragma once

#include <QMenu>
#include <functional>
#include <utility>
#include <vector>

namespace tallyrix {

class TButtonBar;

constexpr int EntryMenuFanout = 30;

// [first, last) cut into at most fanout runs of one size, a power of fanout
// (the last run may be shorter): runs of one entry are the entries
// themselves, longer runs are nested menus cut the same way.
std::vector<std::pair<int, int>> EntryRuns(int first, int last, int fanout);

class EntryMenu : public QMenu {
    Q_OBJECT
public:
    // range gives [first, last) each time the menu opens.
    using Range = std::function<std::pair<int, int>()>;
    EntryMenu(TButtonBar& bar, Range range, QWidget* parent);

private:
    void Fill();
    void AddEntry(int index);
    void AddRun(int first, int last);

    TButtonBar& Bar;
    Range EntryRange;
};

}  // namespace tallyrix
