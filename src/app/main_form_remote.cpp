// TTarnwickFTPApp: the remote list's and the remote folder combo's events.
#include "app/main_form.h"
#include "app/remote_list_view.h"
#include "ftp/client/ftp_client2.h"
#include "ftp/client/ftp_request_wrappers.h"
#include "platform/ui/screen.h"
#include "routines/path_routines.h"
#include "routines/string_routines.h"
#include "session/session_engine.h"
#include "shell/image_combo.h"
#include "shell/shell_list.h"

#include <QListView>
#include <QTimer>
#include <QTreeView>

void TTarnwickFTPApp::BindRemotePane()
{
    lvRemote->LogoShown = [this] { return !FtpClient_->Connected(); };
    lvRemote->OnDblClick = [this](TObject*) { lvRemoteDblClick(); };
    lvRemote->OnColumnClick = [this](TObject*, int Column) { lvRemoteColumnClick(Column); };
    lvRemote->OnEditing = [](TObject*, TListItem* Item, bool& AllowEdit) { AllowEdit = Item && Item->Index() > 0; };
    lvRemote->OnEdited = [this](TObject*, TListItem* Item, QString& S) { lvRemoteEdited(Item->Index(), S); };
    lvRemote->OnSelectItem = [this](TObject*, TListItem*, bool) { SummariseSelectionLater(&TTarnwickFTPApp::lvRemoteSelectItem); };
    lvMyComputer->OnSelectItem = [this](TObject*, TListItem*, bool) {
        SummariseSelectionLater(&TTarnwickFTPApp::lvMyComputerSelectItem);
    };
    for (TListView* list : std::initializer_list<TListView*>{lvRemote, lvMyComputer})
        for (QAbstractItemView* view : std::initializer_list<QAbstractItemView*>{list->ReportView(), list->IconView()})
            view->viewport()->installEventFilter(this);
    cbRemoteFolders->OnSelEndOk = [this](TObject*) { cbRemoteFoldersSelEndOk(cbRemoteFolders->currentIndex()); };
    cbRemoteFolders->OnSelEndCancel = [this](TObject*) { cbRemoteFolders->Tag = cbRemoteFolders->currentIndex(); };
}

void TTarnwickFTPApp::lvRemoteDblClick()
{
    TListItem* item = lvRemote->ItemFocused();
    if (!item || lvRemote->Retrieving() || item->Index() >= engine_->RemoteList.Count())
        return;
    const TRemoteRow& row = engine_->RemoteList.Row(item->Index());
    if (row.IsParent())
        FtpChangeDirUp(*FtpClient_);
    else if (row.IsFolder())
        FtpChangeDir(*FtpClient_, row.Caption());
    else
        ExecuteAction(QStringLiteral("actFtpGet"));
}

void TTarnwickFTPApp::lvRemoteColumnClick(int Column)
{
    if (lvRemote->Retrieving())
        return;
    // A click on the sort column turns the direction; another column sorts in the same direction.
    if (lvRemote->SortColumn() == Column)
        lvRemote->SetSortDirection(lvRemote->SortDirection() == 1 ? 0 : 1);
    lvRemote->SetSortColumn(Column);
    const bool ascending = lvRemote->SortDirection() == 1;
    lvRemote->SyncSelectionToModel();
    engine_->RemoteList.SortRemoteList(Column, ascending);
    lvRemote->ModelChanged();
}

void TTarnwickFTPApp::lvRemoteEdited(int Index, QString& NewName)
{
    if (Index <= 0 || Index >= engine_->RemoteList.Count())
        return;
    const TRemoteRow& row = engine_->RemoteList.Row(Index);
    const QString oldName = row.Caption();
    QString name = NewName;
    // The caption shown stays the model's until the server confirms the rename.
    NewName = oldName;
    if (name == oldName || !engine_->CheckNewName(name, row.IsFolder() ? 1 : 0, true))
        return;
    FtpRename(*FtpClient_, name, oldName);
}

void TTarnwickFTPApp::SetRemoteFolderCombo(const QString& Folder)
{
    Screen().SetCursor(crAppStart);
    QStringList parts;
    int position = 1;
    for (bool first = true; position > 0 && position <= Folder.size(); first = false) {
        const QString part = StrNextToken(Folder, QStringLiteral("/"), position);
        if (part.isEmpty() && first)
            parts += QStringLiteral("/");
        else if (!part.isEmpty())
            parts += part;
    }
    if (parts.isEmpty())
        parts += QStringLiteral("/");
    cbRemoteFolders->Clear();
    for (int i = 0; i < parts.size(); ++i)
        cbRemoteFolders->AddItem(parts[i], i + 1 == parts.size() ? SystemFolderOpen : SystemFolderClosed, i);
    cbRemoteFolders->setCurrentIndex(int(parts.size()) - 1);
    cbRemoteFolders->Tag = int(parts.size()) - 1;
    Screen().SetCursor(crDefault);
}

QString TTarnwickFTPApp::GetRemoteComboPath() const
{
    QString path;
    for (int i = 0; i < cbRemoteFolders->count(); ++i) {
        const QString text = cbRemoteFolders->GetComboItem(i)->Caption();
        if (path != QStringLiteral("/"))
            path += '/';
        if (text != QStringLiteral("/"))
            path += text;
    }
    if (path.isEmpty())
        return path;
    AddTrailingSlash(path);
    return path;
}

void TTarnwickFTPApp::cbRemoteFoldersSelEndOk(int Index)
{
    const int current = cbRemoteFolders->Tag;
    if (Index < 0 || Index >= current)
        return;
    if (current - Index == 1)
        ExecuteAction(QStringLiteral("actFtpCDup"));
    else
        FtpChangeDir(*FtpClient_, QStringLiteral("../").repeated(current - Index));
    cbRemoteFolders->Tag = Index;
}
