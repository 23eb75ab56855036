// The editor panes: a text edit that never wraps, shows both scroll bars,
// takes and gives plain text only through the clipboard and knows its
// document's length in code page 932.
#pragma once

#include <QTextEdit>

#include "shell/DocumentLength.h"

namespace tallyrix {

class TRichEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit TRichEdit(const QString& name, QWidget* parent = nullptr);
    // The bytes a save as Shift-JIS with CR LF would write.
    std::size_t Cp932Length() const { return Length->Cp932Length(); }

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;

private:
    TDocumentLength* Length;  // a child of the document
};

}  // namespace tallyrix
