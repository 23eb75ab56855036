#include "shell/NameProbe.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QToolTip>

#include "shell/DisplayBreaks.h"

namespace tallyrix {

TNameProbe::TNameProbe(QPlainTextEdit* editor) : QObject(editor), Editor(editor)
{
    Editor->viewport()->installEventFilter(this);
}

std::string TNameProbe::ScanText() const
{
    const QTextDocument& document = *Editor->document();
    const QString text = WithoutDisplayBreaks(document.toRawText(), document, 0);
    std::string scanned(static_cast<std::size_t>(text.size()), '\x80');
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) {
            scanned[static_cast<std::size_t>(i)] = '\n';
        } else if (c < 0x80) {
            scanned[static_cast<std::size_t>(i)] = static_cast<char>(c);
        }
    }
    return scanned;
}

std::size_t TNameProbe::CaretOffset() const { return TextOffsetOf(Editor->textCursor().position()); }

void TNameProbe::ShowTip(const QString& text) const
{
    if (text.isEmpty()) {
        QToolTip::hideText();
        return;
    }
    QToolTip::showText(GlobalPoint, text, Editor->viewport());
}

void TNameProbe::Select(std::size_t from, std::size_t to)
{
    QTextCursor selection = Editor->textCursor();
    selection.setPosition(PositionOf(to));
    selection.setPosition(PositionOf(from), QTextCursor::KeepAnchor);
    Editor->setTextCursor(selection);
    Editor->ensureCursorVisible();
}

bool TNameProbe::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        Pointer = CharacterAt(help->pos());
        GlobalPoint = help->globalPos();
        emit HoverRequested();
        return true;
    }
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && mouse->modifiers().testFlag(Qt::ControlModifier)) {
            Pointer = CharacterAt(mouse->position().toPoint());
            emit JumpRequested();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

// The caret place nearest the point is at one edge of the character under
// it: the one after the place, or, left of the place, the one before.
std::size_t TNameProbe::CharacterAt(QPoint point) const
{
    const QTextCursor nearest = Editor->cursorForPosition(point);
    int position = nearest.position();
    if (point.x() < Editor->cursorRect(nearest).left() && position > 0) --position;
    return TextOffsetOf(position);
}

std::size_t TNameProbe::TextOffsetOf(int position) const
{
    return static_cast<std::size_t>(TextOffset(DisplayBreakPositions(*Editor->document(), 0, position), position));
}

int TNameProbe::PositionOf(std::size_t offset) const
{
    const QTextDocument& document = *Editor->document();
    return DocumentPosition(DisplayBreakPositions(document, 0, document.characterCount()), static_cast<int>(offset));
}

}  // namespace tallyrix
