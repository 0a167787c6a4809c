// TSiteTree.
#include "app/site_tree/site_tree.h"

#include "ftp/client/ftp_client2.h"
#include "ftp/client/ftp_request_wrappers.h"
#include "platform/rtl/format.h"
#include "platform/ui/message_dialogs.h"
#include "platform/ui/modal_results.h"
#include "session/session_engine.h"
#include "session/session_window.h"
#include "settings/firewalls.h"
#include "settings/upload_profiles.h"
#include "shell/pt_tree_view.h"

#include <QActionGroup>
#include <QMenu>
#include <QTreeWidget>

namespace {

// Collapses Node and every node below it.
void CollapseAll(TTreeNode* Node)
{
    for (int i = 0; i < Node->Count(); ++i)
        CollapseAll(Node->Item(i));
    Node->SetExpanded(false);
}

QString WithTrailingSlash(const QString& Path)
{
    return Path.endsWith(QLatin1Char('/')) ? Path : Path + QLatin1Char('/');
}

} // namespace

TSiteTree::TSiteTree(TPTTreeView& Tree, QMenu& ServersMenu, TSessionEngine& Engine, ISessionWindow& Window)
    : tree_(Tree), serversMenu_(ServersMenu), engine_(Engine), window_(Window)
{
    tree_.OnChange = [this](TObject*, TTreeNode* Node) { tvRemoteChange(Node); };
    tree_.OnExpanding = [this](TObject*, TTreeNode* Node, bool& Allow) { tvRemoteExpanding(Node, Allow); };
    tree_.OnCollapsed = [this](TObject*, TTreeNode* Node) { tvRemoteCollapsed(Node); };
    tree_.OnEditing = [this](TObject*, TTreeNode* Node, bool& Allow) { tvRemoteEditing(Node, Allow); };
    tree_.OnDeletion = [this](TObject*, TTreeNode* Node) { Forget(Node); };
}

TTreeNode* TSiteTree::Root() const
{
    return tree_.TopItem(0);
}

bool TSiteTree::IsSiteNode(const TTreeNode* Node) const
{
    return Node && Node->ImageIndex() == SiteImage;
}

bool TSiteTree::IsFolderNode(const TTreeNode* Node) const
{
    return Node && Node->Parent() && !IsSiteNode(Node) && !IsPlaceholder(Node) &&
           (Node->ImageIndex() == ClosedFolderImage || Node->ImageIndex() == OpenFolderImage);
}

bool TSiteTree::IsPlaceholder(const TTreeNode* Node) const
{
    return Node && Node->ImageIndex() == PlaceholderImage;
}

bool TSiteTree::Connected() const
{
    return engine_.Client.Connected();
}

bool TSiteTree::Ready() const
{
    const TFtpState state = engine_.Client.State();
    return state == ftpReady || state == ftpInternalReady;
}

int TSiteTree::NumberOf(TTreeNode* Node)
{
    if (const auto found = numbers_.find(Node); found != numbers_.end())
        return found->second;
    const int number = nextNumber_++;
    numbers_[Node] = number;
    nodes_[number] = Node;
    return number;
}

void TSiteTree::Forget(TTreeNode* Node)
{
    if (const auto found = numbers_.find(Node); found != numbers_.end()) {
        nodes_.erase(found->second);
        numbers_.erase(found);
    }
}

TTreeNode* TSiteTree::NodeOfPath(const QString& Path) const
{
    const auto& paths = engine_.State.GetRemoteTreePathList();
    const auto entry = paths.find(Path);
    if (entry == paths.end())
        return nullptr;
    const auto node = nodes_.find(entry->second);
    return node == nodes_.end() ? nullptr : node->second;
}

QString TSiteTree::PathOfNode(const TTreeNode* Node) const
{
    const auto number = numbers_.find(Node);
    if (number == numbers_.end())
        return {};
    for (const auto& [path, registered] : engine_.State.GetRemoteTreePathList())
        if (registered == number->second)
            return path;
    return {};
}

void TSiteTree::RegisterPath(const QString& Path, TTreeNode* Node, bool Keep)
{
    if (Keep && NodeOfPath(Path))
        return;
    engine_.State.GetRemoteTreePathList()[Path] = NumberOf(Node);
}

void TSiteTree::SetCurrentSiteName(const QString& Name)
{
    if (engine_.State.CurrentSiteName.compare(Name, Qt::CaseInsensitive) != 0)
        engine_.State.CurrentSiteName = Name;
}

void TSiteTree::SelectQuietly(TTreeNode* Node)
{
    const bool wasQuiet = std::exchange(quiet_, true);
    tree_.SetSelected(Node);
    quiet_ = wasQuiet;
}

TTreeNode* TSiteTree::AddSiteNode(TTreeNode* Parent, const QString& Text, int Image, TUploadProfileItem* Profile)
{
    TTreeNode* node = tree_.AddChild(Parent, Text);
    node->SetImageIndex(Image < 0 ? ClosedFolderImage : Image);
    node->SetSelectedIndex(Image < 0 ? OpenFolderImage : Image);
    node->Data = Profile;
    AddPlaceholderChild(node);
    return node;
}

void TSiteTree::AddPlaceholderChild(TTreeNode* Node)
{
    TTreeNode* placeholder = tree_.AddChild(Node, {});
    placeholder->SetImageIndex(PlaceholderImage);
    placeholder->SetSelectedIndex(PlaceholderImage);
}

TTreeNode* TSiteTree::FindSiteNode(const QString& Name) const
{
    TTreeNode* root = Root();
    for (int i = 0; root && i < root->Count(); ++i)
        if (root->Item(i)->Text().compare(Name, Qt::CaseInsensitive) == 0)
            return root->Item(i);
    return nullptr;
}

TTreeNode* TSiteTree::FindCurrentSiteNode() const
{
    return FindSiteNode(engine_.State.CurrentSiteName);
}

TTreeNode* TSiteTree::GetSiteAncestor(TTreeNode* Node)
{
    for (TTreeNode* parent = Node ? Node->Parent() : nullptr; parent; parent = parent->Parent())
        if (parent->ImageIndex() == SiteImage)
            return parent;
    return Node;
}

void TSiteTree::SortSites()
{
    TTreeNode* root = Root();
    tree_.SortChildren(root, [](TTreeNode* Node1, TTreeNode* Node2) {
        return Node1->Text().compare(Node2->Text(), Qt::CaseInsensitive);
    });
    root->SetExpanded(true);
}

void TSiteTree::FillServersMenu()
{
    serversMenu_.clear();
    delete serversMenu_.findChild<QActionGroup*>(QString(), Qt::FindDirectChildrenOnly);
    auto* group = new QActionGroup(&serversMenu_);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    TUploadProfileCollection* profiles = UploadProfiles()->Profiles();
    for (int i = 0; i < profiles->Count(); ++i) {
        const QString name = profiles->GetItem(i)->ItemName;
        QAction* item = serversMenu_.addAction(QString(name).replace(QLatin1Char('&'), QStringLiteral("&&")));
        item->setCheckable(true);
        group->addAction(item);
        QObject::connect(item, &QAction::triggered, &serversMenu_, [this, name] { engine_.ServerMenuItemClick(name); });
    }
}

void TSiteTree::CheckServerMenuItem(int Index)
{
    const QList<QAction*> items = serversMenu_.actions();
    for (int i = 0; i < items.size(); ++i)
        items[i]->setChecked(i == Index);
    serversMenu_.setDefaultAction(Index >= 0 && Index < items.size() ? items[Index] : nullptr);
}

void TSiteTree::BuildSiteTree()
{
    if (Firewalls()->Firewalls()->Count() == 0) {
        TFirewallItem* firewall = Firewalls()->Add();
        firewall->ItemName = QStringLiteral("Default");
        firewall->Shared = true;
        firewall->FirewallType = 0;
    }
    FillServersMenu();
    const bool wasQuiet = std::exchange(quiet_, true);
    tree_.setUpdatesEnabled(false);
    if (!Root()) {
        TTreeNode* root = tree_.AddChild(nullptr, QStringLiteral("My Sites"));
        root->SetImageIndex(RootImage);
        root->SetSelectedIndex(RootImage);
    }
    TTreeNode* root = Root();
    // The connected site keeps its node and the folders visited; every other node is made again.
    TTreeNode* kept = Connected() ? FindCurrentSiteNode() : nullptr;
    TUploadProfileCollection* profiles = UploadProfiles()->Profiles();
    if (kept && UploadProfiles()->IndexOfName(kept->Text()) < 0)
        kept = nullptr;
    for (int i = root->Count() - 1; i >= 0; --i)
        if (root->Item(i) != kept)
            tree_.Delete(root->Item(i));
    for (int i = 0; i < profiles->Count(); ++i) {
        TUploadProfileItem* profile = profiles->GetItem(i);
        if (kept && kept->Text().compare(profile->ItemName, Qt::CaseInsensitive) == 0)
            kept->Data = profile;
        else
            AddSiteNode(root, profile->ItemName, SiteImage, profile);
    }
    SortSites();
    tree_.setUpdatesEnabled(true);
    quiet_ = wasQuiet;
}

void TSiteTree::SyncSiteTree(const QTreeWidget& ManagerTree)
{
    TTreeNode* root = Root();
    const QTreeWidgetItem* managerRoot = ManagerTree.topLevelItem(0);
    if (!root || !managerRoot)
        return;
    TTreeNode* current = FindCurrentSiteNode();
    const bool wasQuiet = std::exchange(quiet_, true);
    tree_.setUpdatesEnabled(false);
    // The manager's sites by profile; each node is matched by the profile it carries.
    std::map<const TUploadProfileItem*, QString> managed;
    QList<TUploadProfileItem*> order;
    for (int i = 0; i < managerRoot->childCount(); ++i) {
        const QTreeWidgetItem* child = managerRoot->child(i);
        auto* profile = qobject_cast<TUploadProfileItem*>(child->data(0, Qt::UserRole).value<QObject*>());
        if (profile && managed.emplace(profile, child->text(0)).second)
            order.append(profile);
    }
    std::map<const TUploadProfileItem*, TTreeNode*> shown;
    for (int i = root->Count() - 1; i >= 0; --i) {
        TTreeNode* node = root->Item(i);
        const auto* profile = static_cast<const TUploadProfileItem*>(node->Data);
        const auto site = managed.find(profile);
        if (site == managed.end() || shown.count(profile)) {
            if (node != current)
                tree_.Delete(node);
            continue;
        }
        shown[profile] = node;
        if (node->Text() != site->second) {
            if (node == current)
                engine_.State.CurrentSiteName = site->second;
            node->SetText(site->second);
        }
    }
    for (TUploadProfileItem* profile : order)
        if (!shown.count(profile))
            AddSiteNode(root, managed[profile], SiteImage, profile);
    SortSites();
    tree_.setUpdatesEnabled(true);
    quiet_ = wasQuiet;
    FillServersMenu();
    if (Connected())
        CheckServerMenuItem(UploadProfiles()->IndexOfName(engine_.State.CurrentSiteName));
}

void TSiteTree::ResetSiteNode(const QString& SiteName)
{
    const bool wasQuiet = std::exchange(quiet_, true);
    tree_.setUpdatesEnabled(false);
    if (TTreeNode* site = FindSiteNode(SiteName)) {
        FoldSite(site);
        site->SetExpanded(false);
    }
    ForgetSession();
    if (TTreeNode* root = Root()) {
        tree_.SetSelected(root);
        root->SetExpanded(true);
    }
    engine_.State.CurrentSiteName.clear();
    tree_.setUpdatesEnabled(true);
    quiet_ = wasQuiet;
}

void TSiteTree::FoldSite(TTreeNode* Site)
{
    tree_.DeleteChildren(Site);
    AddPlaceholderChild(Site);
}

void TSiteTree::ForgetSession()
{
    TTreeNode* root = Root();
    for (int i = 0; root && i < root->Count(); ++i) {
        TTreeNode* site = root->Item(i);
        if (IsSiteNode(site) && !(site->Count() == 1 && IsPlaceholder(site->Item(0)))) {
            FoldSite(site);
            site->SetExpanded(false);
        }
    }
    engine_.State.GetRemoteTreePathList().clear();
}

void TSiteTree::AddRemoteFolderNodes(TTreeNode* Node, const QString& ParentPath)
{
    if (!Node)
        return;
    bool wasExpanded = false;
    if (IsPlaceholder(Node->Item(0))) {
        wasExpanded = Node->Expanded();
        tree_.DeleteChildren(Node);
    }
    if (Node->Count() == 0) {
        const QString parent = ParentPath.isEmpty() ? engine_.State.CurrentRemoteFolder : ParentPath;
        const TRemoteListModel& list = engine_.RemoteList;
        for (int i = 1; i < list.Count(); ++i) {
            const TRemoteRow& row = list.Row(i);
            if (!row.IsFolder() || row.IsParent())
                continue;
            TTreeNode* folder = AddSiteNode(Node, row.Caption(), -1, nullptr);
            RegisterPath(parent + row.Caption() + QLatin1Char('/'), folder, true);
        }
    }
    if (Node->Count() > 0 && wasExpanded)
        Node->SetExpanded(true);
}

void TSiteTree::SyncRemoteTree()
{
    const QString folder = engine_.State.CurrentRemoteFolder;
    TTreeNode* selected = tree_.Selected();
    if (!selected || selected == Root()) {
        if (TTreeNode* site = FindCurrentSiteNode()) {
            RegisterPath(folder, site, false);
            tree_.SetSelected(site);
        }
        return;
    }
    TTreeNode* target = selected;
    if (TTreeNode* node = NodeOfPath(folder)) {
        target = node;
    } else {
        // Above the site's start folder: a node for the whole path, first below the site.
        TTreeNode* site = GetSiteAncestor(selected);
        if (PathOfNode(site).size() > folder.size()) {
            TTreeNode* added = tree_.AddChild(site, folder);
            added->SetImageIndex(ClosedFolderImage);
            added->SetSelectedIndex(OpenFolderImage);
            tree_.SortChildren(site, [added](TTreeNode* Node1, TTreeNode* Node2) {
                return Node1 == added ? -1 : Node2 == added ? 1 : 0;
            });
            target = added;
        }
    }
    RegisterPath(folder, target, false);
    AddRemoteFolderNodes(target, {});
    tree_.SetSelected(target);
}

bool TSiteTree::SelectSiteNode(const QString& Name)
{
    TTreeNode* site = FindSiteNode(Name);
    if (site)
        tree_.SetSelected(site);
    return site;
}

void TSiteTree::RemoteFolderCreated(const QString& Name)
{
    const QString path = engine_.State.CurrentRemoteFolder + Name + QLatin1Char('/');
    TTreeNode* current = NodeOfPath(engine_.State.CurrentRemoteFolder);
    if (!current || current != tree_.Selected() || NodeOfPath(path))
        return;
    RegisterPath(path, AddSiteNode(current, Name, -1, nullptr), false);
}

void TSiteTree::RemoteItemRenamed(const QString& OldName, const QString& NewName)
{
    TTreeNode* current = NodeOfPath(engine_.State.CurrentRemoteFolder);
    for (int i = 0; current && i < current->Count(); ++i) {
        TTreeNode* child = current->Item(i);
        if (IsFolderNode(child) && child->Text() == OldName) {
            child->SetText(NewName);
            RegisterPath(engine_.State.CurrentRemoteFolder + NewName + QLatin1Char('/'), child, false);
            return;
        }
    }
}

void TSiteTree::RemoteFolderMoved(const QString& From, const QString& To)
{
    auto& paths = engine_.State.GetRemoteTreePathList();
    std::map<QString, int> moved;
    for (auto entry = paths.begin(); entry != paths.end();) {
        if (entry->first.startsWith(From)) {
            moved[To + entry->first.mid(From.size())] = entry->second;
            entry = paths.erase(entry);
        } else {
            ++entry;
        }
    }
    for (const auto& [path, number] : moved)
        paths[path] = number;
}

void TSiteTree::RemoteFolderRemoved(const QString& Path)
{
    const QString folder = WithTrailingSlash(Path);
    const qsizetype cut = folder.lastIndexOf(QLatin1Char('/'), folder.size() - 2);
    if (cut < 0)
        return;
    const QString parentPath = folder.left(cut + 1);
    const QString name = folder.mid(cut + 1, folder.size() - cut - 2);
    TTreeNode* parent = NodeOfPath(parentPath);
    for (int i = 0; parent && i < parent->Count(); ++i) {
        if (IsFolderNode(parent->Item(i)) && parent->Item(i)->Text() == name) {
            const bool wasQuiet = std::exchange(quiet_, true);
            tree_.Delete(parent->Item(i));
            if (parentPath == engine_.State.CurrentRemoteFolder)
                parent->SetExpanded(true);
            quiet_ = wasQuiet;
            return;
        }
    }
}

void TSiteTree::tvRemoteCollapsed(TTreeNode* Node)
{
    if (Node && Node == Root()) {
        const bool wasQuiet = std::exchange(quiet_, true);
        Node->SetExpanded(true);
        quiet_ = wasQuiet;
    }
}

void TSiteTree::tvRemoteEditing(TTreeNode* Node, bool& AllowEdit)
{
    AllowEdit = IsFolderNode(Node);
}

void TSiteTree::tvRemoteExpanding(TTreeNode* Node, bool&)
{
    if (quiet_ || !Node || Node == Root())
        return;
    TTreeNode* current = FindCurrentSiteNode();
    TTreeNode* selected = tree_.Selected();
    if (Node == current && Connected()) {
        AddRemoteFolderNodes(Node, {});
    } else if (!selected || (Node != selected->Parent() && Node != selected)) {
        tree_.SetSelected(Node);
    }
    if (!current && IsSiteNode(Node) && tree_.Selected() != Node)
        tree_.SetSelected(Node);
}

void TSiteTree::tvRemoteChange(TTreeNode* Node)
{
    if (quiet_ || !Node || Node == Root() || IsPlaceholder(Node))
        return;
    TSessionState& state = engine_.State;
    if (!Connected()) {
        if (IsSiteNode(Node)) {
            // A new session: the folders of an earlier one are no more.
            const bool wasQuiet = std::exchange(quiet_, true);
            ForgetSession();
            quiet_ = wasQuiet;
            SetCurrentSiteName(Node->Text());
            if (engine_.ApplySiteProfile(UploadProfiles()->IndexOfName(Node->Text())))
                engine_.ConnectToSite();
        }
        return;
    }
    TTreeNode* current = NodeOfPath(state.CurrentRemoteFolder);
    TTreeNode* site = GetSiteAncestor(Node);
    if (current && GetSiteAncestor(current) != site) {
        const int answer =
            MessageDlg(Format(QStringLiteral("Would you like to disconnect from the current server '%s'?"),
                              {state.CurrentSiteName}),
                       mtConfirmation, {mbYes, mbNo});
        if (answer == mrNo) {
            SelectQuietly(current);
            tree_.scrollTo(tree_.IndexOfNode(current), QAbstractItemView::PositionAtTop);
            const bool wasQuiet = std::exchange(quiet_, true);
            CollapseAll(Node);
            quiet_ = wasQuiet;
            return;
        }
        SelectQuietly(nullptr);
        // Connected to once the session has ended.
        engine_.PendingSiteNode = site->Text();
        if (IsSiteNode(Node))
            SetCurrentSiteName(Node->Text());
        window_.ExecuteAction(QStringLiteral("actFtpQuit"));
        return;
    }
    if (IsSiteNode(Node))
        SetCurrentSiteName(Node->Text());
    if (!Ready()) {
        if (current)
            SelectQuietly(current);
        return;
    }
    if (Node != current) {
        const QString path = PathOfNode(Node);
        FtpChangeDir(engine_.Client, path.isEmpty() ? state.CurrentRemoteFolder : path);
    } else {
        AddRemoteFolderNodes(Node, {});
    }
}
