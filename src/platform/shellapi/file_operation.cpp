// RunFileOperation and SHFileOperation.
#include "platform/shellapi/file_operation.h"

#include "platform/shellapi/file_tree.h"
#include "platform/shellapi/trash.h"
#include "platform/system/error_text.h"
#include "platform/system/files.h"
#include "platform/ui/message_dialogs.h"

#include <cerrno>

namespace {

QString NameOf(const QString& Path)
{
    return Path.mid(Path.lastIndexOf(QLatin1Char('/')) + 1);
}

// The full path without trailing "/" (so a link is named, not what it points to).
QString Normalized(const QString& Path)
{
    QString full = ExpandFileName(Path);
    while (full.size() > 1 && full.endsWith(QLatin1Char('/')))
        full.chop(1);
    return full;
}

QString Verb(win::UINT Function)
{
    switch (Function) {
    case win::FO_MOVE: return QStringLiteral("move");
    case win::FO_COPY: return QStringLiteral("copy");
    case win::FO_RENAME: return QStringLiteral("rename");
    default: return QStringLiteral("delete");
    }
}

class TFileOperationRun {
public:
    explicit TFileOperationRun(TFileOperation& Operation) : op_(Operation) {}

    int Run()
    {
        op_.AnyOperationsAborted = false;
        QStringList entries;
        int result = Expand(entries);
        if (!result) {
            switch (op_.Function) {
            case win::FO_DELETE: result = Delete(entries); break;
            case win::FO_COPY:
            case win::FO_MOVE: result = Transfer(entries); break;
            case win::FO_RENAME: result = Rename(entries); break;
            default: result = EINVAL; break;
            }
        }
        if (result && result != win::ERROR_CANCELLED && !(op_.Flags & win::FOF_NOERRORUI))
            MessageDlg(QStringLiteral("Cannot %1 '%2': %3.")
                           .arg(Verb(op_.Function), failed_, SysErrorMessage(result)),
                       mtError, {mbOK});
        return result;
    }

private:
    bool Confirm() const { return !(op_.Flags & win::FOF_NOCONFIRMATION); }

    int Fail(int Error, const QString& Path)
    {
        failed_ = Path;
        return Error;
    }

    // The entries the sources name.
    int Expand(QStringList& Entries)
    {
        if (op_.Function < win::FO_MOVE || op_.Function > win::FO_RENAME || op_.Sources.isEmpty())
            return Fail(EINVAL, QString());
        for (const TFileOpSource& source : op_.Sources) {
            const QString path = Normalized(source.Path);
            if (path.isEmpty() || path == QLatin1String("/"))
                return Fail(EINVAL, source.Path); // never the whole file system
            if (!source.AllEntries) {
                if (EntryKind(path) == TEntryKind::Missing)
                    return Fail(ENOENT, path);
                Entries += path;
                continue;
            }
            QStringList names;
            if (const int error = FolderEntries(path, !(op_.Flags & win::FOF_FILESONLY), names))
                return Fail(error, path);
            for (const QString& name : names)
                Entries += path + QLatin1Char('/') + name;
        }
        return 0;
    }

    int Delete(const QStringList& Entries)
    {
        if (Entries.isEmpty())
            return 0;
        if (Confirm()) {
            const bool trash = op_.Flags & win::FOF_ALLOWUNDO;
            const QString what = Entries.size() == 1 ? QStringLiteral("'%1'").arg(NameOf(Entries[0]))
                                                     : QStringLiteral("these %1 items").arg(Entries.size());
            const QString question = trash
                                         ? QStringLiteral("Are you sure you want to move %1 to the trash?")
                                         : QStringLiteral("Are you sure you want to permanently delete %1?");
            if (MessageDlg(question.arg(what), mtConfirmation, {mbYes, mbNo}) != mrYes) {
                op_.AnyOperationsAborted = true;
                return win::ERROR_CANCELLED;
            }
        }
        for (const QString& entry : Entries) {
            const int error = op_.Flags & win::FOF_ALLOWUNDO ? MoveToTrash(entry) : RemoveTree(entry);
            if (error)
                return Fail(error, entry);
        }
        return 0;
    }

    int Transfer(const QStringList& Entries)
    {
        const QString target = Normalized(op_.Target);
        if (target.isEmpty())
            return Fail(EINVAL, op_.Target);
        // A link to a folder as the target is that folder (it is never replaced).
        const bool intoFolder = DirectoryExists(target);
        const bool newName = !intoFolder && Entries.size() == 1 && !op_.Sources.first().AllEntries;
        if (newName)
            return TransferEntry(Entries.first(), target);
        if (!intoFolder && !CreateDir(target))
            return Fail(errno, target);
        for (const QString& entry : Entries) {
            if (const int error = TransferEntry(entry, target + QLatin1Char('/') + NameOf(entry)))
                return error;
        }
        return 0;
    }

    int TransferEntry(const QString& Source, const QString& Target)
    {
        const bool move = op_.Function == win::FO_MOVE;
        const TEntryKind sourceKind = EntryKind(Source);
        const TEntryKind targetKind = EntryKind(Target);
        const QString targetFolder = Target.left(Target.lastIndexOf(QLatin1Char('/')) + 1);
        if (SameEntry(Source, Target) ||
            (sourceKind == TEntryKind::Folder && IsWithinFolder(targetFolder, Source)))
            return Fail(EINVAL, Source);
        if (targetKind == TEntryKind::Missing) {
            const int error = move ? MoveTree(Source, Target) : CopyTree(Source, Target);
            return error ? Fail(error, Source) : 0;
        }
        if (sourceKind != targetKind)
            return Fail(EEXIST, Target);
        if (sourceKind == TEntryKind::Folder)
            return MergeFolder(Source, Target);
        if (Confirm() && !yesToAll_) {
            switch (MessageDlg(QStringLiteral("The folder already contains a file named '%1'.\n\n"
                                              "Would you like to replace the existing file?")
                                   .arg(NameOf(Target)),
                               mtConfirmation, {mbYes, mbNo, mbCancel, mbYesToAll})) {
            case mrYes: break;
            case mrYesToAll: yesToAll_ = true; break;
            case mrNo: op_.AnyOperationsAborted = true; return 0;
            default: op_.AnyOperationsAborted = true; return win::ERROR_CANCELLED;
            }
        }
        const int error = ReplaceEntry(Source, Target, move);
        return error ? Fail(error, Source) : 0;
    }

    int MergeFolder(const QString& Source, const QString& Target)
    {
        QStringList names;
        if (const int error = FolderEntries(Source, true, names))
            return Fail(error, Source);
        for (const QString& name : names) {
            const int error =
                TransferEntry(Source + QLatin1Char('/') + name, Target + QLatin1Char('/') + name);
            if (error)
                return error;
        }
        // A moved folder goes once all of it has moved; one holding files the user kept stays.
        names.clear();
        if (op_.Function == win::FO_MOVE && FolderEntries(Source, true, names) == 0 && names.isEmpty()) {
            if (const int error = RemoveTree(Source))
                return Fail(error, Source);
        }
        return 0;
    }

    int Rename(const QStringList& Entries)
    {
        const QString target = Normalized(op_.Target);
        if (Entries.size() != 1 || op_.Sources.first().AllEntries || target.isEmpty())
            return Fail(EINVAL, Entries.value(0));
        if (EntryKind(target) != TEntryKind::Missing)
            return Fail(EEXIST, target);
        const int error = MoveTree(Entries.first(), target);
        return error ? Fail(error, Entries.first()) : 0;
    }

    TFileOperation& op_;
    QString failed_;
    bool yesToAll_ = false;
};

// The names of a NUL-separated list ended by an empty name.
QStringList SplitNameList(const QString& List)
{
    QStringList names;
    for (const QString& name : List.split(QChar(0))) {
        if (name.isEmpty())
            break;
        names += name;
    }
    return names;
}

} // namespace

int RunFileOperation(TFileOperation& Operation)
{
    return TFileOperationRun(Operation).Run();
}

int win::SHFileOperation(SHFILEOPSTRUCT& FileOp)
{
    TFileOperation operation;
    operation.Function = FileOp.wFunc;
    operation.Flags = FileOp.fFlags;
    for (const QString& name : SplitNameList(FileOp.pFrom)) {
        const qsizetype slash = name.lastIndexOf(QLatin1Char('/'));
        const QString last = name.mid(slash + 1);
        if (last == QLatin1String("*") || last == QLatin1String("*.*"))
            operation.Sources += {slash < 0 ? QStringLiteral(".") : name.left(slash + 1), true};
        else
            operation.Sources += {name, false};
    }
    operation.Target = SplitNameList(FileOp.pTo).value(0);
    const int result = RunFileOperation(operation);
    FileOp.fAnyOperationsAborted = operation.AnyOperationsAborted;
    return result;
}
