#include "shell/DocumentLoader.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

#include "shell/DisplayBreaks.h"
#include "shell/DocumentText.h"

namespace tallyrix {

namespace {

bool HasLongLine(QStringView text)
{
    for (qsizetype from = 0; from < text.size();) {
        qsizetype lineBreak = text.indexOf(u'\n', from);
        if (lineBreak < 0) lineBreak = text.size();
        if (lineBreak - from > LongLine) return true;
        from = lineBreak + 1;
    }
    return false;
}

}  // namespace

qsizetype PieceEnd(QStringView text, qsizetype from, qsizetype size)
{
    if (size >= text.size() - from) return text.size();
    const qsizetype lineBreak = text.indexOf(u'\n', from + size);
    const qsizetype lineEnd = lineBreak < 0 ? text.size() : lineBreak;
    if (lineEnd - (from + size) > LongLine) return DisplayPieceEnd(text, from + size - DisplayPiece);
    return lineBreak < 0 ? text.size() : lineBreak + 1;
}

TDocumentLoader::TDocumentLoader(QPlainTextEdit* editor, qsizetype pieceSize)
    : QObject(editor), Editor(editor), Size(pieceSize)
{
    Timer.setSingleShot(true);
    Timer.setInterval(0);
    connect(&Timer, &QTimer::timeout, this, &TDocumentLoader::AppendNextPiece);
}

void TDocumentLoader::Load(QString text)
{
    Cancel();
    Text = std::move(text);
    const qsizetype end = PieceEnd(Text, 0, Size);
    if (end == Text.size() && !HasLongLine(Text)) {
        Editor->setPlainText(std::exchange(Text, QString()));
        emit Finished();
        return;
    }
    Editor->setPlainText(QString());
    Editor->setReadOnly(true);
    Editor->document()->setUndoRedoEnabled(false);
    Append(end);
    // The caret stays at the start rather than following the pieces in.
    Editor->moveCursor(QTextCursor::Start);
    if (Loading()) {
        Timer.start();
    } else {
        Done();
    }
}

void TDocumentLoader::AppendNextPiece()
{
    Append(PieceEnd(Text, Next, Size));
    if (Loading()) {
        emit Progress();
        Timer.start();
    } else {
        Done();
    }
}

void TDocumentLoader::FinishNow()
{
    if (!Loading()) return;
    Timer.stop();
    Append(Text.size());
    Done();
}

// Appended where the text ends, whatever the caret: the user's place stays.
void TDocumentLoader::Append(qsizetype end)
{
    QTextCursor cursor(Editor->document());
    cursor.movePosition(QTextCursor::End);
    if (Next == 0) cursor.setCharFormat(Editor->currentCharFormat());
    const QStringView piece = QStringView(Text).mid(Next, end - Next);
    const bool endsMidLine = end < Text.size() && Text[end - 1] != u'\n';
    if (!MidLine && !endsMidLine && !HasLongLine(piece)) {
        // The editor's paragraphs take the piece as it is, not read back.
        if (auto* text = Editor->document()->findChild<TDocumentText*>(QString(), Qt::FindDirectChildrenOnly)) {
            text->InsertText(cursor, piece.toString());
        } else {
            cursor.insertText(piece.toString());
        }
    } else {
        // One change for the piece, not one per block.
        cursor.beginEditBlock();
        InsertBrokenText(cursor, piece, MidLine, endsMidLine);
        cursor.endEditBlock();
    }
    MidLine = endsMidLine;
    Next = end;
}

void TDocumentLoader::Done()
{
    Release();
    emit Finished();
}

void TDocumentLoader::Cancel()
{
    if (!Loading()) return;
    Timer.stop();
    Release();
}

// Drops what is left of the text and gives the editor back to the user.
void TDocumentLoader::Release()
{
    Text.clear();
    Next = 0;
    MidLine = false;
    Editor->document()->setUndoRedoEnabled(true);
    Editor->setReadOnly(false);
}

}  // namespace tallyrix
