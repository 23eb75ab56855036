#include "document/KeyRules.h"

namespace tallyrix {
namespace {

bool HasAltOrCtrl(Qt::KeyboardModifiers modifiers) { return modifiers & (Qt::AltModifier | Qt::ControlModifier); }

bool IsNameCharacter(const QString& text)
{
    if (text.size() != 1) return false;
    const char16_t c = text.front().unicode();
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_';
}

bool IsModifierKey(int key)
{
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta ||
           key == Qt::Key_AltGr || key == Qt::Key_CapsLock;
}

// The keys that steer a shown pop-up; Shift+Enter and the like keep their
// own meaning.
CompletionKeyAction SteeringAction(int key, Qt::KeyboardModifiers modifiers)
{
    if (modifiers != Qt::NoModifier && modifiers != Qt::KeypadModifier) return CompletionKeyAction::CloseAndType;
    if (key == Qt::Key_Up) return CompletionKeyAction::Previous;
    if (key == Qt::Key_Down) return CompletionKeyAction::Next;
    if (IsEnterKey(key) || key == Qt::Key_Tab) return CompletionKeyAction::Accept;
    if (key == Qt::Key_Escape) return CompletionKeyAction::Close;
    return CompletionKeyAction::CloseAndType;
}

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

CompletionKeyAction DecideCompletionKey(int key, Qt::KeyboardModifiers modifiers, const QString& text, bool shown)
{
    if (key == Qt::Key_Space && modifiers == Qt::ControlModifier) return CompletionKeyAction::Open;
    if (IsModifierKey(key)) return CompletionKeyAction::None;
    if (!HasAltOrCtrl(modifiers) && IsNameCharacter(text)) return CompletionKeyAction::Follow;
    if (!shown) return CompletionKeyAction::None;
    if (key == Qt::Key_Backspace && modifiers == Qt::NoModifier) return CompletionKeyAction::Follow;
    return SteeringAction(key, modifiers);
}

}  // namespace tallyrix
