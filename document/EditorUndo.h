// Undo in the editor takes back the user's last change of the text; steps
// that only restyled it (the comment colouring) are passed over.
#pragma once

class QTextDocument;

namespace tallyrix {

void UndoLastTextEdit(QTextDocument& document);

}  // namespace tallyrix
