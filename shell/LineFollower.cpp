#include "shell/LineFollower.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QPlainTextEdit>

#include "shell/ResultPane.h"

namespace tallyrix {

TLineFollower::TLineFollower(QPlainTextEdit* editor, TResultPane* pane) : QObject(pane), Editor(editor), Pane(pane)
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

// The plain editor scrolls by whole lines: its scroll value is the line at
// the top edge of the view.
int TLineFollower::EditorTopLine() const { return Editor->verticalScrollBar()->value(); }

void TLineFollower::FollowEditor()
{
    if (!Active) return;
    const int line = EditorTopLine();
    const QTextBlock block = Editor->document()->findBlockByNumber(line);
    // The pane's line stands where the editor's line stands, to the pixel.
    Pane->SetLineOffset(Editor->cursorRect(QTextCursor(block)).top());
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
    if (!Editor->document()->findBlockByNumber(line).isValid()) return;
    Editor->verticalScrollBar()->setValue(line);
}

}  // namespace tallyrix
