// The names under the pointer and at the caret of the document editor: a
// pointer resting on the text asks for a tooltip, Ctrl+click for a jump.
// Offsets count the characters of the editor's text as it is saved: the
// breaks of a long line held as several blocks are no part of it.
#pragma once

#include <QObject>
#include <QPoint>
#include <cstddef>
#include <string>

class QPlainTextEdit;

namespace tallyrix {

class TNameProbe : public QObject {
    Q_OBJECT
public:
    explicit TNameProbe(QPlainTextEdit* editor);

    // The text as the engine's scanner sees it, one byte per character: a
    // character outside ASCII is the byte 0x80, a line break '\n'.
    std::string ScanText() const;
    // The character under the pointer at the last hover or Ctrl+click.
    std::size_t PointerOffset() const { return Pointer; }
    std::size_t CaretOffset() const;
    // The tooltip at the last hover; an empty text hides it.
    void ShowTip(const QString& text) const;
    // Selects the text from..to with the caret at from, and scrolls it into view.
    void Select(std::size_t from, std::size_t to);

signals:
    void HoverRequested();
    void JumpRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::size_t CharacterAt(QPoint point) const;
    std::size_t TextOffsetOf(int position) const;
    int PositionOf(std::size_t offset) const;

    QPlainTextEdit* Editor;
    std::size_t Pointer = 0;
    QPoint GlobalPoint;
};

}  // namespace tallyrix
