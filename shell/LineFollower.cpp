#include "shell/LineFollower.h"

#include <QEvent>
#include <QScrollBar>

#include "shell/ResultPane.h"
#include "shell/RichEdit.h"

namespace tallyrix {

TLineFollower::TLineFollower(TRichEdit* editor, TResultPane* pane) : QObject(pane), Editor(editor), Pane(pane)
{
    QScrollBar* editorBar = Editor->verticalScrollBar();
    connect(editorBar, &QScrollBar::valueChanged, this, &TLineFollower::FollowEditor);
    connect(editorBar, &QScrollBar::rangeChanged, this, &TLineFollower::FollowEditor);
    connect(Pane->verticalScrollBar(), &QScrollBar::valueChanged, this, &TLineFollower::FollowPane);
    // Every change of what the editor shows (scrolling, typing, a font that
    // makes lines taller) asks for a repaint of its view; its scroll bar does
    // not always tell when the editor scrolls while it lays out its lines.
    connect(Editor, &QPlainTextEdit::updateRequest, this, &TLineFollower::FollowEditor);
    Editor->viewport()->installEventFilter(this);
    Pane->viewport()->installEventFilter(this);
}

void TLineFollower::SetActive(bool active)
{
    Active = active;
    FollowEditor();
}

// The plain editor scrolls by whole lines: its scroll value is the line at
// the top edge of the view.
int TLineFollower::EditorTopLine() const { return Editor->verticalScrollBar()->value(); }

void TLineFollower::FollowEditor()
{
    if (!Active) return;
    const QScrollBar* editorBar = Editor->verticalScrollBar();
    QScrollBar* paneBar = Pane->verticalScrollBar();
    Leading = true;
    paneBar->setRange(editorBar->minimum(), editorBar->maximum());
    paneBar->setPageStep(editorBar->pageStep());
    paneBar->setSingleStep(editorBar->singleStep());
    paneBar->setValue(editorBar->value());
    Leading = false;
    PlaceLines();
}

void TLineFollower::FollowPane()
{
    if (!Active || Leading) return;
    Editor->verticalScrollBar()->setValue(Pane->verticalScrollBar()->value());
}

void TLineFollower::PlaceLines()
{
    if (!Active) return;
    std::vector<LinePlace> places = Editor->LinesInView();
    // From the editor's view to the pane's, which may stand a little higher
    // or lower in the window.
    const int shift = Pane->viewport()->mapFromGlobal(Editor->viewport()->mapToGlobal(QPoint())).y();
    for (LinePlace& place : places) {
        place.top += shift;
        place.baseline += shift;
    }
    Pane->SetLinePlaces(std::move(places));
}

bool TLineFollower::eventFilter(QObject* watched, QEvent* event)
{
    // A taller view shows more lines; a view moved in the window moves them.
    if (event->type() == QEvent::Resize || event->type() == QEvent::Move) FollowEditor();
    return QObject::eventFilter(watched, event);
}

}  // namespace tallyrix
