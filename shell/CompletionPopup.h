// The list of names offered below the caret while a name is typed. It never
// takes the focus: the editor keeps the keys, and its owner moves the
// choice, reads it and closes the list. It closes by itself when the
// editor loses the focus or changes its size.
#pragma once

#include <QTreeWidget>
#include <span>
#include <utility>
#include <vector>

#include "document/NameCompletion.h"

namespace tallyrix {

class TCompletionPopup : public QTreeWidget {
    Q_OBJECT
public:
    // Floats in window, over the editor it serves.
    TCompletionPopup(QAbstractScrollArea* editor, QWidget* window);

    // Shows the best names, the first one chosen, below caret (a rectangle in
    // the editor's viewport), or above it where the window has no room
    // below; hides when there are none.
    void ShowCandidates(const std::vector<CompletionCandidate>& candidates, const QRect& caret);
    // The editor scrolled: the list moves with the caret, now at caret, and
    // closes when the caret is out of the editor's view.
    void FollowCaret(const QRect& caret);
    // One up (-1) or down (+1); the choice stays at the ends.
    void MoveChoice(int step);
    QString Choice() const;

    // A key press that may go on with the name: the next caret move is its
    // edit, which the list follows; any other caret move closes it.
    void ExpectTyping(bool typing) { Typing = typing; }
    bool TakeTyping() { return std::exchange(Typing, false); }

signals:
    // A name clicked.
    void Chosen();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FitColumns(std::span<const CompletionCandidate> candidates);
    void PlaceBelow(const QRect& caret);

    QAbstractScrollArea* Editor;
    bool Typing = false;
};

}  // namespace tallyrix
