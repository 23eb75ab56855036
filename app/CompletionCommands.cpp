// The names offered while a name is typed: the pop-up follows the typing,
// Up and Down choose, Enter or Tab completes, Escape closes. The list comes
// from the last calculation, so it never makes a keystroke wait.
#include <QTextBlock>
#include <QTextCursor>

#include "app/MainForm.h"
#include "document/KeyRules.h"
#include "shell/CompletionPopup.h"

namespace tallyrix {

namespace {

// What the caret's line holds of a name just before the caret.
std::string TypedName(const QTextCursor& cursor)
{
    if (cursor.hasSelection()) return {};
    const QString line = cursor.block().text();
    return NameBeforeCaret(
        {reinterpret_cast<const char16_t*>(line.utf16()), static_cast<std::size_t>(cursor.positionInBlock())});
}

// A name grows a list of its own from its second letter on.
constexpr std::size_t LettersBeforeOffering = 2;

}  // namespace

bool TMainForm::CompletionKeyDown(int key, Qt::KeyboardModifiers shift, const QString& text)
{
    if (!Menu.Options.mCompletion->isChecked() || Panes.reExpression->isReadOnly()) return false;
    const CompletionKeyAction action = DecideCompletionKey(key, shift, text, CompletionPopup->isVisible());
    CompletionPopup->ExpectTyping(action == CompletionKeyAction::Follow);
    switch (action) {
        case CompletionKeyAction::Open:
            ShowCompletions(true);
            return true;
        case CompletionKeyAction::Previous:
            CompletionPopup->MoveChoice(-1);
            return true;
        case CompletionKeyAction::Next:
            CompletionPopup->MoveChoice(1);
            return true;
        case CompletionKeyAction::Accept:
            CompleteName();
            return true;
        case CompletionKeyAction::Close:
            CompletionPopup->hide();
            return true;
        case CompletionKeyAction::CloseAndType:
            CompletionPopup->hide();
            return false;
        case CompletionKeyAction::Follow:
        case CompletionKeyAction::None:
            return false;
    }
    return false;
}

void TMainForm::ShowCompletions(bool asked)
{
    const std::string name = TypedName(Panes.reExpression->textCursor());
    const bool offered = asked || (CompletionPopup->isVisible() ? !name.empty() : name.size() >= LettersBeforeOffering);
    if (!offered) {
        CompletionPopup->hide();
        return;
    }
    CompletionPopup->ShowCandidates(Completion.Complete(name), Panes.reExpression->cursorRect());
}

// The caret moved by the typing the pop-up follows, or by anything else,
// which closes it.
void TMainForm::reExpressionCaretMoved()
{
    if (CompletionPopup->TakeTyping())
        ShowCompletions(false);
    else
        CompletionPopup->hide();
}

// Scrolled by the wheel, the scroll bars or the typing: the list stays by
// the caret.
void TMainForm::reExpressionScrolled() { CompletionPopup->FollowCaret(Panes.reExpression->cursorRect()); }

void TMainForm::CompleteName()
{
    const QString chosen = CompletionPopup->Choice();
    CompletionPopup->hide();
    QTextCursor cursor = Panes.reExpression->textCursor();
    // The whole name typed is replaced, so that its case follows the choice.
    cursor.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, static_cast<int>(TypedName(cursor).size()));
    cursor.insertText(chosen, EditorFormat());
    Panes.reExpression->setTextCursor(cursor);
}

}  // namespace tallyrix
