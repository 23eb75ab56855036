// The mark of the statement a run stopped in: a red wavy underline drawn over
// the editor's text as an extra selection, so it never enters the document
// (no undo step, no modified flag, nothing saved). Double-clicking a watched
// widget (the message in the side pane or the status bar) asks for the
// statement to be selected.
#pragma once

#include <QObject>
#include <QTextCursor>

#include "document/StatementLines.h"

class QPlainTextEdit;

namespace tallyrix {

class TStatementMark : public QObject {
    Q_OBJECT
public:
    explicit TStatementMark(QPlainTextEdit* editor);

    // Marks the span (lines and byte columns of the editor's UTF-8 text).
    void Show(const DocumentSpan& span);
    void Clear();
    bool IsShown() const { return !Span.isNull(); }
    // The marked text as it stands now (the mark follows edits).
    QString MarkedText() const;

    // Selects the marked statement in the editor and scrolls to it.
    void SelectInEditor();
    // A double-click on widget emits SelectionRequested.
    void WatchDoubleClicks(QObject* widget);

signals:
    void SelectionRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int PositionOf(const DocumentPoint& point) const;

    QPlainTextEdit* Editor;
    QTextCursor Span;
};

}  // namespace tallyrix
