// A shown main window whose dialogs are answered by the test.
#pragma once

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTextCursor>
#include <memory>

#include "app/MainForm.h"
#include "tests/shell/FormatChecks.h"
#include "tests/window/RecordingDialogs.h"

class QToolButton;

namespace tallyrix::test {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Keys typed into the editor, each pressed and released.
    void Type(const QString& text);
    // A key pressed and released while the modifiers stay held.
    void PressAndRelease(Qt::Key key, Qt::KeyboardModifiers modifiers);
    // Replaces the document without any key event (nothing recalculates).
    void SetDocument(const QString& text);
    void Select(int start, int end);
    QToolButton* Button(const QString& name) const;
    QToolButton* Captioned(const QString& caption) const;
    // Clicks the toolbar button with this caption.
    void Click(const QString& caption);
    QString Document() const;
    QString Output() const;
    QString Panel(int index) const;
    QStringList ResultLines() const;
    // The character format at a position of a text edit (the character after it).
    static QTextCharFormat FormatAt(QPlainTextEdit* edit, int position);

    RecordingDialogs* Dialogs = nullptr;
    std::unique_ptr<TMainForm> Form;
};

}  // namespace tallyrix::test
