// TTarnwickFTPApp: the remote tree's drag start, its menu (zip a folder, connect a site) and the
// rename of a folder by its label.
#include "app/main_form.h"
#include "app/site_tree/site_tree.h"
#include "ftp/client/ftp_client2.h"
#include "ftp/client/ftp_request_wrappers.h"
#include "platform/ui/action_list.h"
#include "platform/ui/menu_model.h"
#include "platform/ui/popup_menu.h"
#include "session/session_engine.h"
#include "shell/pt_tree_view.h"

#include <QApplication>
#include <QMouseEvent>

namespace {

// The distance in pixels the pointer moves with the button down before a node is dragged.
constexpr int TreeDragThreshold = 40;

// The menu's command ids.
enum : unsigned { MenuZipFolder = 1, MenuConnect = 2 };

// Hands the mouse presses, moves and releases on the tree's viewport to the window.
class TTreeMouseWatch : public QObject {
public:
    TTreeMouseWatch(QWidget& Viewport, TTarnwickFTPApp& Form) : QObject(&Viewport), form_(Form)
    {
        Viewport.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* Event) override
    {
        switch (Event->type()) {
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(Event);
            form_.tvRemoteMouseDown(mouse->button(), mouse->position().toPoint());
            break;
        }
        case QEvent::MouseMove: {
            const auto* mouse = static_cast<QMouseEvent*>(Event);
            form_.tvRemoteMouseMove(mouse->buttons(), mouse->position().toPoint());
            break;
        }
        case QEvent::MouseButtonRelease:
            form_.tvRemoteMouseUp();
            break;
        default:
            break;
        }
        return false;
    }

private:
    TTarnwickFTPApp& form_;
};

} // namespace

void TTarnwickFTPApp::BindRemoteTree()
{
    new TTreeMouseWatch(*tvRemote->viewport(), *this);
    mnipopRemoteTvConnect = new QAction(QStringLiteral("&Connect"), this);
    mnipopRemoteTvConnect->setObjectName(QStringLiteral("mnipopRemoteTvConnect"));
    connect(mnipopRemoteTvConnect, &QAction::triggered, this, [this] { mnipopRemoteTvConnectClick(); });
    tvRemote->OnNodeContextMenu = [this](TObject*, TTreeNode* Node, QPoint& Pos, TPopupMenu*& Menu) {
        Menu = nullptr;
        ShowRemoteTreeMenu(Node, tvRemote->viewport()->mapToGlobal(Pos));
    };
    tvRemote->OnEdited = [this](TObject*, TTreeNode* Node, QString& S) { tvRemoteEdited(Node, S); };
}

void TTarnwickFTPApp::tvRemoteMouseDown(Qt::MouseButton Button, const QPoint& Pos)
{
    treeButton_ = Button;
    treeButtonDown_ = true;
    treePressPos_ = Pos;
}

void TTarnwickFTPApp::tvRemoteMouseUp()
{
    if (!treeDragging_)
        treeButtonDown_ = false;
}

void TTarnwickFTPApp::tvRemoteMouseMove(Qt::MouseButtons Buttons, const QPoint& Pos)
{
    TTreeNode* node = tvRemote->Selected();
    if (!treeButtonDown_ || treeButton_ != Qt::LeftButton || !(Buttons & Qt::LeftButton) || treeDragging_ ||
        !siteTree_->IsFolderNode(node) || (Pos - treePressPos_).manhattanLength() < TreeDragThreshold)
        return;
    if (siteTree_->PathOfNode(node).isEmpty())
        return;
    // The folder's node is dragged like remote list entries: dropped on the local pane, it is
    // downloaded there.
    treeDragging_ = true;
    StartRemoteDrag(tvRemote);
    treeDragging_ = false;
    treeButtonDown_ = false;
}

void TTarnwickFTPApp::tvRemoteNodeContextMenu(TTreeNode* Node)
{
    TAction* zipFolder = Action(QStringLiteral("actFtpZipDirTV"));
    const bool zipEnabled = IsConnected() && siteTree_->IsFolderNode(Node) && !siteTree_->PathOfNode(Node).isEmpty();
    zipFolder->setEnabled(zipEnabled);
    ZipTreeFolder = zipEnabled ? siteTree_->PathOfNode(Node) : QString();
    const bool connectEnabled = siteTree_->IsSiteNode(Node) && Node != tvRemote->Selected();
    mnipopRemoteTvConnect->setEnabled(connectEnabled);
    ConnectTreeNode = connectEnabled ? Node : nullptr;
}

void TTarnwickFTPApp::ShowRemoteTreeMenu(TTreeNode* Node, const QPoint& At)
{
    tvRemoteNodeContextMenu(Node);
    TMenuModel menu;
    const auto add = [&menu](unsigned Id, const QAction* Item) {
        TMenuItem entry;
        entry.Id = Id;
        entry.Text = Item->text();
        entry.Grayed = !Item->isEnabled();
        menu.Items().push_back(entry);
    };
    TAction* zipFolder = Action(QStringLiteral("actFtpZipDirTV"));
    add(MenuZipFolder, zipFolder);
    add(MenuConnect, mnipopRemoteTvConnect);
    switch (TrackPopupMenu(menu, At)) {
    case MenuZipFolder:
        if (zipFolder->OnExecute)
            zipFolder->OnExecute(zipFolder);
        break;
    case MenuConnect:
        mnipopRemoteTvConnectClick();
        break;
    default:
        break;
    }
}

void TTarnwickFTPApp::mnipopRemoteTvConnectClick()
{
    TTreeNode* node = std::exchange(ConnectTreeNode, nullptr);
    if (node)
        tvRemote->SetSelected(node);
}

void TTarnwickFTPApp::tvRemoteEdited(TTreeNode* Node, QString& S)
{
    if (!Node || S == Node->Text())
        return;
    const QString oldName = Node->Text();
    const QString path = siteTree_->PathOfNode(Node);
    QStringList siblings;
    if (TTreeNode* parent = Node->Parent())
        for (int i = 0; i < parent->Count(); ++i)
            if (parent->Item(i) != Node)
                siblings += parent->Item(i)->Text();
    // Both paths come from the node's registered full path, so any node is renamed in its own
    // parent folder, not only the current folder.
    if (path.size() < 2 || !IsConnected() || !TSessionEngine::CheckNewTreeName(siblings, S, true)) {
        S = oldName;
        return;
    }
    const QString oldPath = path.left(path.size() - 1);
    const QString parentPath = oldPath.left(oldPath.lastIndexOf(QLatin1Char('/')) + 1);
    treeRenameFrom_ = path;
    treeRenameTo_ = parentPath + S + QLatin1Char('/');
    FtpRename(*FtpClient_, parentPath + S, oldPath);
}

void TTarnwickFTPApp::TreeRenameCompleted()
{
    // Only the rename the tree started (a failed one leaves its paths behind).
    if (treeRenameFrom_.isEmpty() || FtpClient_->HostFileName() + QLatin1Char('/') != treeRenameFrom_)
        return;
    const QString from = std::exchange(treeRenameFrom_, QString());
    const QString to = std::exchange(treeRenameTo_, QString());
    siteTree_->RemoteFolderMoved(from, to);
    // Renaming the current folder (or one above it) moves the session's folder too: it is entered
    // again under its new path.
    TSessionState& state = engine_->State;
    if (state.CurrentRemoteFolder.startsWith(from)) {
        state.CurrentRemoteFolder = to + state.CurrentRemoteFolder.mid(from.size());
        FtpChangeDir(*FtpClient_, state.CurrentRemoteFolder);
    }
}
