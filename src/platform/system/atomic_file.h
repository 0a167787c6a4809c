// WriteFileAtomically and WriteDocumentAtomically: replace a file's content so that readers see
// the old or the new file whole.
#pragma once

#include <QByteArray>
#include <QString>

// Writes Data to a new private file (mode 0600) beside FileName, flushes it to the disk, renames
// it over FileName and flushes the folder. On failure FileName is untouched and the new file
// removed. Returns 0 or the errno of the step that failed.
int WriteFileAtomically(const QString& FileName, const QByteArray& Data);
// The same for a document the user edits: a symbolic link is followed to the file it names (the
// link stays a link), and the new file takes the replaced file's permission bits (a new one gets
// 0666 less the umask).
int WriteDocumentAtomically(const QString& FileName, const QByteArray& Data);
