#include "document/EditorUndo.h"

#include <QTextDocument>

namespace tallyrix {

void UndoLastTextEdit(QTextDocument& document)
{
    const QString before = document.toPlainText();
    do {
        document.undo();
    } while (document.isUndoAvailable() && document.toPlainText() == before);
}

}  // namespace tallyrix
