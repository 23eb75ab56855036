// A large document put into the editor a piece at a time from the event
// loop: the first piece shows at once and the window answers between the
// pieces. Until the last piece is in, the editor is read-only and keeps no
// undo steps; whatever needs the whole document calls FinishNow first.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class QPlainTextEdit;

namespace tallyrix {

// Where the piece that starts at from ends: just after the first line break
// at or after from + size, or at the end of the text.
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
    // Puts every piece still waiting into the editor now.
    void FinishNow();
    // Drops the pieces still waiting: another text replaces this one.
    void Cancel();

signals:
    // The whole text is in the editor (after a Load of one piece too).
    void Finished();

private:
    void AppendNextPiece();
    void Append(qsizetype end);
    void Done();
    void Release();

    QPlainTextEdit* Editor;
    qsizetype Size;
    QString Text;
    qsizetype Next = 0;
    QTimer Timer;
};

}  // namespace tallyrix
