// Keeps the side pane's lines beside the editor's: while active, the first
// line shown in the pane is the editor's first visible line, whichever of the
// two is scrolled, and also when the editor's font changes its line heights.
#pragma once

#include <QObject>
#include <functional>

class QPlainTextEdit;

namespace tallyrix {

class TResultPane;

class TLineFollower : public QObject {
    Q_OBJECT
public:
    TLineFollower(QPlainTextEdit* editor, TResultPane* pane);

    void SetActive(bool active);
    bool IsActive() const { return Active; }
    // The editor's first visible line (from 0).
    int EditorTopLine() const;

    // Scrolls the pane to the editor's place, or the editor to the pane's.
    void FollowEditor();
    void FollowPane();
    // Runs replace, which fills the pane, and puts the pane beside the
    // editor's lines again.
    void ReplacePaneLines(const std::function<void()>& replace);

private:
    QPlainTextEdit* Editor;
    TResultPane* Pane;
    bool Active = false;
    bool Leading = false;  // the editor moves the pane
};

}  // namespace tallyrix
