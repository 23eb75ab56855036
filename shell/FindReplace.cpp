#include "shell/FindReplace.h"

namespace tallyrix {
namespace {

// Words are runs of one kind of character. Japanese text has no spaces, so a
// change of script also ends a word: "x" is a whole word in "xの値", "税率"
// is not one in "消費税率".
enum class WordClass { None, Hiragana, Katakana, Han, Other };

WordClass ClassOf(char32_t c)
{
    if (c == U'_') return WordClass::Other;
    if (c == 0x30FC || c == 0xFF70) return WordClass::Katakana;  // prolonged sound marks
    switch (QChar::script(c)) {
        case QChar::Script_Hiragana:
            return WordClass::Hiragana;
        case QChar::Script_Katakana:
            return WordClass::Katakana;
        case QChar::Script_Han:
            return WordClass::Han;
        default:
            break;
    }
    const bool wordChar = QChar::isLetterOrNumber(c) || QChar::isMark(c);
    return wordChar ? WordClass::Other : WordClass::None;
}

char32_t CodePointBefore(const QString& text, int pos)
{
    const QChar low = text.at(pos - 1);
    if (low.isLowSurrogate() && pos >= 2 && text.at(pos - 2).isHighSurrogate())
        return QChar::surrogateToUcs4(text.at(pos - 2), low);
    return low.unicode();
}

char32_t CodePointAt(const QString& text, int pos)
{
    const QChar high = text.at(pos);
    if (high.isHighSurrogate() && pos + 1 < text.size() && text.at(pos + 1).isLowSurrogate())
        return QChar::surrogateToUcs4(high, text.at(pos + 1));
    return high.unicode();
}

bool IsWordBoundary(const QString& text, int pos)
{
    if (pos <= 0 || pos >= text.size()) return true;
    const WordClass before = ClassOf(CodePointBefore(text, pos));
    const WordClass after = ClassOf(CodePointAt(text, pos));
    return before == WordClass::None || after == WordClass::None || before != after;
}

bool IsWholeWord(const QString& text, int pos, int length)
{
    return IsWordBoundary(text, pos) && IsWordBoundary(text, pos + length);
}

int SelectionEnd(const FindTarget& target) { return target.SelStart() + target.SelLength(); }

}  // namespace

int FindForward(const QString& text, const QString& what, int from, SearchOptions options)
{
    if (what.isEmpty() || from < 0) return -1;
    const Qt::CaseSensitivity cs = options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (int pos = text.indexOf(what, from, cs); pos >= 0; pos = text.indexOf(what, pos + 1, cs)) {
        if (!options.wholeWord || IsWholeWord(text, pos, what.size())) return pos;
    }
    return -1;
}

QString BeginSearch(FindTarget& target)
{
    const QString selected = target.Text().mid(target.SelStart(), target.SelLength());
    target.Select(0, 0);
    return selected;
}

bool FindNext(FindTarget& target, const QString& what, SearchOptions options)
{
    const int found = FindForward(target.Text(), what, SelectionEnd(target), options);
    if (found < 0) return false;
    target.Select(found, what.size());
    return true;
}

ReplaceOutcome ReplaceOccurrences(FindTarget& target, const ReplaceRequest& request, bool evaluateOnEnterOnly)
{
    ReplaceOutcome outcome;
    if (request.findText.isEmpty()) return outcome;
    target.BeginEdit();
    // A copy kept in step with the target: reading a long text back after
    // every replacement would make Replace All quadratic.
    QString text = target.Text();
    const auto replaceSelection = [&] {
        text.replace(target.SelStart(), target.SelLength(), request.replaceText);
        target.ReplaceSelection(request.replaceText);
        ++outcome.replaced;
    };
    if (text.mid(target.SelStart(), target.SelLength()) == request.findText) replaceSelection();
    bool found = false;
    do {
        const int pos = FindForward(text, request.findText, SelectionEnd(target), request.options);
        found = pos >= 0;
        if (found) {
            target.Select(pos, request.findText.size());
            replaceSelection();
        } else {
            target.Select(target.SelStart(), 0);
        }
    } while (found && request.replaceAll);
    target.EndEdit();
    outcome.recalculate = !evaluateOnEnterOnly;
    return outcome;
}

}  // namespace tallyrix
