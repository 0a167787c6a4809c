// TTarnwickFTPApp: the history of the remote folders visited, and bookmarks made from it.
#include "app/main_form.h"
#include "ftp/client/ftp_request_wrappers.h"
#include "platform/rtl/date_time.h"
#include "shell/pt_list_view.h"

#include <QAction>
#include <QMenu>

void TTarnwickFTPApp::AddHistoryFolder(const QString& Folder)
{
    // One row per folder, the newest on top: remote folders compare with case.
    for (int i = lvHistory->Count() - 1; i >= 0; --i)
        if (lvHistory->Item(i)->Caption() == Folder)
            lvHistory->Delete(i);
    TListItem* row = lvHistory->Insert(0);
    row->SetCaption(Folder);
    row->SetImageIndex(FolderImageClosed);
    row->SetSubItems({DateTimeToStr(Now())});
    lvHistory->ClearSelection();
    row->SetSelected(true);
    lvHistory->SetItemFocused(row);
}

void TTarnwickFTPApp::ClearHistory()
{
    lvHistory->Clear();
}

void TTarnwickFTPApp::actViewHistoryItemExecute()
{
    if (TListItem* row = lvHistory->ItemFocused(); row && IsConnected())
        FtpChangeDir(*FtpClient_, row->Caption());
}

void TTarnwickFTPApp::popHistoryPopup()
{
    popHistory->findChild<QAction*>(QStringLiteral("popHistorymniAddBk"))
        ->setEnabled(lvHistory->Selected() != nullptr);
}

void TTarnwickFTPApp::popHistorymniAddBkClick()
{
    if (TListItem* row = lvHistory->Selected())
        AddBookmark(row->Caption(), true);
}
