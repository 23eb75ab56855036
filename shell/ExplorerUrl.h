// The explorer command: the file pane's directory opened in the desktop's
// file manager by URL, never through a shell or a command line.
#pragma once

#include <QString>
#include <QUrl>

namespace tallyrix {

// The directory as a file URL; a relative path is taken from the current
// directory. Every character of the path survives (blanks, '#', '%', '?',
// Japanese, a leading '-'). An empty path gives an empty URL.
QUrl DirectoryUrl(const QString& directory);

// Hands the directory to the desktop; false when there is nothing to open
// or the desktop refuses. Nothing is reported to the user.
bool OpenInFileManager(const QString& directory);

}  // namespace tallyrix
