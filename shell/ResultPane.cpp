#include "shell/ResultPane.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>
#include <algorithm>

namespace tallyrix {
namespace {

constexpr int Margin = 3;
// Lines this much shorter than the longest are measured too: in a
// proportional font they may still be the widest.
constexpr qsizetype MeasuredShortfall = 3;
constexpr int MeasuredLinesLimit = 64;

int ColumnAtX(const QString& text, const QFont& font, qreal x)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    return line.xToCursor(x);
}

qreal XOfColumn(const QString& text, const QFont& font, qsizetype column)
{
    return QFontMetricsF(font).horizontalAdvance(text.left(column));
}

}  // namespace

TResultPane::TResultPane(const QString& name, QWidget* parent) : QAbstractScrollArea(parent)
{
    setObjectName(name);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    Starts.push_back(0);
}

void TResultPane::SetContent(const QString& body, const QTextCharFormat& bodyFormat, const QString& message,
                             const QTextCharFormat& messageFormat)
{
    BodyFormat = bodyFormat;
    MessageFormat = messageFormat;
    Aligned = false;
    LineOffset = 0;
    QString text = body;
    if (!message.isEmpty() && !text.isEmpty()) text += u'\n';
    SetText(text + message);
    MessageLine = message.isEmpty() ? -1 : LineCount() - 1;
    ScrollToEnd();
}

void TResultPane::SetAlignedContent(const QString& body, const QTextCharFormat& bodyFormat, int messageLine,
                                    const QTextCharFormat& messageFormat)
{
    BodyFormat = bodyFormat;
    MessageFormat = messageFormat;
    Aligned = true;
    SetText(body);
    MessageLine = messageLine;
}

void TResultPane::SetLineOffset(int pixels)
{
    if (pixels == LineOffset) return;
    LineOffset = pixels;
    viewport()->update();
}

void TResultPane::SetText(const QString& text)
{
    Text = text;
    Starts.assign(1, 0);
    for (qsizetype i = Text.indexOf(u'\n'); i >= 0; i = Text.indexOf(u'\n', i + 1))
        Starts.push_back(i + 1);
    Anchor = Position = Text.size();
    MessageLine = -1;
    MeasureWidestLines();
    UpdateScrollBars();
    viewport()->update();
}

void TResultPane::clear() { SetContent(QString(), BodyFormat); }

QString TResultPane::toPlainText() const { return Text; }

int TResultPane::LineCount() const { return static_cast<int>(Starts.size()); }

qsizetype TResultPane::LineStart(int line) const { return Starts[static_cast<std::size_t>(line)]; }

qsizetype TResultPane::LineEnd(int line) const
{
    return line + 1 < LineCount() ? LineStart(line + 1) - 1 : Text.size();
}

QString TResultPane::LineText(int line) const { return Text.mid(LineStart(line), LineEnd(line) - LineStart(line)); }

QTextCharFormat TResultPane::LineFormat(int line) const
{
    return line == MessageLine ? MessageFormat : BodyFormat;
}

void TResultPane::Select(qsizetype anchor, qsizetype position)
{
    Anchor = std::clamp<qsizetype>(anchor, 0, Text.size());
    Position = std::clamp<qsizetype>(position, 0, Text.size());
    viewport()->update();
}

void TResultPane::selectAll() { Select(0, Text.size()); }

QString TResultPane::selectedText() const { return Text.mid(std::min(Anchor, Position), std::abs(Position - Anchor)); }

void TResultPane::copy() const
{
    if (Anchor != Position) QGuiApplication::clipboard()->setText(selectedText());
}

int TResultPane::LineHeight() const
{
    return std::max(QFontMetrics(BodyFormat.font()).lineSpacing(), QFontMetrics(MessageFormat.font()).lineSpacing());
}

int TResultPane::VisibleLines() const { return std::max(1, viewport()->height() / LineHeight()); }

int TResultPane::TextLeft() const { return Margin - horizontalScrollBar()->value(); }

void TResultPane::MeasureWidestLines()
{
    qsizetype longest = 0;
    for (int line = 0; line < LineCount(); ++line)
        longest = std::max(longest, LineEnd(line) - LineStart(line));
    WidestLine = 0;
    int measured = 0;
    for (int line = 0; line < LineCount() && measured < MeasuredLinesLimit; ++line) {
        if (LineEnd(line) - LineStart(line) < longest - MeasuredShortfall) continue;
        WidestLine = std::max(WidestLine, QFontMetrics(LineFormat(line).font()).horizontalAdvance(LineText(line)));
        ++measured;
    }
}

void TResultPane::UpdateScrollBars()
{
    const int visible = VisibleLines();
    verticalScrollBar()->setRange(0, std::max(0, LineCount() - (Aligned ? 1 : visible)));
    verticalScrollBar()->setPageStep(visible);
    const int width = viewport()->width();
    horizontalScrollBar()->setRange(0, std::max(0, WidestLine + 2 * Margin - width));
    horizontalScrollBar()->setPageStep(width);
    horizontalScrollBar()->setSingleStep(QFontMetrics(BodyFormat.font()).averageCharWidth() * 2);
}

// Shows the last lines from their start: the labels ("3: ", "goukei: ")
// stay in view however wide the last line is.
void TResultPane::ScrollToEnd()
{
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    horizontalScrollBar()->setValue(0);
}

bool TResultPane::event(QEvent* event)
{
    // With the pane focused, copying and selecting all act on the pane.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll)) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void TResultPane::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const int first = verticalScrollBar()->value();
    const int last = std::min(LineCount() - 1, first + VisibleLines());
    for (int line = first; line <= last; ++line)
        PaintLine(painter, line, (line - first) * LineHeight() + LineOffset);
}

void TResultPane::PaintLine(QPainter& painter, int line, int top)
{
    const QTextCharFormat format = LineFormat(line);
    const QFont font = format.font();
    const QString text = LineText(line);
    const QFontMetrics metrics(font);
    const int baseline = top + metrics.ascent();
    painter.setFont(font);
    painter.setPen(format.foreground().style() == Qt::NoBrush ? palette().color(QPalette::Text)
                                                              : format.foreground().color());
    painter.drawText(TextLeft(), baseline, text);

    const qsizetype from = std::max(std::min(Anchor, Position), LineStart(line)) - LineStart(line);
    const qsizetype to = std::min(std::max(Anchor, Position), LineEnd(line)) - LineStart(line);
    if (from < to) {
        const qreal left = TextLeft() + XOfColumn(text, font, from);
        const QRectF selection(left, top, TextLeft() + XOfColumn(text, font, to) - left, LineHeight());
        painter.fillRect(selection, palette().color(QPalette::Highlight));
        painter.save();
        painter.setClipRect(selection);
        painter.setPen(palette().color(QPalette::HighlightedText));
        painter.drawText(TextLeft(), baseline, text);
        painter.restore();
    }
    // A line wider than the estimate widens the scroll range.
    if (const int width = metrics.horizontalAdvance(text); width > WidestLine) {
        WidestLine = width;
        UpdateScrollBars();
    }
}

void TResultPane::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

qsizetype TResultPane::OffsetAt(const QPoint& point) const
{
    const int line =
        std::clamp(verticalScrollBar()->value() + (point.y() - LineOffset) / LineHeight(), 0, LineCount() - 1);
    const int column = ColumnAtX(LineText(line), LineFormat(line).font(), point.x() - TextLeft());
    return LineStart(line) + column;
}

void TResultPane::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
    const qsizetype offset = OffsetAt(event->position().toPoint());
    Select(event->modifiers() & Qt::ShiftModifier ? Anchor : offset, offset);
}

void TResultPane::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton) Select(Anchor, OffsetAt(event->position().toPoint()));
}

void TResultPane::mouseDoubleClickEvent(QMouseEvent* event)
{
    const int line = verticalScrollBar()->value() + (event->position().toPoint().y() - LineOffset) / LineHeight();
    if (event->button() == Qt::LeftButton && MessageLine >= 0 && line == MessageLine) {
        emit MessageLineDoubleClicked();
        return;
    }
    QAbstractScrollArea::mouseDoubleClickEvent(event);
}

// The lines take the pane's font when the editor's font is applied to it,
// so that they keep standing beside the editor's lines.
void TResultPane::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() != QEvent::FontChange) return;
    BodyFormat.setFont(font());
    MeasureWidestLines();
    UpdateScrollBars();
    viewport()->update();
}

void TResultPane::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) return copy();
    if (event->matches(QKeySequence::SelectAll)) return selectAll();
    QAbstractScrollArea::keyPressEvent(event);
}

}  // namespace tallyrix
