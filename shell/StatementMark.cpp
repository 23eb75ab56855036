#include "shell/StatementMark.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QTextBlock>

namespace tallyrix {

TStatementMark::TStatementMark(QPlainTextEdit* editor) : QObject(editor), Editor(editor) {}

int TStatementMark::PositionOf(const DocumentPoint& point) const
{
    const QTextBlock block = Editor->document()->findBlockByNumber(static_cast<int>(point.line));
    if (!block.isValid()) return Editor->document()->characterCount() - 1;
    // Columns count UTF-8 bytes; a cut through a character keeps the whole
    // character.
    const QByteArray bytes = block.text().toUtf8().left(static_cast<qsizetype>(point.column));
    return block.position() + static_cast<int>(QString::fromUtf8(bytes).size());
}

void TStatementMark::Show(const DocumentSpan& span)
{
    Span = QTextCursor(Editor->document());
    Span.setPosition(PositionOf(span.from));
    Span.setPosition(PositionOf(span.to), QTextCursor::KeepAnchor);
    QTextEdit::ExtraSelection mark;
    mark.cursor = Span;
    mark.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    mark.format.setUnderlineColor(Qt::red);
    Editor->setExtraSelections({mark});
}

void TStatementMark::Clear()
{
    if (!IsShown()) return;
    Span = QTextCursor();
    Editor->setExtraSelections({});
}

QString TStatementMark::MarkedText() const { return Span.selectedText(); }

void TStatementMark::SelectInEditor()
{
    if (!IsShown()) return;
    QTextCursor selection = Editor->textCursor();
    selection.setPosition(Span.anchor());
    selection.setPosition(Span.position(), QTextCursor::KeepAnchor);
    Editor->setTextCursor(selection);
    Editor->ensureCursorVisible();
    Editor->setFocus();
}

void TStatementMark::WatchDoubleClicks(QObject* widget) { widget->installEventFilter(this); }

bool TStatementMark::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) emit SelectionRequested();
    return QObject::eventFilter(watched, event);
}

}  // namespace tallyrix
