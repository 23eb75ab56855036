#include "shell/RichEdit.h"

#include <QMimeData>
#include <QTextDocumentFragment>

namespace tallyrix {

TRichEdit::TRichEdit(const QString& name, QWidget* parent)
    : QPlainTextEdit(parent), Text(new TDocumentText(document()))
{
    setObjectName(name);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

bool TRichEdit::canInsertFromMimeData(const QMimeData* source) const { return source->hasText(); }

void TRichEdit::insertFromMimeData(const QMimeData* source)
{
    if (source->hasText()) insertPlainText(source->text());
}

QMimeData* TRichEdit::createMimeDataFromSelection() const
{
    auto* data = new QMimeData;
    data->setText(textCursor().selection().toPlainText());
    return data;
}

}  // namespace tallyrix
