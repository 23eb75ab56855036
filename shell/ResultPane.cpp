#include "shell/ResultPane.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>
#include <QToolTip>
#include <algorithm>

#include "document/Presentation.h"

namespace tallyrix {
namespace {

constexpr int Margin = 3;
// Lines this much shorter than the longest are measured too: in a
// proportional font they may still be the widest.
constexpr std::size_t MeasuredShortfall = 3;
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

// The lines with room to spare: when a recalculation makes a few values
// longer, the text grows in place instead of into a copy of it all.
std::string WithRoom(std::string_view lines)
{
    std::string text;
    text.reserve(lines.size() + lines.size() / 16 + 64);
    text.assign(lines);
    return text;
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

void TResultPane::ShowLines(std::string_view lines, const QTextCharFormat& bodyFormat, const QString& message,
                            const QTextCharFormat& messageFormat)
{
    const bool sameMessage = message.isEmpty() ? MessageLine < 0 : MessageLine >= 0 && LineText(MessageLine) == message;
    if (!sameMessage || !SameFrame(false, bodyFormat, messageFormat)) LinesShown.Forget();
    const std::optional<LineChange> change = LinesShown.Show(ShownLinesText(), lines, LineStartingAt());
    if (change) return ReplaceLines(static_cast<int>(change->first), static_cast<int>(change->removed), change->added);
    const std::string_view body = lines.substr(0, lines.empty() ? 0 : lines.size() - 1);
    ShowContent(WithRoom(body), bodyFormat, message, messageFormat);
}

void TResultPane::SetContent(const QString& body, const QTextCharFormat& bodyFormat, const QString& message,
                             const QTextCharFormat& messageFormat)
{
    LinesShown.Forget();
    ShowContent(body.toStdString(), bodyFormat, message, messageFormat);
}

void TResultPane::ShowContent(std::string body, const QTextCharFormat& bodyFormat, const QString& message,
                              const QTextCharFormat& messageFormat)
{
    BodyFormat = bodyFormat;
    MessageFormat = messageFormat;
    Aligned = false;
    if (!message.isEmpty() && !body.empty()) body += '\n';
    body += message.toStdString();
    SetText(std::move(body));
    MessageLine = message.isEmpty() ? -1 : LineCount() - 1;
    ScrollToEnd();
}

bool TResultPane::SameFrame(bool aligned, const QTextCharFormat& bodyFormat, const QTextCharFormat& messageFormat) const
{
    return Aligned == aligned && bodyFormat == BodyFormat && messageFormat == MessageFormat;
}

void TResultPane::ShowAlignedLines(std::string_view lines, const QTextCharFormat& bodyFormat, int messageLine,
                                   const QTextCharFormat& messageFormat, std::vector<LineNote> notes)
{
    if (!SameFrame(true, bodyFormat, messageFormat)) LinesShown.Forget();
    const std::optional<LineChange> change = LinesShown.Show(ShownLinesText(), lines, LineStartingAt());
    if (!change) {
        const std::string_view body = lines.substr(0, lines.empty() ? 0 : lines.size() - 1);
        return ShowAlignedContent(WithRoom(body), bodyFormat, messageLine, messageFormat, std::move(notes));
    }
    MessageLine = messageLine;
    Notes = std::move(notes);
    ReplaceLines(static_cast<int>(change->first), static_cast<int>(change->removed), change->added);
}

void TResultPane::SetAlignedContent(const QString& body, const QTextCharFormat& bodyFormat, int messageLine,
                                    const QTextCharFormat& messageFormat, std::vector<LineNote> notes)
{
    LinesShown.Forget();
    ShowAlignedContent(body.toStdString(), bodyFormat, messageLine, messageFormat, std::move(notes));
}

void TResultPane::ShowAlignedContent(std::string body, const QTextCharFormat& bodyFormat, int messageLine,
                                     const QTextCharFormat& messageFormat, std::vector<LineNote> notes)
{
    BodyFormat = bodyFormat;
    MessageFormat = messageFormat;
    Aligned = true;
    Notes = std::move(notes);
    SetText(std::move(body));
    MessageLine = messageLine;
}

void TResultPane::SetLinePlaces(std::vector<LinePlace> places)
{
    if (places == Places) return;
    Places = std::move(places);
    if (Aligned) viewport()->update();
}

const LinePlace* TResultPane::PlaceOf(int line) const
{
    const auto found = std::lower_bound(Places.begin(), Places.end(), line,
                                        [](const LinePlace& place, int wanted) { return place.line < wanted; });
    return found != Places.end() && found->line == line ? &*found : nullptr;
}

QRect TResultPane::AlignedTextRect(int line) const
{
    const LinePlace* place = Aligned && line < LineCount() ? PlaceOf(line) : nullptr;
    if (place == nullptr) return {};
    const ShownLine shown = Shown(line);
    const int width = QFontMetrics(LineFormat(line).font()).horizontalAdvance(shown.text);
    return {qRound(shown.left), place->top, width, place->height};
}

QString TResultPane::LineToolTip(int line) const
{
    if (line < 0 || line >= LineCount()) return {};
    const auto note = std::find_if(Notes.begin(), Notes.end(), [line](const LineNote& n) { return n.line == line; });
    if (note != Notes.end()) return note->text;
    return Aligned && Shown(line).text != LineText(line) ? LineText(line) : QString();
}

// Beside the editor a line is right-aligned and, when wider than the pane,
// elided; otherwise it starts at the left edge, scrolled with the pane.
TResultPane::ShownLine TResultPane::Shown(int line) const
{
    const QString text = LineText(line);
    if (!Aligned) return {text, static_cast<qreal>(TextLeft())};
    const QFontMetrics metrics(LineFormat(line).font());
    const int room = viewport()->width() - 2 * Margin;
    const QString elided = metrics.elidedText(FittingText(text, metrics, room), Qt::ElideRight, std::max(room, 0));
    return {elided, static_cast<qreal>(Margin + room - metrics.horizontalAdvance(elided))};
}

std::string_view TResultPane::ShownLinesText() const
{
    const bool messageAfter = !Aligned && MessageLine >= 0;
    const std::size_t end = !messageAfter ? Text.size() : std::max<std::size_t>(LineStart(MessageLine), 1) - 1;
    return std::string_view(Text).substr(0, end);
}

LineStarting TResultPane::LineStartingAt() const
{
    return [this](std::size_t offset) {
        const auto found = std::lower_bound(Starts.begin(), Starts.end(), offset);
        return static_cast<std::size_t>(found - Starts.begin());
    };
}

void TResultPane::SetText(std::string text)
{
    Text = std::move(text);
    Starts.assign(1, 0);
    for (std::size_t i = Text.find('\n'); i != std::string::npos; i = Text.find('\n', i + 1))
        Starts.push_back(i + 1);
    Anchor = Position = Text.size();
    MessageLine = -1;
    MeasureWidestLines();
    UpdateScrollBars();
    viewport()->update();
}

void TResultPane::ReplaceLines(int first, int removed, std::string_view added)
{
    const int through = first + removed;
    // As if the text ended in a line feed, so that every line ends in one
    // and lines added at the end go after it.
    const auto startOf = [this](int line) { return line < LineCount() ? LineStart(line) : Text.size() + 1; };
    const std::size_t from = startOf(first);
    const std::size_t to = startOf(through);
    if (removed > 0 || !added.empty()) {
        Text += '\n';
        Text.replace(from, to - from, added);
        Text.pop_back();
        SpliceStarts(first, through, from, added,
                     static_cast<std::ptrdiff_t>(added.size()) - static_cast<std::ptrdiff_t>(to - from));
    }
    if (!Aligned && MessageLine >= 0) MessageLine = LineCount() - 1;
    Anchor = Position = Text.size();
    const int addedLines = static_cast<int>(std::count(added.begin(), added.end(), '\n'));
    if (addedLines > MeasuredLinesLimit)
        MeasureWidestLines();
    else
        MeasureLines(first, std::min(addedLines, LineCount() - first));
    UpdateScrollBars();
    if (!Aligned) ScrollToEnd();
    viewport()->update();
}

// Starts of the lines before `first` stay, those of the added lines (from
// `from` on) follow, then those after `through`, moved by shift; in place,
// as the pane may list a line for each of a million statements.
void TResultPane::SpliceStarts(int first, int through, std::size_t from, std::string_view added, std::ptrdiff_t shift)
{
    std::vector<std::size_t> addedStarts{from};
    for (std::size_t i = added.find('\n'); i != std::string_view::npos; i = added.find('\n', i + 1))
        addedStarts.push_back(from + i + 1);
    const auto later = Starts.begin() + std::min(through + 1, LineCount());
    std::for_each(later, Starts.end(), [shift](std::size_t& start) { start += static_cast<std::size_t>(shift); });
    const auto replaced = Starts.erase(Starts.begin() + first, later);
    Starts.insert(replaced, addedStarts.begin(), addedStarts.end());
    // The line feed added above starts no line.
    while (Starts.size() > 1 && Starts.back() > Text.size())
        Starts.pop_back();
}

void TResultPane::clear()
{
    if (Aligned)
        SetAlignedContent(QString(), BodyFormat, -1, MessageFormat);
    else
        SetContent(QString(), BodyFormat);
}

QString TResultPane::toPlainText() const { return QString::fromStdString(Text); }

int TResultPane::LineCount() const { return static_cast<int>(Starts.size()); }

std::size_t TResultPane::LineStart(int line) const { return Starts[static_cast<std::size_t>(line)]; }

std::size_t TResultPane::LineEnd(int line) const
{
    return line + 1 < LineCount() ? LineStart(line + 1) - 1 : Text.size();
}

QString TResultPane::LineText(int line) const
{
    return QString::fromUtf8(Text.data() + LineStart(line), static_cast<qsizetype>(LineEnd(line) - LineStart(line)));
}

qsizetype TResultPane::TextColumn(int line, std::size_t byteColumn) const
{
    return QString::fromUtf8(Text.data() + LineStart(line), static_cast<qsizetype>(byteColumn)).size();
}

std::size_t TResultPane::ByteColumn(int line, qsizetype textColumn) const
{
    return static_cast<std::size_t>(LineText(line).left(textColumn).toUtf8().size());
}

QTextCharFormat TResultPane::LineFormat(int line) const { return line == MessageLine ? MessageFormat : BodyFormat; }

void TResultPane::Select(std::size_t anchor, std::size_t position)
{
    Anchor = std::min(anchor, Text.size());
    Position = std::min(position, Text.size());
    viewport()->update();
}

void TResultPane::selectAll() { Select(0, Text.size()); }

QString TResultPane::selectedText() const
{
    const std::size_t from = std::min(Anchor, Position);
    return QString::fromUtf8(Text.data() + from, static_cast<qsizetype>(std::max(Anchor, Position) - from));
}

void TResultPane::copy() const
{
    // Values are copied as the engine wrote them, without group separators.
    if (Anchor != Position) QGuiApplication::clipboard()->setText(WithoutGroupSeparators(selectedText()));
}

int TResultPane::LineHeight() const
{
    return std::max(QFontMetrics(BodyFormat.font()).lineSpacing(), QFontMetrics(MessageFormat.font()).lineSpacing());
}

int TResultPane::VisibleLines() const { return std::max(1, viewport()->height() / LineHeight()); }

int TResultPane::TextLeft() const { return Margin - horizontalScrollBar()->value(); }

void TResultPane::MeasureWidestLines()
{
    std::size_t longest = 0;
    for (int line = 0; line < LineCount(); ++line)
        longest = std::max(longest, LineEnd(line) - LineStart(line));
    WidestLine = 0;
    int measured = 0;
    for (int line = 0; line < LineCount() && measured < MeasuredLinesLimit; ++line) {
        if (LineEnd(line) - LineStart(line) + MeasuredShortfall < longest) continue;
        WidestLine = std::max(WidestLine, QFontMetrics(LineFormat(line).font()).horizontalAdvance(LineText(line)));
        ++measured;
    }
}

// Lines replaced can only widen the widest: a narrower pane would have to
// measure every line.
void TResultPane::MeasureLines(int first, int count)
{
    for (int line = first; line < first + count; ++line)
        WidestLine = std::max(WidestLine, QFontMetrics(LineFormat(line).font()).horizontalAdvance(LineText(line)));
}

void TResultPane::UpdateScrollBars()
{
    if (Aligned) {
        // Elided lines need no horizontal scrolling.
        horizontalScrollBar()->setRange(0, 0);
        return;
    }
    const int width = viewport()->width();
    const int visible = VisibleLines();
    verticalScrollBar()->setRange(0, std::max(0, LineCount() - visible));
    verticalScrollBar()->setPageStep(visible);
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

bool TResultPane::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && Aligned) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int line = LineAt(help->pos().y());
        const LinePlace* place = PlaceOf(line);
        const QString tip = LineToolTip(line);
        if (place != nullptr && !tip.isEmpty()) {
            // Shown while the mouse stays on the line.
            QToolTip::showText(help->globalPos(), tip, viewport(),
                               QRect(0, place->top, viewport()->width(), place->height));
            return true;
        }
        QToolTip::hideText();
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void TResultPane::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    if (Aligned) {
        // Only the lines the editor shows, each on its row's baseline.
        for (const LinePlace& place : Places) {
            if (place.line < LineCount()) PaintLine(painter, place.line, place.top, place.height, place.baseline);
        }
        return;
    }
    const int first = verticalScrollBar()->value();
    const int last = std::min(LineCount() - 1, first + VisibleLines());
    for (int line = first; line <= last; ++line) {
        const int top = (line - first) * LineHeight();
        PaintLine(painter, line, top, LineHeight(), top + QFontMetrics(LineFormat(line).font()).ascent());
    }
}

void TResultPane::PaintLine(QPainter& painter, int line, int top, int height, int baseline)
{
    const QTextCharFormat format = LineFormat(line);
    const QFont font = format.font();
    const ShownLine shown = Shown(line);
    const QString& text = shown.text;
    const QFontMetrics metrics(font);
    painter.setFont(font);
    painter.setPen(format.foreground().style() == Qt::NoBrush ? palette().color(QPalette::Text)
                                                              : format.foreground().color());
    painter.drawText(QPointF(shown.left, baseline), text);

    // The selection within the line, in the line's characters.
    const std::size_t start = LineStart(line);
    const std::size_t first = std::clamp(std::min(Anchor, Position), start, LineEnd(line)) - start;
    const std::size_t last = std::clamp(std::max(Anchor, Position), start, LineEnd(line)) - start;
    const qsizetype from = TextColumn(line, first);
    const qsizetype to = std::min(TextColumn(line, last), text.size());
    if (from < to) {
        const qreal left = shown.left + XOfColumn(text, font, from);
        const QRectF selection(left, top, shown.left + XOfColumn(text, font, to) - left, height);
        painter.fillRect(selection, palette().color(QPalette::Highlight));
        painter.save();
        painter.setClipRect(selection);
        painter.setPen(palette().color(QPalette::HighlightedText));
        painter.drawText(QPointF(shown.left, baseline), text);
        painter.restore();
    }
    // A line wider than the estimate widens the scroll range.
    if (const int width = metrics.horizontalAdvance(text); !Aligned && width > WidestLine) {
        WidestLine = width;
        UpdateScrollBars();
    }
}

void TResultPane::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

// The line at a height of the viewport, perhaps past the last one; -1
// beside the editor where no line is in view there.
int TResultPane::LineAt(int y) const
{
    if (!Aligned) return verticalScrollBar()->value() + y / LineHeight();
    for (const LinePlace& place : Places) {
        if (y >= place.top && y < place.top + place.height) return place.line < LineCount() ? place.line : -1;
    }
    return -1;
}

std::size_t TResultPane::OffsetAt(const QPoint& point) const
{
    int line = LineAt(point.y());
    if (Aligned && line < 0) {
        // Away from every line in view: the nearest end.
        if (Places.empty()) return 0;
        if (point.y() < Places.front().top) return LineStart(std::min(Places.front().line, LineCount() - 1));
        return LineEnd(std::min(Places.back().line, LineCount() - 1));
    }
    line = std::clamp(line, 0, LineCount() - 1);
    const ShownLine shown = Shown(line);
    const int column = ColumnAtX(shown.text, LineFormat(line).font(), point.x() - shown.left);
    return LineStart(line) + ByteColumn(line, column);
}

void TResultPane::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
    const std::size_t offset = OffsetAt(event->position().toPoint());
    Select(event->modifiers() & Qt::ShiftModifier ? Anchor : offset, offset);
}

void TResultPane::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton) Select(Anchor, OffsetAt(event->position().toPoint()));
}

void TResultPane::mouseDoubleClickEvent(QMouseEvent* event)
{
    const int line = LineAt(event->position().toPoint().y());
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
