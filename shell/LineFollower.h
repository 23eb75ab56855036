// Keeps the side pane's lines beside the editor's: while active, the pane
// shows the values of the lines the editor shows, each where the editor lays
// its line out, and its scroll bar is the editor's twin: scrolling either
// scrolls both. Replacing the pane's lines never moves the editor.
#pragma once

#include <QObject>

namespace tallyrix {

class TResultPane;
class TRichEdit;

class TLineFollower : public QObject {
    Q_OBJECT
public:
    TLineFollower(TRichEdit* editor, TResultPane* pane);

    void SetActive(bool active);
    bool IsActive() const { return Active; }
    // The editor's first visible line (from 0).
    int EditorTopLine() const;

    // Gives the pane the editor's scroll bar and the places of its lines.
    void FollowEditor();
    // Scrolls the editor where the pane's scroll bar was moved.
    void FollowPane();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PlaceLines();

    TRichEdit* Editor;
    TResultPane* Pane;
    bool Active = false;
    bool Leading = false;  // the editor moves the pane
};

}  // namespace tallyrix
