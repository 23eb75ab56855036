#include "shell/LineFollower.h"

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>
#include <cmath>

#include "shell/ResultPane.h"

namespace tallyrix {

TLineFollower::TLineFollower(QTextEdit* editor, TResultPane* pane) : QObject(pane), Editor(editor), Pane(pane)
{
    QScrollBar* editorBar = Editor->verticalScrollBar();
    connect(editorBar, &QScrollBar::valueChanged, this, &TLineFollower::FollowEditor);
    connect(editorBar, &QScrollBar::rangeChanged, this, &TLineFollower::FollowEditor);
    connect(Pane->verticalScrollBar(), &QScrollBar::valueChanged, this, &TLineFollower::FollowPane);
}

void TLineFollower::SetActive(bool active)
{
    Active = active;
    FollowEditor();
}

void TLineFollower::ReplacePaneLines(const std::function<void()>& replace)
{
    // The editor leads while the pane's lines are replaced.
    Leading = true;
    replace();
    Leading = false;
    FollowEditor();
}

int TLineFollower::EditorTopLine() const
{
    // The line at the top edge of the view, partly hidden or not.
    return Editor->cursorForPosition(QPoint(0, 1)).blockNumber();
}

void TLineFollower::FollowEditor()
{
    if (!Active) return;
    const int line = EditorTopLine();
    const QTextBlock block = Editor->document()->findBlockByNumber(line);
    const qreal top = Editor->document()->documentLayout()->blockBoundingRect(block).top();
    // The pane's line stands where the editor's line stands, to the pixel.
    Pane->SetLineOffset(static_cast<int>(top) - Editor->verticalScrollBar()->value());
    // A pane with fewer lines than the editor (lines not yet recalculated)
    // must not pull the editor back.
    Leading = true;
    Pane->verticalScrollBar()->setValue(line);
    Leading = false;
}

void TLineFollower::FollowPane()
{
    if (!Active || Leading) return;
    const int line = Pane->verticalScrollBar()->value();
    if (line == EditorTopLine()) return;
    const QTextBlock block = Editor->document()->findBlockByNumber(line);
    if (!block.isValid()) return;
    const qreal top = Editor->document()->documentLayout()->blockBoundingRect(block).top();
    Editor->verticalScrollBar()->setValue(line == 0 ? 0 : static_cast<int>(std::ceil(top)));
}

}  // namespace tallyrix
