// TPTCustomShellList: its columns (own or the folder's details), their widths carried from list to
// list, and sorting through the folder's comparison.
#include "shell/shell_list.h"

#include "shell/pidl_routines.h"
#include "shell/shell_list_layout.h"

#include "platform/rtl/streams.h"

#include <QtEndian>
#include <cstdlib>

void TPTCustomShellList::SaveLayoutIfOwn() const
{
    if (ColumnCount() > 0 && layoutOwn_)
        SaveColumnLayout(ShellListColumnLayout());
}

void TPTCustomShellList::SetupColumns(IShellDetails* Details)
{
    SaveLayoutIfOwn();
    if (Details)
        DetailColumns(Details);
    else
        OwnColumns();
    // A sort on a column this folder lacks (in either direction) starts over on the first.
    if (ColumnCount() < std::abs(signedSortColumn_))
        signedSortColumn_ = 1;
    SetSortColumn(std::abs(signedSortColumn_) - 1);
    SetSortDirection(signedSortColumn_ >= 0 ? 1 : 0);
}

void TPTCustomShellList::OwnColumns()
{
    const TDirectoryCols data = ReadDirectoryCols();
    ClearColumns();
    const char* captions[] = {"Name", "Size", "Type", "Modified"};
    for (const char* caption : captions) {
        TListColumn column;
        column.Caption = QString::fromLatin1(caption);
        column.Alignment = column.Caption == QLatin1String("Size") ? taRightJustify : taLeftJustify;
        AddColumn(column);
    }
    TDirectoryCols& saved = ShellListDirectoryCols();
    if (saved.Length != 0 && data == saved && ShellListColumnLayout().Size() > 0) {
        LoadColumnLayout(ShellListColumnLayout());
    } else {
        for (int index = 0; index < 4; ++index)
            SetColumnWidth(index, data.Width(index));
    }
    saved = data;
    layoutOwn_ = true;
}

void TPTCustomShellList::DetailColumns(IShellDetails* Details)
{
    const bool fileSystem = !PidlToPath(folderPidl_).isEmpty();
    const bool fromLayout = fileSystem && ShellListColumnLayout().Size() > 0;
    ClearColumns();
    for (win::UINT index = 0;; ++index) {
        win::SHELLDETAILS heading;
        if (win::FAILED(Details->GetDetailsOf(nullptr, index, &heading)))
            break;
        TListColumn column;
        column.Caption = heading.str;
        column.Alignment = heading.fmt == win::LVCFMT_RIGHT  ? taRightJustify
                           : heading.fmt == win::LVCFMT_CENTER ? taCenter
                                                               : taLeftJustify;
        column.Width = heading.cxChar * 7;
        AddColumn(column);
    }
    if (fromLayout)
        LoadColumnLayout(ShellListColumnLayout());
    layoutOwn_ = fileSystem;
}

void TPTCustomShellList::SaveColumnLayout(TStream& Stream) const
{
    Stream.SetSize(0);
    Stream.SetPosition(0);
    const auto write = [&Stream](qint32 value) {
        const qint32 little = qToLittleEndian(value);
        Stream.Write(&little, sizeof little);
    };
    write(ColumnCount());
    for (int index = 0; index < ColumnCount(); ++index)
        write(ColumnWidth(index));
}

void TPTCustomShellList::LoadColumnLayout(TStream& Stream)
{
    Stream.SetPosition(0);
    qint32 count;
    if (Stream.Read(&count, sizeof count) != sizeof count)
        return;
    count = qFromLittleEndian(count);
    for (int index = 0; index < std::min<int>(count, ColumnCount()); ++index) {
        qint32 width;
        if (Stream.Read(&width, sizeof width) != sizeof width)
            return;
        SetColumnWidth(index, qFromLittleEndian(width));
    }
}

void TPTCustomShellList::SetSignedSortColumn(int Value)
{
    SetSortColumn(std::abs(Value) - 1);
    SetSortDirection(Value >= 0 ? 1 : 0);
    sortColumnSet_ = true;
    if (Value != signedSortColumn_) {
        signedSortColumn_ = Value;
        SortItems();
    }
}

void TPTCustomShellList::SortItems()
{
    if (signedSortColumn_ == 0) {
        AlphaSort();
        return;
    }
    const win::LPARAM column = std::abs(signedSortColumn_) - 1;
    const bool descending = signedSortColumn_ < 0;
    win::IShellFolder* folder = shellFolder_.get();
    if (!folder)
        return;
    CustomSort([&](TListItem* Item1, TListItem* Item2) {
        auto* data1 = static_cast<TPTShListData*>(Item1->Data);
        auto* data2 = static_cast<TPTShListData*>(Item2->Data);
        if (!data1 || !data2)
            return 0;
        const win::HRESULT result = folder->CompareIDs(column, data1->RelPidl(), data2->RelPidl());
        if (win::FAILED(result))
            return 0;
        const int order = std::int16_t(result & 0xFFFF);
        return descending ? -order : order;
    });
}

void TPTCustomShellList::ColumnClick(int Column)
{
    sortColumnSet_ = false;
    TPTCustomListView::ColumnClick(Column);
    if (sortColumnSet_)
        return;
    const int clicked = Column + 1;
    SetSignedSortColumn(signedSortColumn_ == clicked ? -clicked : clicked);
}
