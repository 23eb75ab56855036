// The read-only side pane: lines of text shown without wrapping, the last
// one optionally in a format of its own. It keeps the lines in one string
// and paints only the visible ones, so replacing ten thousand lines on every
// recalculation costs little more than building the string; a text document
// would lay out every line each time.
#pragma once

#include <QAbstractScrollArea>
#include <QTextCharFormat>
#include <vector>

namespace tallyrix {

class TResultPane : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TResultPane(const QString& name, QWidget* parent = nullptr);

    // Replaces everything shown: the lines of body ('\n' between them) in
    // bodyFormat, then, unless message is empty, one more line in
    // messageFormat. The view then shows the last lines, scrolled fully
    // left.
    void SetContent(const QString& body, const QTextCharFormat& bodyFormat, const QString& message = QString(),
                    const QTextCharFormat& messageFormat = QTextCharFormat());
    void clear();
    // Lines that stand beside the editor's lines: the view keeps its place,
    // may scroll until the last line is the first one shown, and the
    // message, when messageLine is not -1, is that line.
    void SetAlignedContent(const QString& body, const QTextCharFormat& bodyFormat, int messageLine,
                           const QTextCharFormat& messageFormat);
    // Pixels the first line shown stands below the top of the view (above
    // it when negative), as the editor's first line stands in its view.
    void SetLineOffset(int pixels);

    QString toPlainText() const;
    int LineCount() const;
    QString LineText(int line) const;
    QTextCharFormat LineFormat(int line) const;

    // Offsets into toPlainText().
    void Select(qsizetype anchor, qsizetype position);
    void selectAll();
    QString selectedText() const;
    void copy() const;

signals:
    void MessageLineDoubleClicked();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    qsizetype LineStart(int line) const;
    qsizetype LineEnd(int line) const;
    int LineHeight() const;
    int VisibleLines() const;
    int TextLeft() const;
    qsizetype OffsetAt(const QPoint& point) const;
    void MeasureWidestLines();
    void UpdateScrollBars();
    void ScrollToEnd();
    void PaintLine(QPainter& painter, int line, int top);

    QString Text;
    std::vector<qsizetype> Starts;  // offset of each line's first character
    void SetText(const QString& text);
    int MessageLine = -1;
    bool Aligned = false;
    int LineOffset = 0;
    QTextCharFormat BodyFormat;
    QTextCharFormat MessageFormat;
    int WidestLine = 0;  // pixels; grows as wider lines are painted
    qsizetype Anchor = 0;
    qsizetype Position = 0;
};

}  // namespace tallyrix
