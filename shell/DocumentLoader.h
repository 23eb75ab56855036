// A large document put into the editor a piece at a time from the event
// loop, very long lines broken for display: the first piece shows at once and the window answers between the
// pieces. Until the last piece is in, the editor is read-only and keeps no
// undo steps; whatever needs the whole document calls FinishNow first.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class QPlainTextEdit;

namespace tallyrix {

// Where the piece that starts at from ends: just after the first line break
// at or after from + size, or at the end of the text; inside a line that runs
// on far beyond from + size, at the end of a display piece near it.
qsizetype PieceEnd(QStringView text, qsizetype from, qsizetype size);

class TDocumentLoader : public QObject {
    Q_OBJECT
public:
    // Characters in a piece, about: what the editor takes in some tens of
    // milliseconds.
    static constexpr qsizetype PieceSize = 256 * 1024;

    explicit TDocumentLoader(QPlainTextEdit* editor, qsizetype pieceSize = PieceSize);

    // Replaces the editor's text: a text of one piece at once, a longer one
    // by its first piece now and the others later.
    void Load(QString text);
    bool Loading() const { return Next < Text.size(); }
    // The percentage of the text in the editor so far.
    int Percent() const { return Loading() ? static_cast<int>(Next * 100 / Text.size()) : 100; }
    // Puts every piece still waiting into the editor now.
    void FinishNow();
    // Drops the pieces still waiting: another text replaces this one.
    void Cancel();

signals:
    // The whole text is in the editor (after a Load of one piece too).
    void Finished();
    // Another piece of a text put in by pieces is in.
    void Progress();

private:
    void AppendNextPiece();
    void Append(qsizetype end);
    void Done();
    void Release();

    QPlainTextEdit* Editor;
    qsizetype Size;
    QString Text;
    qsizetype Next = 0;
    bool MidLine = false;  // the last piece ended inside a long line
    QTimer Timer;
};

}  // namespace tallyrix
