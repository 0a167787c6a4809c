// GetTempPath and GetTempFileName: the program's private temporary folder and unique new files.
#pragma once

#include <QString>
#include <functional>

namespace win {

// The private temporary folder, with a trailing "/": "tarnwick-halyard-<uid>" in the system's
// temporary folder ($TMPDIR, else /tmp; read on every call), made with mode 0700 when missing and
// set to 0700 when it is ours and readable by others. When that name is a symbolic link, no
// folder, another user's folder or one that others may write to, a fresh folder made by mkdtemp
// serves instead for the rest of the run (one warning line says so). "" when no folder can be made.
QString GetTempPath();

// Creates a new empty file in PathName, named with the first three characters of PrefixString,
// one to four upper-case hexadecimal digits and ".TMP", with mode 0600. An existing name (even a
// dangling link) is never reused: each try creates exclusively and the next number follows a
// refused one. Returns the file's full name, or "" when no file can be made there.
QString GetTempFileName(const QString& PathName, const QString& PrefixString);

} // namespace win

// Tests only: replaces the test that a folder belongs to the running user (by its owner's user
// id), so a folder of another user can be simulated; an empty function restores the real test.
// Returns the test in use before (empty for the real one).
using TTempOwnerCheck = std::function<bool(unsigned OwnerUid)>;
TTempOwnerCheck SetTempOwnerCheck(TTempOwnerCheck Check);
