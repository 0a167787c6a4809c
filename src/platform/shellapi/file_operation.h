// SHFileOperation: copy, move, delete (or move to the trash) and rename files and folders, with
// the confirmations and error messages of the shell.
#pragma once

#include "platform/messages/messages.h"

#include <QList>
#include <QString>

namespace win {

constexpr UINT FO_MOVE = 1;
constexpr UINT FO_COPY = 2;
constexpr UINT FO_DELETE = 3;
constexpr UINT FO_RENAME = 4;

using FILEOP_FLAGS = WORD;
constexpr FILEOP_FLAGS FOF_SILENT = 0x0004;            // no progress window (there is none anyway)
constexpr FILEOP_FLAGS FOF_NOCONFIRMATION = 0x0010;    // no question before deleting or replacing
constexpr FILEOP_FLAGS FOF_WANTMAPPINGHANDLE = 0x0020; // ignored: no name mappings are made
constexpr FILEOP_FLAGS FOF_ALLOWUNDO = 0x0040;         // delete: into the trash
constexpr FILEOP_FLAGS FOF_FILESONLY = 0x0080;         // "all entries" sources: files only
constexpr FILEOP_FLAGS FOF_NOERRORUI = 0x0400;         // failures are not shown

// The result of an operation the user cancelled.
constexpr int ERROR_CANCELLED = 1223;

struct SHFILEOPSTRUCT {
    HWND hwnd = nullptr;
    UINT wFunc = 0;
    // Names each ended by a NUL, the list ended by another NUL. A name whose last component is
    // "*" or "*.*" stands for every entry of its folder; "*" and "?" anywhere else are ordinary
    // characters of a name.
    QString pFrom;
    // The same form; only the first name is used.
    QString pTo;
    FILEOP_FLAGS fFlags = 0;
    bool fAnyOperationsAborted = false;
    void* hNameMappings = nullptr;
    QString lpszProgressTitle;
};

// Runs the operation (RunFileOperation) on the names of pFrom and pTo; returns its result.
int SHFileOperation(SHFILEOPSTRUCT& FileOp);

} // namespace win

// One source of a file operation: the entry Path itself, or every entry of the folder Path
// (hidden ones too; only files with FOF_FILESONLY).
struct TFileOpSource {
    QString Path;
    bool AllEntries = false;
};

// A file operation on a list of sources. Names are taken literally.
//
// - FO_DELETE removes each source with everything below it, or moves it into the trash with
//   FOF_ALLOWUNDO. Symbolic links are removed or moved as links, never followed.
// - FO_COPY and FO_MOVE put each source into the folder Target when it is one (or a link to
//   one); a single source whose Target does not exist takes Target as its new name; several
//   sources make the folder Target. A folder meeting a folder of its name is merged into it; a
//   file meeting a file asks whether to replace it (Yes, No skips it, Cancel stops, Yes to All);
//   a file meeting a folder, or the other way round, fails. Copying an entry onto itself or a
//   folder into itself fails.
// - FO_RENAME gives the single source the name Target; an existing Target fails.
//
// Without FOF_NOCONFIRMATION a delete asks first ("No" cancels it) and replacing asks as above;
// without FOF_NOERRORUI a failure is shown. The operation stops at the first failure.
struct TFileOperation {
    win::UINT Function = 0;
    QList<TFileOpSource> Sources;
    QString Target;
    win::FILEOP_FLAGS Flags = 0;
    // Set when the user cancelled or skipped part of the operation.
    bool AnyOperationsAborted = false;
};

// Returns 0 on success (also when the user skipped files), win::ERROR_CANCELLED when the user
// cancelled, or the errno of the failure (EINVAL for an unknown operation or a misuse).
int RunFileOperation(TFileOperation& Operation);
