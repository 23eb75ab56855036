#include "shell/RichEdit.h"

#include <QMimeData>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <QTextLayout>

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

std::vector<LinePlace> TRichEdit::LinesInView() const
{
    std::vector<LinePlace> places;
    const int bottom = viewport()->height();
    QTextBlock block = firstVisibleBlock();
    QRectF geometry = blockBoundingGeometry(block).translated(contentOffset());
    while (block.isValid() && geometry.top() < bottom) {
        // A wrapped line's value stands on its first row.
        const QTextLine row = block.layout()->lineCount() > 0 ? block.layout()->lineAt(0) : QTextLine();
        const qreal rowTop = geometry.top() + (row.isValid() ? row.y() : 0);
        const qreal rowHeight = row.isValid() ? row.height() : geometry.height();
        const qreal ascent = row.isValid() ? row.ascent() : QFontMetricsF(font()).ascent();
        places.push_back({block.blockNumber(), qRound(rowTop), qRound(rowHeight), qRound(rowTop + ascent)});
        block = block.next();
        geometry.translate(0, geometry.height());
        geometry.setHeight(blockBoundingRect(block).height());
    }
    return places;
}

}  // namespace tallyrix
