// Shell routines.
#include "routines/shell_routines.h"

#include "platform/shellapi/shell_execute.h"
#include "platform/shellapi/special_folders.h"
#include "platform/system/files.h"

namespace {

bool IsKnownOperation(int Operation)
{
    return Operation >= int(win::FO_MOVE) && Operation <= int(win::FO_RENAME);
}

// "a,b" as the shell's list: "a", NUL, "b", NUL, and the NUL that ends the list.
QString NameList(const QString& CommaList)
{
    QString list = CommaList;
    if (!list.endsWith(QLatin1Char(',')))
        list += QLatin1Char(',');
    list.replace(QLatin1Char(','), QChar(0));
    return list + QChar(0);
}

// The flags as the operation takes them: no name mappings are ever asked for.
win::FILEOP_FLAGS OperationFlags(int Flags)
{
    return win::FILEOP_FLAGS(Flags & ~win::FOF_WANTMAPPINGHANDLE);
}

} // namespace

bool ShellOpenFile(const QString& FileName, const QString& Parameters)
{
    const QString parameters =
        Parameters.contains(QLatin1Char(' ')) ? QStringLiteral("\"%1\"").arg(Parameters) : Parameters;
    return win::ShellExecute(nullptr, QStringLiteral("open"), FileName, parameters, QString(),
                             win::SW_SHOWNORMAL) > 32;
}

bool ShellFileOp(const QString& Sources, const QString& Targets, int Operation, int Flags)
{
    if (!IsKnownOperation(Operation) || Sources.isEmpty())
        return false;
    win::SHFILEOPSTRUCT op;
    op.wFunc = win::UINT(Operation);
    op.pFrom = NameList(Sources);
    if (!Targets.isEmpty())
        op.pTo = NameList(Targets);
    op.fFlags = OperationFlags(Flags);
    return win::SHFileOperation(op) == 0 && !op.fAnyOperationsAborted;
}

bool ShellFileOpList(const QList<TFileOpSource>& Sources, const QString& Target, int Operation, int Flags)
{
    if (!IsKnownOperation(Operation) || Sources.isEmpty())
        return false;
    TFileOperation op;
    op.Function = win::UINT(Operation);
    op.Sources = Sources;
    op.Target = Target;
    op.Flags = OperationFlags(Flags);
    return RunFileOperation(op) == 0 && !op.AnyOperationsAborted;
}

bool DeleteFolderFiles(const QString& Folder, bool ToRecycleBin)
{
    if (!DirectoryExists(Folder))
        return false;
    const int flags = ToRecycleBin ? win::FOF_ALLOWUNDO : win::FOF_SILENT | win::FOF_NOCONFIRMATION;
    return ShellFileOpList({{Folder, true}}, QString(), win::FO_DELETE, flags);
}

QString GetSpecialFolder(int FolderId)
{
    QString path = win::SHGetSpecialFolderPath(FolderId);
    if (!path.isEmpty() && !path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}
