// The read-only side pane: lines of text shown without wrapping, the last
// one optionally in a format of its own. It keeps the lines in one UTF-8
// string, as the engine writes them, and paints only the visible ones, so
// replacing ten thousand lines on every recalculation costs little more than
// building the string; a text document would lay out every line each time.
#pragma once

#include <QAbstractScrollArea>
#include <QTextCharFormat>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "document/ShownLines.h"
#include "shell/LinePlace.h"

namespace tallyrix {

class TResultPane : public QAbstractScrollArea {
    Q_OBJECT
public:
    // A tooltip of a line beside the editor: every value of a line of
    // several statements.
    struct LineNote {
        int line;
        QString text;
    };

    explicit TResultPane(const QString& name, QWidget* parent = nullptr);

    // Replaces everything shown: the lines of body ('\n' between them) in
    // bodyFormat, then, unless message is empty, one more line in
    // messageFormat. The view then shows the last lines, scrolled fully
    // left.
    void SetContent(const QString& body, const QTextCharFormat& bodyFormat, const QString& message = QString(),
                    const QTextCharFormat& messageFormat = QTextCharFormat());
    // As SetContent, the lines given as a UTF-8 text with '\n' after each;
    // when only some of them differ from those shown, only those are
    // replaced.
    void ShowLines(std::string_view lines, const QTextCharFormat& bodyFormat, const QString& message = QString(),
                   const QTextCharFormat& messageFormat = QTextCharFormat());
    // Empties the pane; lines beside the editor's keep their place.
    void clear();
    // Lines that stand beside the editor's lines, each where SetLinePlaces
    // puts it, right-aligned and elided to the pane's width (the whole text
    // is the line's tooltip, as is its note); a grouped value too wide is
    // shown without its separators when that fits. The message, when messageLine
    // is not -1, is that line. The vertical scroll bar is left to the
    // caller, which keeps it beside the editor's.
    void SetAlignedContent(const QString& body, const QTextCharFormat& bodyFormat, int messageLine,
                           const QTextCharFormat& messageFormat, std::vector<LineNote> notes = {});
    // As SetAlignedContent, the lines given as a UTF-8 text with '\n' after
    // each; only the lines that differ from those shown are replaced.
    void ShowAlignedLines(std::string_view lines, const QTextCharFormat& bodyFormat, int messageLine,
                          const QTextCharFormat& messageFormat, std::vector<LineNote> notes = {});
    // Where the editor's lines in view stand, in the pane's coordinates.
    void SetLinePlaces(std::vector<LinePlace> places);
    bool IsAligned() const { return Aligned; }
    // Where a line's text is painted beside the editor; empty when the line
    // is not in view.
    QRect AlignedTextRect(int line) const;
    QString LineToolTip(int line) const;

    QString toPlainText() const;
    int LineCount() const;
    QString LineText(int line) const;
    QTextCharFormat LineFormat(int line) const;

    // Byte offsets into the text as UTF-8, at the start of a character.
    void Select(std::size_t anchor, std::size_t position);
    void selectAll();
    QString selectedText() const;
    // The selection, without the separators of values shown grouped.
    void copy() const;

signals:
    void MessageLineDoubleClicked();

protected:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // A line as painted: elided beside the editor, from its left edge.
    struct ShownLine {
        QString text;
        qreal left;
    };

    std::size_t LineStart(int line) const;
    std::size_t LineEnd(int line) const;
    int LineHeight() const;
    int VisibleLines() const;
    int TextLeft() const;
    int LineAt(int y) const;
    const LinePlace* PlaceOf(int line) const;
    ShownLine Shown(int line) const;
    std::size_t OffsetAt(const QPoint& point) const;
    // Columns of a line: bytes of its UTF-8 against characters of its text.
    qsizetype TextColumn(int line, std::size_t byteColumn) const;
    std::size_t ByteColumn(int line, qsizetype textColumn) const;
    void ShowContent(std::string body, const QTextCharFormat& bodyFormat, const QString& message,
                     const QTextCharFormat& messageFormat);
    void ShowAlignedContent(std::string body, const QTextCharFormat& bodyFormat, int messageLine,
                            const QTextCharFormat& messageFormat, std::vector<LineNote> notes);
    // Whether the lines shown can be replaced one by one: the same
    // arrangement and formats.
    bool SameFrame(bool aligned, const QTextCharFormat& bodyFormat, const QTextCharFormat& messageFormat) const;
    void ReplaceLines(int first, int removed, std::string_view added);
    void MeasureWidestLines();
    void MeasureLines(int first, int count);
    void SpliceStarts(int first, int through, std::size_t from, std::string_view added, std::ptrdiff_t shift);
    void UpdateScrollBars();
    void ScrollToEnd();
    void PaintLine(QPainter& painter, int line, int top, int height, int baseline);

    std::string Text;       // UTF-8, a line feed between lines
    ShownLines LinesShown;  // those of the last ShowLines, while they are shown
    // Those lines as Text holds them: all of it but a message after them.
    std::string_view ShownLinesText() const;
    // The line of Text that starts at an offset (one past the end: the
    // line after the last), found among Starts instead of counted.
    LineStarting LineStartingAt() const;
    std::vector<std::size_t> Starts;  // offset of each line's first byte
    void SetText(std::string text);
    int MessageLine = -1;
    bool Aligned = false;
    std::vector<LinePlace> Places;  // sorted by line
    std::vector<LineNote> Notes;    // sorted by line
    QTextCharFormat BodyFormat;
    QTextCharFormat MessageFormat;
    int WidestLine = 0;  // pixels; grows as wider lines are painted
    std::size_t Anchor = 0;
    std::size_t Position = 0;
};

}  // namespace tallyrix
