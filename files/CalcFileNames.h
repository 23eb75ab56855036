// Names and texts around calculation files: the untitled name, the caption,
// the dialogs' filters and the messages of status panel 4.
#pragma once

#include <QString>
#include <QStringList>
#include <cstddef>

#include "files/SaveFile.h"

namespace tallyrix {

// The name of a document never saved, or started with New.
QString UntitledFileName();

// The part after the last separator; empty for a path ending in one.
QString FileNamePart(const QString& path);
// Everything before the file-name part, without the trailing separator.
QString DirectoryPart(const QString& path);

// Any document named "新規.txt", in whatever directory, is saved through
// Save As, as is a path without a file name.
bool IsUntitled(const QString& path);

// "Tallyrix - name".
QString CaptionFor(const QString& title, const QString& path);

// A filter in the form "text|mask|text|mask" as the dialogs take it: one
// entry a pair, the mask in parentheses after the text unless the text
// already shows it.
QStringList DialogNameFilters(const QString& filter);

// A filter of DialogNameFilters as a file dialog that hides the filters'
// patterns takes it: the text shown, then the patterns the listing uses, in
// which "*.*" becomes "*" because it means every file, a name without a dot
// too: "すべてのﾌｧｲﾙ (*.*)" gives "すべてのﾌｧｲﾙ (*.*) (*)".
QString ListingFilter(const QString& dialogFilter);

// What the Open dialog opens for a typed path: the path itself when such a
// file exists or its name has an extension, else the path with
// defaultSuffix ("memo" → "memo.txt", "README" as it is when it exists).
QString OpenedPath(const QString& typed, const QString& defaultSuffix);

// True when saving to target would replace a file other than current.
bool ReplacesAnotherFile(const QString& target, const QString& current);

QString CreatedMessage(const QString& path);
// Bytes the codec could not read are counted, so a damaged file is noticed.
QString OpenedMessage(const QString& path, std::size_t undecodableBytes);
// A file written in place, without a temporary, says so.
QString SavedMessage(const QString& path, SaveMethod method = SaveMethod::Replaced);

}  // namespace tallyrix
