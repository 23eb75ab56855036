#include "shell/DocumentLoader.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

namespace tallyrix {

qsizetype PieceEnd(QStringView text, qsizetype from, qsizetype size)
{
    if (size >= text.size() - from) return text.size();
    const qsizetype lineBreak = text.indexOf(u'\n', from + size);
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
    Next = PieceEnd(Text, 0, Size);
    if (!Loading()) {
        Editor->setPlainText(std::exchange(Text, QString()));
        Next = 0;
        emit Finished();
        return;
    }
    Editor->setPlainText(Text.left(Next));
    Editor->setReadOnly(true);
    Editor->document()->setUndoRedoEnabled(false);
    Timer.start();
}

void TDocumentLoader::AppendNextPiece()
{
    Append(PieceEnd(Text, Next, Size));
    if (Loading()) {
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
    cursor.insertText(QStringView(Text).mid(Next, end - Next).toString());
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
    Editor->document()->setUndoRedoEnabled(true);
    Editor->setReadOnly(false);
}

}  // namespace tallyrix
