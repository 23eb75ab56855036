// The help window: the program's help page, Tallyrix.html, shown in a
// browser of its own beside the main window.
#pragma once

#include <QStringList>
#include <QTextBrowser>
#include <optional>

namespace tallyrix {

inline constexpr char HelpFileName[] = "Tallyrix.html";

// The help page in the first of directories that holds one; when none does,
// the path in the first directory, so a report names where it was expected.
QString LocateHelpFile(const QStringList& directories);

// Where the help page is looked for, in order: the program's directory, the
// executable's directory (a build tree), and the shared data directories of
// an installation beside the executable ("../share/tallyrix",
// "../share/doc/tallyrix"), of the desktop ("tallyrix" in each of
// $XDG_DATA_HOME and $XDG_DATA_DIRS) and of the system.
QStringList HelpDirectories(const QString& programDir, const QString& executableDir);

class THelpWindow : public QTextBrowser {
    Q_OBJECT
public:
    explicit THelpWindow(QWidget* parent = nullptr);

    // Shows the page at path and brings the window to the front. When the
    // file cannot be read (also when it is not a regular file or is larger
    // than SmallFileSizeLimit), returns the message that names it and leaves
    // the window as it was.
    std::optional<QString> ShowFile(const QString& path);

protected:
    // Local files are read within the limit, so no page or picture can hold
    // the window on a pipe or fill the memory.
    QVariant loadResource(int type, const QUrl& name) override;
    // Escape closes the window, as it closes a dialog.
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace tallyrix
