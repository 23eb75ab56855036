#include "document/KeyRules.h"

namespace tallyrix {
namespace {

bool HasAltOrCtrl(Qt::KeyboardModifiers modifiers) { return modifiers & (Qt::AltModifier | Qt::ControlModifier); }

}  // namespace

bool IsEnterKey(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

bool RecalculatesOnKeyRelease(int key, Qt::KeyboardModifiers modifiers, bool enterOnly)
{
    if (HasAltOrCtrl(modifiers)) return false;
    return !enterOnly || IsEnterKey(key);
}

EnterAction DecideEnterAction(int key, Qt::KeyboardModifiers modifiers, bool enterToSemicolon)
{
    if (!IsEnterKey(key)) return EnterAction::None;
    if (HasAltOrCtrl(modifiers) || (modifiers & Qt::ShiftModifier)) return EnterAction::SemicolonAndConsume;
    return enterToSemicolon ? EnterAction::SemicolonThenLineBreak : EnterAction::None;
}

}  // namespace tallyrix
