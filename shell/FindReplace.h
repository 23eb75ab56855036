// Find and replace over the document editor: the search runs forward from
// the end of the selection to the end of the text, never wraps, and reports
// nothing when it finds nothing.
#pragma once

#include <QString>

namespace tallyrix {

struct SearchOptions {
    bool matchCase = false;
    bool wholeWord = false;
};

// The editor as find and replace sees it. Positions and lengths count UTF-16
// code units, as QString and QTextCursor do.
class FindTarget {
public:
    virtual ~FindTarget() = default;
    virtual QString Text() const = 0;
    virtual int SelStart() const = 0;
    virtual int SelLength() const = 0;
    virtual void Select(int start, int length) = 0;
    // The caret then stands after the inserted text, with no selection.
    virtual void ReplaceSelection(const QString& text) = 0;
    // The replacements of one press between these two are undone as one.
    virtual void BeginEdit() {}
    virtual void EndEdit() {}
};

struct ReplaceRequest {
    QString findText;
    QString replaceText;
    SearchOptions options;
    bool replaceAll = false;
};

struct ReplaceOutcome {
    int replaced = 0;
    bool recalculate = false;  // the caller runs Recalculate when set
};

// Position of the first occurrence of what in text at or after from, or -1.
// An empty what is never found.
int FindForward(const QString& text, const QString& what, int from, SearchOptions options);

// Opening either dialog: returns the selected text, which becomes the
// dialog's search text, and puts the caret at the top with no selection, so
// the first Find Next finds the first occurrence of the document.
QString BeginSearch(FindTarget& target);

// Find Next: selects the next occurrence after the selection and returns
// true; finding nothing leaves the selection as it was.
bool FindNext(FindTarget& target, const QString& what, SearchOptions options);

// Replace and Replace All. A selection that is exactly the search text (case
// included, whatever the options say) is replaced first; then the next
// occurrence, or with replaceAll every following one, is replaced. Each
// search starts behind the text just inserted, so a replacement holding the
// search text ends. Occurrences before the caret stay. When nothing more is
// found the selection collapses to its start. An empty search text changes
// nothing. Recalculation follows unless the document evaluates only on Enter.
ReplaceOutcome ReplaceOccurrences(FindTarget& target, const ReplaceRequest& request, bool evaluateOnEnterOnly);

}  // namespace tallyrix
