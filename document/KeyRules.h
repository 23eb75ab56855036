// The editor's key rules: when a key release recalculates, what the Enter
// key does with the semicolon options, and which keys belong to the name
// pop-up.
#pragma once

#include <QString>
#include <Qt>

namespace tallyrix {

bool IsEnterKey(int key);

// Alt or Ctrl held never recalculates; with the Enter-only option only Enter
// does. Every other release does, caret keys and Shift included.
bool RecalculatesOnKeyRelease(int key, Qt::KeyboardModifiers modifiers, bool enterOnly);

enum class EnterAction {
    None,                   // the editor handles the key alone
    SemicolonAndConsume,    // ";" after the selection, no line break
    SemicolonThenLineBreak  // ";" after the selection, then the editor breaks the line
};

EnterAction DecideEnterAction(int key, Qt::KeyboardModifiers modifiers, bool enterToSemicolon);

// What a key pressed in the editor does to the pop-up of names. Only keys
// the pop-up takes alone are kept from the editor; with no pop-up shown
// every key but Ctrl+Space keeps its meaning.
enum class CompletionKeyAction {
    None,          // not the pop-up's concern
    Open,          // Ctrl+Space: offer the names for what stands before the caret
    Previous,      // Up
    Next,          // Down
    Accept,        // plain Enter or Tab: the rest of the chosen name
    Close,         // Escape
    Follow,        // a name character, or Backspace while shown: the list follows the edit
    CloseAndType,  // any other key: the pop-up closes, the editor takes the key
};

CompletionKeyAction DecideCompletionKey(int key, Qt::KeyboardModifiers modifiers, const QString& text, bool shown);

}  // namespace tallyrix
