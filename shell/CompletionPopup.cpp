#include "shell/CompletionPopup.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>
#include <span>

namespace tallyrix {

namespace {

constexpr int VisibleRows = 8;
// The best names only: a longer list helps no one choose, and building it
// would slow the key that shows it.
constexpr std::size_t ListedRows = 24;

}  // namespace

TCompletionPopup::TCompletionPopup(QAbstractScrollArea* editor, QWidget* window) : QTreeWidget(window), Editor(editor)
{
    setObjectName(QStringLiteral("CompletionPopup"));
    setColumnCount(2);
    header()->hide();
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFocusPolicy(Qt::NoFocus);
    viewport()->setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Opaque: a change of the list repaints the list alone, not the editor below it.
    setAutoFillBackground(true);
    hide();
    editor->installEventFilter(this);
    connect(this, &QTreeWidget::itemClicked, this, &TCompletionPopup::Chosen);
}

void TCompletionPopup::ShowCandidates(const std::vector<CompletionCandidate>& candidates, const QRect& caret)
{
    if (candidates.empty()) {
        hide();
        return;
    }
    clear();
    const std::span<const CompletionCandidate> listed(candidates.data(), std::min(candidates.size(), ListedRows));
    // Added in one step: the view lays out once, not once per name.
    QList<QTreeWidgetItem*> items;
    for (const CompletionCandidate& candidate : listed) {
        auto* item =
            new QTreeWidgetItem({QString::fromStdString(candidate.name), QString::fromStdString(candidate.detail)});
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        items.push_back(item);
    }
    addTopLevelItems(items);
    setCurrentItem(topLevelItem(0));
    FitColumns(listed);
    PlaceBelow(caret);
    show();
    raise();
}

// Measured from the texts: a view not yet shown lays out only some rows.
void TCompletionPopup::FitColumns(std::span<const CompletionCandidate> candidates)
{
    const QFontMetrics metrics = fontMetrics();
    int names = 0;
    int details = 0;
    for (const CompletionCandidate& candidate : candidates) {
        names = std::max(names, metrics.horizontalAdvance(QString::fromStdString(candidate.name)));
        details = std::max(details, metrics.horizontalAdvance(QString::fromStdString(candidate.detail)));
    }
    // Room for the items' margins and a gap between name and value.
    const int padding = metrics.horizontalAdvance(QStringLiteral("MM"));
    setColumnWidth(0, names + padding);
    setColumnWidth(1, details + padding);
}

void TCompletionPopup::PlaceBelow(const QRect& caret)
{
    const int rows = std::min(topLevelItemCount(), VisibleRows);
    const int height = rows * sizeHintForRow(0) + 2 * frameWidth();
    const int width = columnWidth(0) + columnWidth(1) + 2 * frameWidth() +
                      (topLevelItemCount() > rows ? verticalScrollBar()->sizeHint().width() : 0);
    const QWidget* viewport = Editor->viewport();
    const QRect place(viewport->mapTo(parentWidget(), caret.topLeft()), caret.size());
    const bool roomBelow = place.bottom() + height < parentWidget()->height();
    setGeometry(place.left(), roomBelow ? place.bottom() + 1 : std::max(0, place.top() - height), width, height);
}

void TCompletionPopup::FollowCaret(const QRect& caret)
{
    if (!isVisible()) return;
    if (!Editor->viewport()->rect().intersects(caret)) {
        hide();
        return;
    }
    PlaceBelow(caret);
}

void TCompletionPopup::MoveChoice(int step)
{
    const int row = std::clamp(indexOfTopLevelItem(currentItem()) + step, 0, topLevelItemCount() - 1);
    setCurrentItem(topLevelItem(row));
}

QString TCompletionPopup::Choice() const
{
    const QTreeWidgetItem* item = currentItem();
    return item ? item->text(0) : QString();
}

bool TCompletionPopup::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Editor && (event->type() == QEvent::FocusOut || event->type() == QEvent::Resize)) hide();
    return QTreeWidget::eventFilter(watched, event);
}

}  // namespace tallyrix
