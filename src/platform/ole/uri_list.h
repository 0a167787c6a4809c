// File lists as "text/uri-list": one file URL per line, as file managers exchange them.
#pragma once

#include <QByteArray>
#include <QStringList>

namespace win {

// The local paths of a list's file URLs, in order. Lines that are empty or start with "#" are
// comments. Only "file:" URLs whose host is empty or "localhost" name local files; any other URL
// is left out. The path ends at a "?" or "#", is percent-decoded to bytes and becomes text
// through DecodeName; a path that is not absolute or that holds a NUL byte is left out.
QStringList FileNamesOfUriList(const QByteArray& List);
// A list of "file://" URLs, one per absolute path (others are left out), each path's bytes
// (EncodeName) percent-encoded but for letters, digits, "-._~" and "/"; lines end with CR LF.
QByteArray UriListOfFileNames(const QStringList& Names);

} // namespace win
