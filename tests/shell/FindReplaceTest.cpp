// Find Next, Replace and Replace All played as a user would press the
// buttons, on a plain text model and on a real QTextEdit.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextEdit>
#include <functional>
#include <memory>
#include <vector>

#include "shell/FindReplace.h"
#include "shell/TextEditFindTarget.h"

namespace tallyrix {
namespace {

class PlainTarget : public FindTarget {
public:
    explicit PlainTarget(QString text) : text_(std::move(text)) {}
    QString Text() const override { return text_; }
    int SelStart() const override { return start_; }
    int SelLength() const override { return length_; }
    void Select(int start, int length) override
    {
        start_ = start;
        length_ = length;
    }
    void ReplaceSelection(const QString& text) override
    {
        text_.replace(start_, length_, text);
        start_ += text.size();
        length_ = 0;
    }

private:
    QString text_;
    int start_ = 0;
    int length_ = 0;
};

// A text edit of either kind with its own FindTarget, so every target runs
// the same script.
template <typename Editor>
struct OwnedEditor {
    Editor editor;
};
template <typename Editor>
struct EditorTarget : OwnedEditor<Editor>, TextEditFindTarget {
    explicit EditorTarget(const QString& text) : TextEditFindTarget(this->editor) { this->editor.setPlainText(text); }
};

enum class Press { Open, FindNext, Replace, ReplaceAll };

struct Step {
    Press press;
    QString what = {};
    QString with = {};
    SearchOptions options = {};
};

struct Expected {
    QString text;
    int selStart;
    int selLength;
    int replaced = 0;
    QString seed = {};
};

struct ScriptCase {
    const char* name;
    QString text;
    int selStart;
    int selLength;
    std::vector<Step> steps;
    Expected expected;
};

const SearchOptions AnyCase{false, false};
const SearchOptions ExactCase{true, false};
const SearchOptions WholeWord{false, true};

const std::vector<ScriptCase>& Scripts()
{
    // clang-format off
    static const std::vector<ScriptCase> cases = {
        {"selected word seeds the search and the first hit may lie before it", "abc x abc", 6, 3,
         {{Press::Open}, {Press::FindNext, "abc", {}, AnyCase}},
         {"abc x abc", 0, 3, 0, "abc"}},
        {"opening with nothing selected empties the search text", "abc", 2, 0,
         {{Press::Open}}, {"abc", 0, 0, 0, ""}},
        {"find next stops at the last occurrence and never wraps", "ab ab", 0, 0,
         {{Press::FindNext, "ab", {}, AnyCase}, {Press::FindNext, "ab", {}, AnyCase},
          {Press::FindNext, "ab", {}, AnyCase}, {Press::FindNext, "ab", {}, AnyCase}},
         {"ab ab", 3, 2}},
        {"nothing found leaves the caret where it was", "abc", 1, 0,
         {{Press::FindNext, "z", {}, AnyCase}}, {"abc", 1, 0}},
        {"match case off finds ABC, the following Replace skips it", "ABC abc abc", 0, 0,
         {{Press::FindNext, "abc", {}, AnyCase}, {Press::Replace, "abc", "x", AnyCase}},
         {"ABC x abc", 5, 0, 1}},
        {"match case on passes over ABC", "ABC abc", 0, 0,
         {{Press::FindNext, "abc", {}, ExactCase}}, {"ABC abc", 4, 3}},
        {"full-width letters match without case", "＝ＡＢＣ", 0, 0,
         {{Press::FindNext, "ａｂｃ", {}, AnyCase}}, {"＝ＡＢＣ", 1, 3}},
        {"replace takes a selected occurrence and the next one", "a1 a1 a1", 0, 2,
         {{Press::Replace, "a1", "b", AnyCase}}, {"b b a1", 3, 0, 2}},
        {"replace with nothing more to find collapses the selection", "abc", 1, 1,
         {{Press::Replace, "z", "y", AnyCase}}, {"abc", 1, 0, 0}},
        {"replace all works from the caret on", "x x x x", 3, 0,
         {{Press::ReplaceAll, "x", "y", AnyCase}}, {"x x y y", 7, 0, 2}},
        {"replace all of a by aa doubles each a once", "a ba a", 0, 0,
         {{Press::ReplaceAll, "a", "aa", AnyCase}}, {"aa baa aa", 9, 0, 3}},
        {"replace all by nothing removes every occurrence", "1+1+1", 0, 0,
         {{Press::ReplaceAll, "1", "", AnyCase}}, {"++", 2, 0, 3}},
        {"replace all with an empty search text changes nothing", "abc", 1, 0,
         {{Press::ReplaceAll, "", "x", AnyCase}}, {"abc", 1, 0, 0}},
        {"replace with an empty search text inserts nothing", "abc", 1, 0,
         {{Press::Replace, "", "x", AnyCase}}, {"abc", 1, 0, 0}},
        {"whole word passes over a kanji compound", "税率=0.1;消費税率*税率", 0, 0,
         {{Press::FindNext, "税率", {}, WholeWord}, {Press::FindNext, "税率", {}, WholeWord}},
         {"税率=0.1;消費税率*税率", 12, 2}},
        {"whole word ends at a change of script", "xの値 xx x", 0, 0,
         {{Press::FindNext, "x", {}, WholeWord}, {Press::FindNext, "x", {}, WholeWord}},
         {"xの値 xx x", 7, 1}},
        {"katakana with its prolonged sound mark is one word", "ページ数 ペー", 0, 0,
         {{Press::FindNext, "ペー", {}, WholeWord}}, {"ページ数 ペー", 5, 2}},
        {"a kanji beyond the basic plane is a neighbour too", "𠮷野 野", 0, 0,
         {{Press::FindNext, "野", {}, WholeWord}}, {"𠮷野 野", 4, 1}},
        {"replace all whole word leaves longer names", "r=2; rr=r*r", 0, 0,
         {{Press::ReplaceAll, "r", "半径", WholeWord}}, {"半径=2; rr=半径*半径", 14, 0, 3}},
    };
    // clang-format on
    return cases;
}

using TargetFactory = std::function<std::unique_ptr<FindTarget>(const QString&)>;

void PlayScript(const ScriptCase& script, const TargetFactory& make)
{
    SCOPED_TRACE(script.name);
    const std::unique_ptr<FindTarget> target = make(script.text);
    target->Select(script.selStart, script.selLength);
    QString seed;
    int replaced = 0;
    for (const Step& step : script.steps) {
        if (step.press == Press::Open) {
            seed = BeginSearch(*target);
        } else if (step.press == Press::FindNext) {
            FindNext(*target, step.what, step.options);
        } else {
            const ReplaceRequest request{step.what, step.with, step.options, step.press == Press::ReplaceAll};
            replaced += ReplaceOccurrences(*target, request, false).replaced;
        }
    }
    EXPECT_EQ(target->Text(), script.expected.text);
    EXPECT_EQ(target->SelStart(), script.expected.selStart);
    EXPECT_EQ(target->SelLength(), script.expected.selLength);
    EXPECT_EQ(replaced, script.expected.replaced);
    EXPECT_EQ(seed, script.expected.seed);
}

TEST(FindReplaceTest, ScriptsOnPlainText)
{
    for (const ScriptCase& script : Scripts())
        PlayScript(script, [](const QString& text) { return std::make_unique<PlainTarget>(text); });
}

TEST(FindReplaceTest, ScriptsOnTextEdit)
{
    for (const ScriptCase& script : Scripts()) {
        PlayScript(script, [](const QString& text) { return std::make_unique<EditorTarget<QTextEdit>>(text); });
        PlayScript(script, [](const QString& text) { return std::make_unique<EditorTarget<QPlainTextEdit>>(text); });
    }
}

TEST(FindReplaceTest, RecalculationFollowsReplaceUnlessEvaluatingOnEnterOnly)
{
    struct Case {
        QString findText;
        bool enterOnly;
        bool recalculate;
    };
    const Case cases[] = {
        {"1", false, true},  // replaced
        {"9", false, true},  // nothing found: the run still ends with a recalculation
        {"1", true, false},  // evaluate only on Enter
        {"", false, false},  // nothing to search for, nothing done
    };
    for (const Case& c : cases) {
        PlainTarget target("1+1");
        const ReplaceOutcome outcome = ReplaceOccurrences(target, {c.findText, "2", {}, true}, c.enterOnly);
        EXPECT_EQ(outcome.recalculate, c.recalculate) << c.findText.toStdString() << " " << c.enterOnly;
    }
}

TEST(FindReplaceTest, ReplacementTakesTheInsertFormatNotTheCommentStyle)
{
    QTextEdit editor;
    editor.setPlainText("x // note");
    QTextCharFormat comment;
    comment.setFontItalic(true);
    QTextCursor all(editor.document());
    all.select(QTextCursor::Document);
    all.mergeCharFormat(comment);
    QTextCharFormat plain;
    plain.setFontItalic(false);
    TextEditFindTarget target(editor, plain);
    ReplaceOccurrences(target, {"note", "memo", {}, false}, false);
    ASSERT_EQ(editor.toPlainText(), "x // memo");
    QTextCursor inserted(editor.document());
    inserted.setPosition(6);
    EXPECT_FALSE(inserted.charFormat().fontItalic());
}

TEST(FindReplaceTest, OneUndoTakesBackAWholeReplaceAll)
{
    QTextEdit editor;
    editor.setPlainText("a=1;\nb=a*a;\na+b");
    TextEditFindTarget target(editor);
    ASSERT_EQ(ReplaceOccurrences(target, {"a", "長さ", {}, true}, false).replaced, 4);
    editor.undo();
    EXPECT_EQ(editor.toPlainText(), "a=1;\nb=a*a;\na+b");
}

}  // namespace
}  // namespace tallyrix
