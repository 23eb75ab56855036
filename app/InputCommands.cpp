// Input buttons, the Enter key's semicolon rules, case conversion and the
// clipboard commands on the editor.
#include <QAbstractButton>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocumentFragment>

#include "app/MainForm.h"
#include "document/CaseConversion.h"
#include "document/EditorUndo.h"
#include "document/KeyRules.h"
#include "shell/ButtonBar.h"
#include "shell/ResultPane.h"

namespace tallyrix {
namespace {

QString SelectedPlainText(const QTextCursor& cursor) { return cursor.selection().toPlainText(); }

// The key press the editor would get from the keyboard, without a release,
// so the key-release rule does not run for it.
void DeliverKeyPress(QPlainTextEdit* editor, Qt::Key key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(editor, &press);
}

void MoveCaret(QPlainTextEdit* editor, QTextCursor::MoveOperation where)
{
    QTextCursor cursor = editor->textCursor();
    cursor.movePosition(where);
    editor->setTextCursor(cursor);
}

}  // namespace

void TMainForm::InsertWithEditorFormat(const QString& text)
{
    QTextCursor cursor = reExpression->textCursor();
    cursor.insertText(text, EditorFormat());
    reExpression->setTextCursor(cursor);
}

void TMainForm::NumberBtn1Click(QAbstractButton* sender)
{
    if (sender->parent() == tbRegister) {
        RegisteredBtnClick(sender);
        return;
    }
    InsertWithEditorFormat(sender->text());
    RecalculateUnlessEnterOnly();
}

void TMainForm::FuncBtn1Click(QAbstractButton* sender)
{
    QTextCursor cursor = reExpression->textCursor();
    const QString text = sender->text().chopped(1) + SelectedPlainText(cursor) + u')';
    const int start = cursor.selectionStart();
    cursor.insertText(text, EditorFormat());
    cursor.setPosition(start + static_cast<int>(text.size()) - 1);
    reExpression->setTextCursor(cursor);
    RecalculateUnlessEnterOnly();
}

void TMainForm::BSBtnClick()
{
    DeliverKeyPress(reExpression, Qt::Key_Backspace);
    RecalculateUnlessEnterOnly();
}

void TMainForm::DelBtnClick()
{
    DeliverKeyPress(reExpression, Qt::Key_Delete);
    RecalculateUnlessEnterOnly();
}

void TMainForm::TabBtnClick() { reExpression->insertPlainText(QStringLiteral("\t")); }

// A line break typed as a character: not the Enter key, so no semicolon.
void TMainForm::LfBtnClick() { reExpression->insertPlainText(QStringLiteral("\n")); }

void TMainForm::HomeBtnClick() { MoveCaret(reExpression, QTextCursor::Start); }

void TMainForm::EndBtnClick() { MoveCaret(reExpression, QTextCursor::End); }

bool TMainForm::reExpressionKeyDown(int key, Qt::KeyboardModifiers shift)
{
    const EnterAction action = DecideEnterAction(key, shift, Menu.Options.mEnterToSemicolon->isChecked());
    // A read-only editor (a document still coming in) takes no ";".
    if (action == EnterAction::None || reExpression->isReadOnly()) return false;
    // The selection stays as text: ";" goes after it.
    QTextCursor cursor = reExpression->textCursor();
    cursor.setPosition(cursor.selectionEnd());
    cursor.insertText(QStringLiteral(";"));
    reExpression->setTextCursor(cursor);
    return action == EnterAction::SemicolonAndConsume;
}

void TMainForm::ReplaceSelectionCase(QString (*convert)(QString))
{
    QTextCursor cursor = reExpression->textCursor();
    if (cursor.hasSelection()) {
        cursor.insertText(convert(SelectedPlainText(cursor)));
        reExpression->setTextCursor(cursor);
    }
    RecalculateUnlessEnterOnly();
}

void TMainForm::mLowerCaseClick() { ReplaceSelectionCase(AsciiLower); }

void TMainForm::mUpperCaseClick() { ReplaceSelectionCase(AsciiUpper); }

void TMainForm::UndoClick()
{
    UndoLastTextEdit(*reExpression->document());
    RecalculateUnlessEnterOnly();
}

void TMainForm::CutClick()
{
    reExpression->cut();
    RecalculateUnlessEnterOnly();
}

void TMainForm::CopyClick() { reExpression->copy(); }

void TMainForm::PasteClick()
{
    reExpression->paste();
    RecalculateUnlessEnterOnly();
}

void TMainForm::SelectAllClick() { reExpression->selectAll(); }

void TMainForm::Copy2Click() { reResult->copy(); }

// Lines are joined with CR LF throughout, as the line before "=" is.
void TMainForm::CopyWithResultClick()
{
    QString text = reExpression->toPlainText();
    text.replace(u'\n', QStringLiteral("\r\n"));
    QGuiApplication::clipboard()->setText(text + QStringLiteral("\r\n=") + OutputEdit->text());
}

}  // namespace tallyrix
