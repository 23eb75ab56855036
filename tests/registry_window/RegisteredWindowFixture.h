// A main window started with a Registered.txt of the test's choosing in the
// program's directory, and the register dialog driven without a modal loop.
#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

#include "registry/Registerunit.h"
#include "tests/window/WindowFixture.h"

class QToolButton;

namespace tallyrix::test {

class RegisteredWindowTest : public WindowTest {
protected:
    // Each test starts the window itself, after choosing the file.
    void SetUp() override {}
    void TearDown() override;

    // Registered.txt with these lines (UTF-8 here; written as the program
    // writes it: code page 932, CR LF), then the window.
    void StartWith(const std::vector<std::string>& lines);
    void StartWithBytes(const QByteArray& bytes);
    void StartWithoutFile();

    static QString RegisteredPath();
    static QByteArray FileBytes();
    // Registered.txt as another program writes it.
    static void PutFileBytes(const QByteArray& bytes);
    QList<QToolButton*> RegisteredButtons() const;
    QStringList Captions() const;
    QToolButton* RegisteredButton(const QString& caption) const;

    // Opens the dialog from the Tools menu; act plays the user's part and
    // ends it with OK or Cancel (or neither: the close box).
    void InDialog(const std::function<void(TRegisterForm&)>& act);
};

// The grid's cells, row by row, the empty last row included.
QList<QStringList> GridRows(const TRegisterForm& form);
// Types text into a cell's editor, key by key.
void TypeIntoCell(TRegisterForm& form, int row, int column, const QString& text);

}  // namespace tallyrix::test
