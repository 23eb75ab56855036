// Keeps the side pane's lines beside the editor's: while active, the first
// line shown in the pane is the editor's first visible line, whichever of the
// two is scrolled, and also when the editor's font changes its line heights.
#pragma once

#include <QObject>

class QTextEdit;

namespace tallyrix {

class TResultPane;

class TLineFollower : public QObject {
    Q_OBJECT
public:
    TLineFollower(QTextEdit* editor, TResultPane* pane);

    void SetActive(bool active);
    bool IsActive() const { return Active; }
    // The editor's first visible line (from 0).
    int EditorTopLine() const;

    // Scrolls the pane to the editor's place, or the editor to the pane's.
    void FollowEditor();
    void FollowPane();

private:
    QTextEdit* Editor;
    TResultPane* Pane;
    bool Active = false;
};

}  // namespace tallyrix
