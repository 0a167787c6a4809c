// TPTShListData: the row data of a shell list and its detail texts.
#include "shell/shell_list_data.h"

#include "shell/pidl_routines.h"
#include "shell/shell_details.h"
#include "shell/shell_list.h"

#include "platform/rtl/date_time.h"
#include "platform/rtl/format.h"
#include "platform/rtl/format_settings.h"
#include "platform/shellapi/file_info.h"
#include "platform/shellapi/volumes.h"
#include "platform/system/name_encoding.h"

#include <QDateTime>
#include <QFileInfo>

namespace {

// The size text of a file: kilobytes rounded up, grouped, as "%sKB".
QString SizeText(qint64 Bytes)
{
    const qint64 kilobytes = Bytes / 1024 + (Bytes % 1024 ? 1 : 0);
    return Format(QStringLiteral("%sKB"), {Format(QStringLiteral("%.0n"), {double(kilobytes)})});
}

// Local short date, a space and the short time.
QString ModifiedText(const QDateTime& Written)
{
    const QDateTime local = Written.toLocalTime();
    const QDate day = local.date();
    const QTime time = local.time();
    const TDateTime value = EncodeDate(day.year(), day.month(), day.day()) +
                            EncodeTime(time.hour(), time.minute(), time.second(), time.msec());
    return FormatDateTime(FormatSettings.ShortDateFormat + QLatin1Char(' ') + FormatSettings.ShortTimeFormat, value);
}

} // namespace

TPTShListData::TPTShListData(TPTCustomShellList* Owner, win::LPITEMIDLIST RelPidl)
    : owner_(Owner), relPidl_(RelPidl)
{
}

TPTShListData::~TPTShListData()
{
    ShellFree(relPidl_);
    ShellFree(absPidl_);
}

void TPTShListData::ForgetCache()
{
    ShellFree(std::exchange(absPidl_, nullptr));
    displayName_.clear();
    nameLoaded_ = false;
    iconIndex_ = -1;
    detailsLoaded_ = false;
}

void TPTShListData::SetRelPidl(win::LPITEMIDLIST Value)
{
    ShellFree(std::exchange(relPidl_, Value));
    ForgetCache();
}

win::LPCITEMIDLIST TPTShListData::AbsPidl()
{
    if (!absPidl_)
        absPidl_ = ConcatPidls(nullptr, owner_->FolderPidl(), relPidl_);
    return absPidl_;
}

const QString& TPTShListData::DisplayName()
{
    if (!nameLoaded_) {
        win::SHFILEINFO info;
        if (win::SHGetFileInfo(AbsPidl(), 0, &info, win::SHGFI_DISPLAYNAME))
            displayName_ = info.szDisplayName;
        nameLoaded_ = true;
    }
    return displayName_;
}

int TPTShListData::IconIndex()
{
    if (iconIndex_ < 0)
        iconIndex_ = GetPidlIconIndex(AbsPidl(), win::SHGFI_SMALLICON);
    return iconIndex_;
}

win::ULONG TPTShListData::Attributes()
{
    win::IShellFolder* folder = owner_->ShellFolder();
    if (!folder)
        return 0;
    win::ULONG attributes = AttributeMask;
    // Items on removable volumes are not asked whether they are read-only.
    const QString path = GetPath();
    if (path.size() > 1 && win::VolumeHolding(EncodeName(path)).Kind == win::vkRemovable)
        attributes &= ~win::SFGAO_READONLY;
    const win::LPCITEMIDLIST item = relPidl_;
    if (win::FAILED(folder->GetAttributesOf({&item, 1}, &attributes)))
        return 0;
    return attributes;
}

bool TPTShListData::IsFolder() { return Attributes() & win::SFGAO_FOLDER; }
bool TPTShListData::IsFileSystem() { return Attributes() & win::SFGAO_FILESYSTEM; }
bool TPTShListData::CanRename() { return Attributes() & win::SFGAO_CANRENAME; }

bool TPTShListData::IsLink()
{
    return GetPath().endsWith(QStringLiteral(".lnk"), Qt::CaseInsensitive);
}

QString TPTShListData::GetPath()
{
    return PidlToPath(AbsPidl());
}

QString TPTShListData::GetFileName()
{
    const QString path = GetPath();
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

void TPTShListData::LoadDetails()
{
    if (detailsLoaded_)
        return;
    sizeText_.clear();
    modifiedText_.clear();
    // The root folder is the one drive root: it has neither size nor date.
    const QString path = GetPath();
    if (path.size() > 1) {
        const QFileInfo info(path);
        if (!info.isDir())
            sizeText_ = SizeText(info.size());
        QDateTime written = info.lastModified();
        if (written.isValid() && written.toSecsSinceEpoch() == 0)
            written = info.birthTime();
        if (written.isValid())
            modifiedText_ = ModifiedText(written);
    }
    if (IsFileSystem()) {
        win::SHFILEINFO info;
        typeText_ = win::SHGetFileInfo(AbsPidl(), 0, &info, win::SHGFI_TYPENAME) ? info.szTypeName : QString();
    } else {
        typeText_ = QStringLiteral("System Folder");
    }
    detailsLoaded_ = true;
}

QString TPTShListData::GetSizeText()
{
    LoadDetails();
    return sizeText_;
}

QString TPTShListData::GetTypeText()
{
    LoadDetails();
    return typeText_;
}

QString TPTShListData::GetModifiedText()
{
    LoadDetails();
    return modifiedText_;
}

QString TPTShListData::DetailText(int Column)
{
    if (Column == 0)
        return {};
    if (IShellDetails* details = owner_->DetailProvider()) {
        win::SHELLDETAILS cell;
        return win::SUCCEEDED(details->GetDetailsOf(relPidl_, win::UINT(Column), &cell)) ? cell.str : QString();
    }
    switch (Column) {
    case 1:
        return GetSizeText();
    case 2:
        return GetTypeText();
    case 3:
        return GetModifiedText();
    default:
        return {};
    }
}
