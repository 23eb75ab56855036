// The editor panes: a text edit that never wraps, shows both scroll bars and
// takes and gives plain text only through the clipboard.
#pragma once

#include <QTextEdit>

namespace tallyrix {

class TRichEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit TRichEdit(const QString& name, QWidget* parent = nullptr);

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;
};

}  // namespace tallyrix
