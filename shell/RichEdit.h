// The document editor: a text edit that never wraps, shows both scroll
// bars, takes and gives plain text only through the clipboard and knows its
// document's length in code page 932. It lays out only the lines in view
// (the plain text edit's layout is per line), so a document of tens of
// megabytes opens and takes keys without a pause; the lines still carry
// character formats (the comment font and colour). A very long line is held
// as several blocks (see DisplayBreaks.h): keys, copy and paste treat the
// breaks between them as no part of the text. A new width lays nothing out
// again: lines are never wrapped.
#pragma once

#include <QPlainTextEdit>
#include <vector>

#include "shell/DocumentText.h"
#include "shell/LinePlace.h"

namespace tallyrix {

class TRichEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TRichEdit(const QString& name, QWidget* parent = nullptr);
    // The document's paragraphs, kept as it changes.
    const TPlainParagraphs& Paragraphs() const { return Text->Paragraphs(); }
    // The lines in view, from the first shown, where the editor lays them
    // out: lines in a larger font are taller.
    std::vector<LinePlace> LinesInView() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;

private:
    bool EditAtDisplayBreak(QKeyEvent* event);

    TDocumentText* Text;  // a child of the document
};

}  // namespace tallyrix
