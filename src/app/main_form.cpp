// TTarnwickFTPApp: construction, the window's messages, and what the session engine and the local
// pane's users ask of the window.
#include "app/main_form.h"

#include "app/image_open.h"
#include "app/pane_frame.h"
#include "app/remote_list_view.h"
#include "app/site_tree/site_tree.h"
#include "app/status_bar_main.h"
#include "dialogs/list_box_hrz.h"
#include "ftp/client/ftp_client2.h"
#include "platform/ui/action_list.h"
#include "platform/ui/message_dialogs.h"
#include "session/session_engine.h"
#include "shell/image_combo.h"
#include "shell/shell_list.h"
#include "shell/shell_list_data.h"
#include "shell/shell_locator.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QProgressBar>
#include <QShowEvent>

TTarnwickFTPApp::TTarnwickFTPApp(TComponent* AOwner)
    : TComponent(AOwner),
      FtpClient_(std::make_unique<TFtpClient2>(nullptr)),
      engine_(std::make_unique<TSessionEngine>(*FtpClient_, *this, *this))
{
    setObjectName(QStringLiteral("TarnwickFTPApp"));
    Name = objectName();
    handle_ = win::AllocateHWnd([this](win::TMessage& Message) { WndProc(Message); });
    CreateComponents();
    CreateActions();
    CreateToolBars();
    CreateMenus();
    CreateDirResultBoxes();
    BindRemoteDrag();
    siteTree_ = std::make_unique<TSiteTree>(*tvRemote, *popToolbarServers, *engine_, *this);
    BindRemotePane();
    BindRemoteTree();
    engine_->BindClientEvents();
    WatchDocumentUploads();
    FormCreate();
}

TTarnwickFTPApp::~TTarnwickFTPApp()
{
    // The focus moves while the widgets go: nothing of the window may answer it then.
    QObject::disconnect(qApp, nullptr, this, nullptr);
    // So do the lists' selections when a label editor goes with them.
    lvRemote->OnSelectItem = nullptr;
    lvMyComputer->OnSelectItem = nullptr;
    FormDestroy();
    win::DeallocateHWnd(handle_);
    // Owned components may save themselves or fire events: free them before the window goes.
    DestroyComponents();
}

void TTarnwickFTPApp::WndProc(win::TMessage& Message)
{
    switch (Message.Msg) {
    case WM_STARTUP:
        WMStartup();
        break;
    case WM_AFTER_TRANSFER:
        PackZipFolder();
        break;
    case WM_IMAGE_OPEN:
        ImageOpenMessage();
        break;
    case WM_CLOSE_AFTER_SESSION:
        sessionEndClose_ = true;
        close();
        break;
    case WM_SOCKET_ERROR_BOX:
        switch (int(Message.WParam)) {
        case 10053:
        case 10054:
            MessageDlg(QStringLiteral("The internet connection has been dropped. Please check your network connection."),
                       mtInformation, {mbOK});
            break;
        case 11001:
            MessageDlg(QStringLiteral("Please check your internet connection."), mtInformation, {mbOK});
            break;
        default:
            break;
        }
        break;
    default:
        break;
    }
}

// ISessionWindow.

void TTarnwickFTPApp::SetStatusText(const QString& Text, int Panel)
{
    StatusBarMain->SetPanelText(Panel, Text);
}

int TTarnwickFTPApp::FileItemCount(bool Remote)
{
    if (Remote)
        return engine_->RemoteList.CountFileItems();
    int count = 0;
    for (int i = 0; i < lvMyComputer->Count(); ++i) {
        TPTShListData* data = lvMyComputer->GetItemData(i);
        if (data && data->IsFileSystem() && !data->IsFolder())
            ++count;
    }
    return count;
}

void TTarnwickFTPApp::LogLineAdded(const QString& Line)
{
    lbFtpDisplayLog->addItem(Line);
    lbFtpDisplayLog->setCurrentRow(lbFtpDisplayLog->count() - 1);
}

void TTarnwickFTPApp::LogLinesRemoved(int Count)
{
    lbFtpDisplayLog->setUpdatesEnabled(false);
    for (int i = 0; i < Count && lbFtpDisplayLog->count() > 0; ++i)
        delete lbFtpDisplayLog->takeItem(0);
    lbFtpDisplayLog->setUpdatesEnabled(true);
}

void TTarnwickFTPApp::CheckServerMenuItem(int Index)
{
    siteTree_->CheckServerMenuItem(Index);
}

void TTarnwickFTPApp::ExecuteAction(const QString& Name)
{
    if (TAction* action = Action(Name)) {
        action->Update();
        if (action->isEnabled())
            action->trigger();
    }
}

bool TTarnwickFTPApp::SelectSiteNode(const QString& Name)
{
    return siteTree_->SelectSiteNode(Name);
}

void TTarnwickFTPApp::ShowOffline(const QString& SiteName)
{
    ShowListingAnimation(false);
    siteTree_->ResetSiteNode(SiteName);
    cbRemoteFolders->Clear();
    engine_->RemoteList.ClearRemoteList();
    lvRemote->ModelChanged();
    setWindowTitle(ApplicationTitle());
    fraRemoteSite->SetCaption(QStringLiteral("Offline"));
    lvRemote->View()->viewport()->update();
    ShowDirResult(true);
}

void TTarnwickFTPApp::ShowListingAnimation(bool Show)
{
    if (Show) {
        const QRect list = lvRemote->geometry();
        aviSearch->move(list.left() + (list.width() - aviSearch->width()) / 2,
                        list.top() + (list.height() - aviSearch->height()) / 2);
        aviSearch->raise();
    }
    aviSearch->setVisible(Show);
}

int TTarnwickFTPApp::RemoteItemCount()
{
    return engine_->RemoteList.Count();
}

void TTarnwickFTPApp::ShowConnected(const QString& WindowCaption, const QString& FrameCaption)
{
    // The application's display name follows the window's own title.
    setWindowTitle(WindowCaption);
    fraRemoteSite->SetCaption(FrameCaption);
}

void TTarnwickFTPApp::ShowRetrievingListing()
{
    lvRemote->ShowRetrieving();
    ShowListingAnimation(true);
}

void TTarnwickFTPApp::RemoteListChanged()
{
    ShowListingAnimation(false);
    lvRemote->ModelChanged();
    lvRemoteSelectItem();
    ShowDirResult(true);
}

void TTarnwickFTPApp::SyncRemoteTree(const QString&)
{
    // The tree follows the session's current remote folder.
    siteTree_->SyncRemoteTree();
}

void TTarnwickFTPApp::RemoteFolderCreated(const QString& Name)
{
    siteTree_->RemoteFolderCreated(Name);
}

void TTarnwickFTPApp::RemoteItemRenamed(const QString& OldName, const QString& NewName)
{
    siteTree_->RemoteItemRenamed(OldName, NewName);
    TreeRenameCompleted();
}

void TTarnwickFTPApp::RemoteFolderRemoved(const QString& Path)
{
    siteTree_->RemoteFolderRemoved(Path);
}

// ILocalPane.

QString TTarnwickFTPApp::CurrentFolder()
{
    QString path = lvMyComputer->Folder()->GetPath();
    while (path.size() > 1 && path.endsWith('/'))
        path.chop(1);
    return path;
}

bool TTarnwickFTPApp::GoToFolder(const QString& Folder)
{
    if (!QFileInfo(Folder).isDir())
        return false;
    lvMyComputer->Folder()->SetPath(Folder);
    return true;
}

QStringList TTarnwickFTPApp::SelectedEntries()
{
    QStringList paths;
    for (TListItem* item : lvMyComputer->SelectedItems())
        if (TPTShListData* data = lvMyComputer->GetItemData(item->Index()))
            if (data->IsFileSystem())
                paths += data->GetPath();
    return paths;
}
