// DragQueryFile and DroppedFileNames over the bounds-checked CF_HDROP reader.
#include "platform/shellapi/drag_query_file.h"

#include "platform/ole/drop_files.h"
#include "platform/ole/hglobal.h"
#include "platform/ole/medium.h"

namespace {

QStringList NamesOf(win::HDROP Block)
{
    const std::optional<QByteArray> bytes = win::BytesOfGlobal(Block);
    if (!bytes)
        return {};
    const std::optional<win::TDropFiles> files = win::ReadDropFiles(win::ByteSpan(*bytes));
    return files ? files->Names : QStringList();
}

} // namespace

win::UINT win::DragQueryFile(HDROP hDrop, UINT iFile, QString* File)
{
    const QStringList names = NamesOf(hDrop);
    if (iFile == 0xFFFFFFFFu)
        return UINT(names.size());
    const QString name = iFile < UINT(names.size()) ? names[qsizetype(iFile)] : QString();
    if (File)
        *File = name;
    return UINT(name.size());
}

QStringList win::DroppedFileNames(IDataObject* Data)
{
    if (!Data)
        return {};
    FORMATETC format;
    format.cfFormat = CF_HDROP;
    format.tymed = TYMED_HGLOBAL;
    STGMEDIUM medium;
    if (FAILED(Data->GetData(&format, &medium)))
        return {};
    const QStringList names = medium.tymed == TYMED_HGLOBAL ? NamesOf(medium.hGlobal) : QStringList();
    ReleaseStgMedium(&medium);
    return names;
}
