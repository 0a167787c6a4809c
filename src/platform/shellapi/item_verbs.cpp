// OpenPlace, CreateLinkIn and CreateLinkBeside, PasteFiles, TrashPaths and ShowPlaceProperties.
#include "platform/shellapi/item_verbs.h"

#include "platform/shellapi/file_clipboard.h"
#include "platform/shellapi/file_entries.h"
#include "platform/shellapi/file_operation.h"
#include "platform/shellapi/item_texts.h"
#include "platform/shellapi/shell_execute.h"
#include "platform/shellapi/shell_folder.h"
#include "platform/shellapi/shell_links.h"
#include "platform/system/name_encoding.h"
#include "platform/ui/properties_sheet.h"

#include <QDateTime>
#include <QLocale>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString FolderOf(const QString& Path)
{
    const qsizetype slash = Path.lastIndexOf(QLatin1Char('/'));
    return slash <= 0 ? QStringLiteral("/") : Path.left(slash);
}

QString NameOf(const QString& Path)
{
    return Path.mid(Path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString Permissions(mode_t Mode)
{
    QString text;
    const char letters[] = "rwx";
    for (int bit = 8; bit >= 0; --bit)
        text += (Mode & (1u << bit)) ? QLatin1Char(letters[(8 - bit) % 3]) : QLatin1Char('-');
    return text;
}

QString Bytes(qint64 Size)
{
    return QStringLiteral("%1 bytes").arg(QLocale::c().toString(Size));
}

// The rows of one place.
QList<TPropertyRow> RowsOf(const win::TShellPlace& Place, qint64& Size)
{
    const QString path = DecodeName(Place.Path);
    const bool entry = !Place.Items.isEmpty() && Place.Item().IsEntry();
    QList<TPropertyRow> rows = {{QStringLiteral("Name"), win::PlaceName(Place, win::SHGDN_INFOLDER)},
                                {QStringLiteral("Kind"), win::PlaceTypeName(Place)},
                                {QStringLiteral("Folder"), entry ? FolderOf(path) : path}};
    struct stat st;
    if (Place.Path.isEmpty() || ::lstat(Place.Path.constData(), &st) != 0)
        return rows;
    if (!S_ISDIR(st.st_mode)) {
        Size += st.st_size;
        rows += {QStringLiteral("Size"), Bytes(st.st_size)};
    }
    rows += {QStringLiteral("Modified"),
             QDateTime::fromSecsSinceEpoch(st.st_mtime).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))};
    rows += {QStringLiteral("Permissions"), Permissions(st.st_mode)};
    return rows;
}

// The value the rows named Name share; Differ when they do not.
QString Common(const QList<QList<TPropertyRow>>& Rows, const QString& Name, const QString& Differ)
{
    QString value;
    for (qsizetype i = 0; i < Rows.size(); ++i) {
        QString mine;
        for (const TPropertyRow& row : Rows[i]) {
            if (row.Name == Name)
                mine = row.Value;
        }
        if (i > 0 && mine != value)
            return Differ;
        value = mine;
    }
    return value;
}

} // namespace

win::HRESULT win::FileOperationResult(int Result)
{
    if (Result == 0)
        return S_OK;
    return Result == ERROR_CANCELLED ? HRESULT_FROM_WIN32(ERROR_CANCELLED) : HResultFromErrno(Result);
}

win::HRESULT win::OpenPlace(const TShellPlace& Place)
{
    if (Place.Kind == TShellPlace::pkComputer)
        return S_FALSE;
    QString file = DecodeName(Place.Path);
    QString parameters;
    QString folder;
    TLinkTarget link;
    if (Place.Kind == TShellPlace::pkFile && IsDesktopEntryName(Place.Item().Name) &&
        SUCCEEDED(ReadLinkFile(file, link))) {
        file = link.Path;
        if (link.Kind == TLinkTarget::lkApplication) {
            parameters = link.Arguments;
            folder = link.WorkingFolder;
        }
    }
    const std::intptr_t result =
        ShellExecute(nullptr, QStringLiteral("open"), file, parameters, folder, SW_SHOWNORMAL);
    if (result > 32)
        return S_OK;
    return result == SE_ERR_FNF ? HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) : E_FAIL;
}

win::HRESULT win::CreateLinkIn(const QString& Folder, const QString& Target, QString* Link)
{
    const QString name = NameOf(Target);
    const QByteArray content = EncodeName(FolderOf(Target) == Folder ? name : Target);
    for (int n = 1;; ++n) {
        const QString linkName = n == 1 ? QStringLiteral("Link to %1").arg(name)
                                        : QStringLiteral("Link to %1 (%2)").arg(name).arg(n);
        const QString path = DecodeName(ChildPath(EncodeName(Folder), EncodeName(linkName)));
        if (::symlink(content.constData(), EncodeName(path).constData()) == 0) {
            if (Link)
                *Link = path;
            return S_OK;
        }
        if (errno != EEXIST)
            return HResultFromErrno(errno);
    }
}

win::HRESULT win::CreateLinkBeside(const QString& Target)
{
    return CreateLinkIn(FolderOf(Target), Target);
}

win::HRESULT win::PasteFiles(const QString& Folder, bool ShowErrors)
{
    const TClipboardFiles files = FilesOnClipboard();
    if (files.Paths.isEmpty())
        return S_FALSE;
    TFileOperation operation;
    operation.Function = files.Cut ? FO_MOVE : FO_COPY;
    for (const QString& path : files.Paths)
        operation.Sources += {path, false};
    operation.Target = Folder;
    operation.Flags = ShowErrors ? 0 : FOF_NOERRORUI;
    const int result = RunFileOperation(operation);
    if (result == 0 && files.Cut && !operation.AnyOperationsAborted)
        ClearClipboard();
    return FileOperationResult(result);
}

win::HRESULT win::TrashPaths(const QStringList& Paths, bool ShowErrors)
{
    TFileOperation operation;
    operation.Function = FO_DELETE;
    for (const QString& path : Paths)
        operation.Sources += {path, false};
    operation.Flags = FOF_ALLOWUNDO | (ShowErrors ? 0 : FOF_NOERRORUI);
    return FileOperationResult(RunFileOperation(operation));
}

void win::ShowPlaceProperties(const QList<TShellPlace>& Places)
{
    if (Places.isEmpty())
        return;
    qint64 size = 0;
    QList<QList<TPropertyRow>> rows;
    for (const TShellPlace& place : Places)
        rows += RowsOf(place, size);
    if (rows.size() == 1) {
        ShowPropertiesSheet(QStringLiteral("%1 Properties").arg(rows[0][0].Value), rows[0]);
        return;
    }
    const QString name = QStringLiteral("%1 items").arg(rows.size());
    ShowPropertiesSheet(
        QStringLiteral("%1 Properties").arg(name),
        {{QStringLiteral("Name"), name},
         {QStringLiteral("Kind"), Common(rows, QStringLiteral("Kind"), QStringLiteral("Multiple types"))},
         {QStringLiteral("Folder"), Common(rows, QStringLiteral("Folder"), QString())},
         {QStringLiteral("Size"), Bytes(size)}});
}
