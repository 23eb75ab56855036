#include "tests/window/WindowFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>

#include "shell/ResultField.h"
#include "shell/ResultPane.h"

namespace tallyrix::test {

void WindowTest::SetUp()
{
    auto dialogs = std::make_unique<RecordingDialogs>();
    Dialogs = dialogs.get();
    Form = std::make_unique<TMainForm>(std::move(dialogs));
    Form->show();
    Form->activateWindow();
}

void WindowTest::TearDown() { Form.reset(); }

void WindowTest::Type(const QString& text) { QTest::keyClicks(Form->Panes.reExpression, text); }

void WindowTest::PressAndRelease(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyPress(Form->Panes.reExpression, key, modifiers);
    QTest::simulateEvent(Form->Panes.reExpression, false, key, modifiers, QString(), false);
}

void WindowTest::SetDocument(const QString& text)
{
    Form->Panes.reExpression->setPlainText(text);
    Form->SetModified(false);
}

void WindowTest::Select(int start, int end)
{
    QTextCursor cursor = Form->Panes.reExpression->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    Form->Panes.reExpression->setTextCursor(cursor);
}

QToolButton* WindowTest::Button(const QString& name) const
{
    auto* button = Form->findChild<QToolButton*>(name);
    EXPECT_NE(button, nullptr) << name.toStdString();
    return button;
}

QToolButton* WindowTest::Captioned(const QString& caption) const
{
    for (QToolButton* button : Form->findChildren<QToolButton*>()) {
        if (button->text() == caption) return button;
    }
    ADD_FAILURE() << "no button " << caption.toStdString();
    return nullptr;
}

void WindowTest::Click(const QString& caption) { QTest::mouseClick(Captioned(caption), Qt::LeftButton); }

QString WindowTest::Document() const { return Form->Panes.reExpression->toPlainText(); }

QString WindowTest::Output() const { return Form->Bands.OutputEdit->text(); }

QString WindowTest::Panel(int index) const { return Form->StatusPanel(index)->text(); }

QStringList WindowTest::ResultLines() const
{
    return Form->Panes.reResult->toPlainText().split(u'\n', Qt::SkipEmptyParts);
}

QTextCharFormat WindowTest::FormatAt(QPlainTextEdit* edit, int position)
{
    QTextCursor cursor(edit->document());
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

}  // namespace tallyrix::test
