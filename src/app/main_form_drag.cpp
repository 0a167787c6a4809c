// TTarnwickFTPApp: dragging remote entries (from the remote list or a folder of the remote tree)
// onto the local pane, which downloads them into the local pane's folder; the local list's
// entries dropped on the remote list, which uploads them; and a remote file dragged onto the
// editor, which opens it.
#include "app/app_images.h"
#include "app/event_hook.h"
#include "app/main_form.h"
#include "app/remote_list_view.h"
#include "app/site_tree/site_tree.h"
#include "ftp/client/ftp_client2.h"
#include "ftp/client/ftp_request_wrappers.h"
#include "session/session_engine.h"
#include "shell/pt_tree_view.h"
#include "shell/shell_list.h"
#include "shell/shell_list_data.h"
#include "shell/shell_tree.h"
#include "shell/shell_tree_data.h"

#include <QAbstractItemView>
#include <QListView>
#include <QTreeView>
#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QMouseEvent>
#include <QToolTip>

namespace {

// The format of a drag of remote entries within the window: it holds the object name of the
// control dragged from; the entries themselves are the remote list's selection or the remote
// tree's selected folder.
const QString RemoteItemsFormat = QStringLiteral("application/x-tarnwick-remote-items");

// Sees the drags of remote entries over a set of targets before the targets' own drop handling
// (which takes files dropped from other programs): Over tells whether the control named by the
// drag may drop there, Drop takes the drop (Pos in the target's coordinates).
class TRemoteItemsDropHook : public QObject {
public:
    using TOver = std::function<bool(const QString& Source)>;
    using TDrop = std::function<void(const QString& Source, QWidget* Target, const QPoint& Pos)>;

    TRemoteItemsDropHook(QObject* Owner, std::initializer_list<QWidget*> Targets, TOver Over, TDrop Drop)
        : QObject(Owner), targets_(Targets), over_(std::move(Over)), drop_(std::move(Drop))
    {
        for (QWidget* target : targets_)
            target->setAcceptDrops(true);
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        const QEvent::Type type = Event->type();
        if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
            return false;
        auto* drop = static_cast<QDropEvent*>(Event);
        QWidget* target = TargetOf(Watched);
        if (!target || !drop->mimeData()->hasFormat(RemoteItemsFormat))
            return false;
        const QString source = QString::fromUtf8(drop->mimeData()->data(RemoteItemsFormat));
        if (!over_(source)) {
            drop->ignore();
            return true;
        }
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        if (type == QEvent::Drop)
            drop_(source, target, static_cast<QWidget*>(Watched)->mapTo(target, drop->position().toPoint()));
        return true;
    }

private:
    // The target Watched belongs to (itself or one of its parts); null for none.
    QWidget* TargetOf(QObject* Watched) const
    {
        auto* widget = qobject_cast<QWidget*>(Watched);
        for (QWidget* target : targets_)
            if (widget && (widget == target || target->isAncestorOf(widget)))
                return target;
        return nullptr;
    }

    std::vector<QWidget*> targets_;
    TOver over_;
    TDrop drop_;
};

} // namespace

void TTarnwickFTPApp::BindRemoteDrag()
{
    // A drag of the remote list's selection starts once the pointer has moved 20 pixels from where
    // the left button went down, unless ".." is the focused row.
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(lvRemote->ReportView()), static_cast<QAbstractItemView*>(lvRemote->IconView())})
        new TEventHook(view->viewport(), [this, view](QEvent* Event) {
            if (Event->type() == QEvent::MouseButtonPress) {
                const auto* press = static_cast<QMouseEvent*>(Event);
                remoteDragStart_ = press->button() == Qt::LeftButton ? view->viewport()->mapTo(lvRemote, press->position().toPoint())
                                                                     : QPoint(-1, -1);
            } else if (Event->type() == QEvent::MouseMove) {
                const auto* move = static_cast<QMouseEvent*>(Event);
                const QPoint pos = view->viewport()->mapTo(lvRemote, move->position().toPoint());
                if ((move->buttons() & Qt::LeftButton) && remoteDragStart_.x() >= 0 &&
                    (pos - remoteDragStart_).manhattanLength() >= RemoteDragThreshold) {
                    remoteDragStart_ = QPoint(-1, -1);
                    TListItem* focused = lvRemote->ItemFocused();
                    if (focused && focused->Index() > 0 && !lvRemote->Retrieving()) {
                        QToolTip::hideText();
                        StartRemoteDrag(lvRemote);
                        return true;
                    }
                }
            }
            return false;
        });
    new TRemoteItemsDropHook(
        this, {lvMyComputer, tvMyComputer}, [this](const QString& Source) { return lvMyComputerDragOver(Source); },
        [this](const QString& Source, QWidget* Target, const QPoint& Pos) { lvMyComputerDragDrop(Source, Target, Pos); });
    // The remote list takes its own drag (dropping it there does nothing); the local pane's
    // entries come as files through its drop target.
    new TRemoteItemsDropHook(
        lvRemote, {lvRemote}, [this](const QString& Source) { return lvRemoteDragOver(Source); },
        [](const QString&, QWidget*, const QPoint&) {});
    // The editor, or its area while no document is open: the dragged remote file opens there.
    new TRemoteItemsDropHook(
        pnlEdit, {pnlEdit}, [this](const QString& Source) { return Source == lvRemote->objectName(); },
        [this](const QString&, QWidget*, const QPoint&) { HandlePaneDrop(lvRemote, QString()); });
}

void TTarnwickFTPApp::StartRemoteDrag(QWidget* Source)
{
    lvRemote->SyncSelectionToModel();
    auto* drag = new QDrag(Source);
    auto* data = new QMimeData;
    data->setData(RemoteItemsFormat, Source->objectName().toUtf8());
    drag->setMimeData(data);
    drag->setDragCursor(NewDragCursor().pixmap(), Qt::CopyAction);
    drag->exec(Qt::CopyAction);
}

bool TTarnwickFTPApp::lvMyComputerDragOver(const QString& Source)
{
    // The remote list, or the remote tree while a folder node is selected.
    return Source == lvRemote->objectName() ||
           (Source == tvRemote->objectName() && siteTree_->IsFolderNode(tvRemote->Selected()));
}

void TTarnwickFTPApp::lvMyComputerDragDrop(const QString& Source, QWidget* Target, const QPoint& Pos)
{
    if (!lvMyComputerDragOver(Source))
        return;
    // Dropped on a local folder: the download goes there.
    if (Target == tvMyComputer) {
        TTreeNode* node = tvMyComputer->NodeAt(tvMyComputer->viewport()->mapFrom(tvMyComputer, Pos));
        TPTShTreeData* data = TPTShellTree::NodeData(node);
        if (data && QFileInfo(data->GetPath()).isDir())
            tvMyComputer->SetSelected(node);
    } else if (TListItem* item = lvMyComputer->ItemAt(Pos)) {
        TPTShListData* data = lvMyComputer->GetItemData(item->Index());
        if (data && data->IsFileSystem() && data->IsFolder())
            GoToFolder(data->GetPath());
    }
    if (Source == tvRemote->objectName()) {
        // A folder of the tree: the current folder downloads whole; another is listed first, and
        // the end of its listing downloads it.
        const QString folder = siteTree_->PathOfNode(tvRemote->Selected());
        if (folder.isEmpty() || ListRemoteFolderFirst(folder, ListingDownloadAll))
            return;
        lvRemote->View()->setFocus();
        ExecuteAction(QStringLiteral("actFileSelectAll"));
    }
    lvRemote->SyncSelectionToModel();
    engine_->DownloadSelection(nullptr, false, false, QString());
}

bool TTarnwickFTPApp::lvRemoteDragOver(const QString& Source) const
{
    return Source == lvRemote->objectName() || Source == lvMyComputer->objectName() ||
           Source == tvMyComputer->objectName();
}

void TTarnwickFTPApp::lvRemoteDragDrop(const QPoint& Pos)
{
    const TListItem* row = lvRemote->ItemAt(Pos);
    engine_->RemoteListDrop(row ? row->Index() : -1);
}

bool TTarnwickFTPApp::ListRemoteFolderFirst(const QString& Folder, int AfterListing)
{
    if (Folder.compare(engine_->State.CurrentRemoteFolder, Qt::CaseInsensitive) == 0)
        return false;
    engine_->State.AfterListingAction = AfterListing;
    // Selecting the folder's node in the remote tree lists it; a folder without a node is changed to.
    if (TTreeNode* node = SiteTree().NodeOfPath(Folder))
        tvRemote->SetSelected(node);
    else
        FtpChangeDir(*FtpClient_, Folder);
    return true;
}
