// A window started on a program directory of its own, with helpers for the
// files it reads and writes and for the file pane.
#pragma once

#include <QByteArray>
#include <QTemporaryDir>
#include <functional>

#include "tests/window/WindowFixture.h"

class QListView;

namespace tallyrix::test {

class FilesWindowTest : public WindowTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new window on the same program directory, as a second start.
    void Restart();

    QString HomePath(const QString& relative) const;
    QString CalPath(const QString& name) const;
    static void WriteBytes(const QString& path, const QByteArray& bytes);
    static QByteArray ReadBytes(const QString& path);
    // Writes the file and opens it through the window.
    void OpenWith(const QString& path, const QByteArray& bytes);
    // Types at the end of the document, as the user would.
    void TypeAtEnd(const QString& text);
    bool Modified() const;

    QListView* FileList() const;
    // The file list reads its directory in the background.
    void WaitUntilListed(const QString& name, bool listed = true);
    void ClickFile(const QString& name, bool twice = false);

    QTemporaryDir Home;

private:
    QByteArray PreviousHome;
};

// Runs the event loop until done() holds; the file models report from a
// thread of their own. Generous bound, so that only a real fault fails.
bool WaitFor(const std::function<bool()>& done);

}  // namespace tallyrix::test
