// The file clipboard over QClipboard.
#include "platform/shellapi/file_clipboard.h"

#include "platform/ole/uri_list.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

const QString UriListType = QStringLiteral("text/uri-list");
const QString GnomeType = QStringLiteral("x-special/gnome-copied-files");
const QString KdeCutType = QStringLiteral("application/x-kde-cutselection");

} // namespace

void PutFilesOnClipboard(const TClipboardFiles& Files)
{
    const QByteArray uris = win::UriListOfFileNames(Files.Paths);
    auto* data = new QMimeData;
    data->setData(UriListType, uris);
    QByteArray gnome = Files.Cut ? "cut" : "copy";
    for (const QByteArray& line : uris.split('\n')) {
        if (!line.trimmed().isEmpty())
            gnome += '\n' + line.trimmed();
    }
    data->setData(GnomeType, gnome);
    data->setData(KdeCutType, Files.Cut ? "1" : "0");
    QGuiApplication::clipboard()->setMimeData(data);
}

TClipboardFiles FilesOnClipboard()
{
    TClipboardFiles files;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return files;
    if (data->hasFormat(GnomeType)) {
        const QByteArray gnome = data->data(GnomeType);
        const qsizetype end = gnome.indexOf('\n');
        const QByteArray action = gnome.left(end).trimmed();
        if (action == "cut" || action == "copy") {
            files.Cut = action == "cut";
            files.Paths = win::FileNamesOfUriList(end < 0 ? QByteArray() : gnome.mid(end + 1));
            return files;
        }
    }
    files.Paths = win::FileNamesOfUriList(data->data(UriListType));
    files.Cut = data->data(KdeCutType).trimmed() == "1";
    return files;
}

void ClearClipboard()
{
    QGuiApplication::clipboard()->clear();
}
