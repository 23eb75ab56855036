// Input buttons, the Enter key's semicolon rules, case conversion and the
// clipboard commands on the editor.
#include <QAbstractButton>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocumentFragment>

#include "app/MainForm.h"
#include "document/CaseConversion.h"
#include "document/EditorUndo.h"
#include "document/KeyRules.h"
#include "shell/ButtonBar.h"
#include "shell/ResultField.h"
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
    QTextCursor cursor = Panes.reExpression->textCursor();
    cursor.insertText(text, EditorFormat());
    Panes.reExpression->setTextCursor(cursor);
}

void TMainForm::NumberBtn1Click(QAbstractButton* sender)
{
    if (sender->parent() == Bands.tbRegister) {
        RegisteredBtnClick(sender);
        return;
    }
    InsertWithEditorFormat(sender->text());
    RecalculateUnlessEnterOnly();
}

void TMainForm::FuncBtn1Click(QAbstractButton* sender)
{
    QTextCursor cursor = Panes.reExpression->textCursor();
    const QString text = sender->text().chopped(1) + SelectedPlainText(cursor) + u')';
    const int start = cursor.selectionStart();
    cursor.insertText(text, EditorFormat());
    cursor.setPosition(start + static_cast<int>(text.size()) - 1);
    Panes.reExpression->setTextCursor(cursor);
    RecalculateUnlessEnterOnly();
}

void TMainForm::BSBtnClick()
{
    DeliverKeyPress(Panes.reExpression, Qt::Key_Backspace);
    RecalculateUnlessEnterOnly();
}

void TMainForm::DelBtnClick()
{
    DeliverKeyPress(Panes.reExpression, Qt::Key_Delete);
    RecalculateUnlessEnterOnly();
}

void TMainForm::TabBtnClick() { Panes.reExpression->insertPlainText(QStringLiteral("\t")); }

// A line break typed as a character: not the Enter key, so no semicolon.
void TMainForm::LfBtnClick() { Panes.reExpression->insertPlainText(QStringLiteral("\n")); }

void TMainForm::HomeBtnClick() { MoveCaret(Panes.reExpression, QTextCursor::Start); }

void TMainForm::EndBtnClick() { MoveCaret(Panes.reExpression, QTextCursor::End); }

bool TMainForm::reExpressionKeyDown(int key, Qt::KeyboardModifiers shift)
{
    const EnterAction action = DecideEnterAction(key, shift, Menu.Options.mEnterToSemicolon->isChecked());
    // A read-only editor (a document still coming in) takes no ";".
    if (action == EnterAction::None || Panes.reExpression->isReadOnly()) return false;
    // The selection stays as text: ";" goes after it.
    QTextCursor cursor = Panes.reExpression->textCursor();
    cursor.setPosition(cursor.selectionEnd());
    cursor.insertText(QStringLiteral(";"));
    Panes.reExpression->setTextCursor(cursor);
    return action == EnterAction::SemicolonAndConsume;
}

void TMainForm::ReplaceSelectionCase(QString (*convert)(QString))
{
    QTextCursor cursor = Panes.reExpression->textCursor();
    if (cursor.hasSelection()) {
        cursor.insertText(convert(SelectedPlainText(cursor)));
        Panes.reExpression->setTextCursor(cursor);
    }
    RecalculateUnlessEnterOnly();
}

void TMainForm::mLowerCaseClick() { ReplaceSelectionCase(AsciiLower); }

void TMainForm::mUpperCaseClick() { ReplaceSelectionCase(AsciiUpper); }

void TMainForm::UndoClick()
{
    UndoLastTextEdit(*Panes.reExpression->document());
    RecalculateUnlessEnterOnly();
}

void TMainForm::CutClick()
{
    Panes.reExpression->cut();
    RecalculateUnlessEnterOnly();
}

void TMainForm::CopyClick() { Panes.reExpression->copy(); }

void TMainForm::PasteClick()
{
    Panes.reExpression->paste();
    RecalculateUnlessEnterOnly();
}

void TMainForm::SelectAllClick() { Panes.reExpression->selectAll(); }

void TMainForm::Copy2Click() { Panes.reResult->copy(); }

// Lines are joined with CR LF throughout, as the line before "=" is.
void TMainForm::CopyWithResultClick()
{
    QString text = Panes.reExpression->toPlainText();
    text.replace(u'\n', QStringLiteral("\r\n"));
    QGuiApplication::clipboard()->setText(text + QStringLiteral("\r\n=") + Bands.OutputEdit->Value());
}

}  // namespace tallyrix
