// The editor's key rules: when a key release recalculates, and what the
// Enter key does with the semicolon options.
#pragma once

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

}  // namespace tallyrix
