// Remote and local path routines. Remote paths use "/" and compare with case. Local paths are
// native paths: they use "/" too and compare with case, as the file system does.
#pragma once

#include <QChar>
#include <QString>

// Remote paths.

// "/" + Text for a non-empty text that does not start with "/".
QString AddLeadingSlash(const QString& Text);
// Appends "/" to a non-empty text that does not end with it.
void AddTrailingSlash(QString& Text);
// Deletes one trailing "/".
void RemoveTrailingSlash(QString& Text);
// True when a non-empty text ends with "/".
bool HasTrailingSlash(const QString& Text);
// A copy in which every Slash ("/" or "\") is replaced by the other one.
QString SwapSlashes(const QString& Text, QChar Slash);
// The last component of a remote path (one trailing "/" ignored); a path without "/" is returned
// whole.
QString ExtractRemoteName(const QString& Path);
// The parent folder of a remote path, up to and including its last "/" (one trailing "/"
// ignored); empty for a path without "/".
QString ExtractRemoteDir(const QString& Path);
// The folder of a path that may end in a file name, ending with "/": empty when the path holds no
// "/"; a last component with a dot (in a path that ends neither in "/" nor in ".") is taken for a
// file name and dropped.
QString RemoteDirOf(const QString& Path);
// Equal with case after a trailing "/" is added to both.
bool SameRemoteDir(const QString& A, const QString& B);
// ShortenPath for a remote path.
bool ShortenRemotePath(QString& Path, int Maximum);

// Local paths.

// Removes trailing blanks, then appends "/" unless the text ends with one (an empty text becomes
// "/").
void AddBackslash(QString& Text);
// Appends "/" to a non-empty path that does not end with it.
void AddBackslashInPlace(QString& Path);
// The path up to and including its last "/" once a trailing "/" has been added: the folder path
// itself with a trailing "/" (an empty path stays empty).
QString ExtractLocalDir(const QString& Path);
// Equal with case after a trailing "/" is added to both.
bool SameLocalDir(const QString& A, const QString& B);
// When Path begins with Base, the next "/"-delimited folder name after Base; else empty.
QString NextFolderAfter(const QString& Base, const QString& Path);
// The one check for local paths built from remote names: Folder joined with the remote name Name
// (a "/" between them when Folder does not end with one; an empty Folder, the working folder,
// gives Name alone), or "" when the result could lie outside
// Folder or name no file in it: Name empty, ".", "..", or holding "/" or NUL; with ForWriting (a
// name about to be created) also a name holding CR or LF.
QString LocalPathInFolder(const QString& Folder, const QString& Name, bool ForWriting);
// The program's own folder with a trailing "/". With Capitalise (for display only: the result may
// name no folder) the text is lower-cased and its first letter and every letter after a blank or
// "/" upper-cased.
QString GetAppFolder(bool Capitalise);

// Both kinds.

// Case-insensitive prefix test.
bool StartsText(const QString& Prefix, const QString& Text);
// Shortens a path for display to Maximum characters with "...": a path no longer than Maximum
// stays and gives true; below 4 it stays and gives false. A path with one "/" keeps its head; else
// the characters before the last "/" are cut when the middle is long enough, or both ends are cut
// after the first "/". True when the result is exactly Maximum long.
bool ShortenPath(QString& Path, int Maximum);
