// Find and replace on a text edit (either kind): the document editor seen
// as a FindTarget.
#pragma once

#include <QTextCharFormat>
#include <QTextCursor>
#include <functional>
#include <vector>

#include "shell/FindReplace.h"

class QPlainTextEdit;
class QTextDocument;
class QTextEdit;

namespace tallyrix {

class TRichEdit;

class TextEditFindTarget : public FindTarget {
public:
    // Replacement text is inserted with insertFormat, the editor's default
    // attributes, so it never continues a comment's style.
    explicit TextEditFindTarget(QTextEdit& editor, QTextCharFormat insertFormat = {});
    explicit TextEditFindTarget(QPlainTextEdit& editor, QTextCharFormat insertFormat = {});
    // The document editor: a long line broken for display is searched whole.
    explicit TextEditFindTarget(TRichEdit& editor, QTextCharFormat insertFormat = {});

    QString Text() const override;
    int SelStart() const override;
    int SelLength() const override;
    void Select(int start, int length) override;
    void ReplaceSelection(const QString& text) override;
    void BeginEdit() override;
    void EndEdit() override;

private:
    using ReadCursor = std::function<QTextCursor()>;
    using WriteCursor = std::function<void(const QTextCursor&)>;
    TextEditFindTarget(QTextDocument* document, ReadCursor read, WriteCursor write, QTextCharFormat insertFormat);

    QTextCursor Cursor() const;
    void Keep(const QTextCursor& cursor);
    // The document's display breaks; none for a document without any.
    std::vector<int> Breaks() const;

    QTextDocument* Document;
    ReadCursor EditorCursor;
    WriteCursor SetEditorCursor;
    QTextCharFormat InsertFormat;
    QTextCursor EditBlock;  // the working cursor while replacements run
    std::function<bool()> HasBreaks = [] { return false; };
};

}  // namespace tallyrix
