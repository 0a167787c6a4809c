// TSiteTree: the remote pane's tree tvRemote, which is at once the site tree (a node per server
// profile under "My Sites") and the tree of the remote folders visited in the connected site, with
// the servers menu that lists the same profiles.
#pragma once

#include <QString>
#include <map>

class ISessionWindow;
class QMenu;
class QTreeWidget;
class TPTTreeView;
class TSessionEngine;
class TTreeNode;
class TUploadProfileItem;

// Nodes are told apart by their image: the root (RootImage), site nodes (SiteImage, their Data
// the profile), folder nodes (the folder images) and placeholder children (PlaceholderImage),
// which give a node its expand button until it is filled. The session's tree path list maps a
// remote folder (with a trailing "/") to the number of its node; numbers are never used twice, so
// the path of a node that has gone leads nowhere. GUI thread only.
class TSiteTree {
public:
    // The tree's events are bound here; the servers menu is filled here.
    TSiteTree(TPTTreeView& Tree, QMenu& ServersMenu, TSessionEngine& Engine, ISessionWindow& Window);

    static constexpr int RootImage = 6;
    static constexpr int SiteImage = 9;
    static constexpr int PlaceholderImage = 20;
    // The tree's images of a closed and an open folder.
    int ClosedFolderImage = -1;
    int OpenFolderImage = -1;

    TPTTreeView& Tree() const { return tree_; }
    // The one root node "My Sites"; null before BuildSiteTree.
    TTreeNode* Root() const;

    // The root (made when the tree is empty) with a node per server profile, sorted, and the
    // servers menu with an item per profile. Built again, it replaces the site nodes, so every
    // profile shows once (the connected site's node stays, with its folders). A "Default"
    // firewall entry is made when there is none.
    void BuildSiteTree();
    // After the site manager closed: the site nodes follow the children of its tree's root (each
    // carries its profile in Qt::UserRole): a profile's node takes its new name (the current site
    // name follows a renamed connected site), nodes of deleted profiles go, new profiles get nodes;
    // then the servers menu is made again.
    void SyncSiteTree(const QTreeWidget& ManagerTree);
    // The site node SiteName (and any other site node a session left folders in) back to its
    // unvisited state (placeholder, collapsed), the root selected, the current site name and the
    // tree path list cleared; the tree's events stay quiet meanwhile.
    void ResetSiteNode(const QString& SiteName);

    // A new child of Parent with the image (-1: the folder images), the profile as data and a
    // placeholder child.
    TTreeNode* AddSiteNode(TTreeNode* Parent, const QString& Text, int Image, TUploadProfileItem* Profile);
    void AddPlaceholderChild(TTreeNode* Node);
    // The site node named Name ignoring case; null when there is none.
    TTreeNode* FindSiteNode(const QString& Name) const;
    TTreeNode* FindCurrentSiteNode() const;
    // The nearest ancestor that is a site node; Node itself when there is none.
    static TTreeNode* GetSiteAncestor(TTreeNode* Node);
    // The folder rows of the remote list as children of Node (when it has none but its
    // placeholder), each with its path ParentPath (the current remote folder when empty) + name +
    // "/" registered unless that path has a node already.
    void AddRemoteFolderNodes(TTreeNode* Node, const QString& ParentPath);
    // After a listing: the node of the current remote folder is registered, filled and selected
    // (a node is added for a folder above the site's start folder).
    void SyncRemoteTree();

    // Selects the site node Name (which ends a session or connects); false when there is none.
    bool SelectSiteNode(const QString& Name);
    // The servers-menu item of the profile at Index checked and default; -1: none.
    void CheckServerMenuItem(int Index);
    // The folder Name was made in the current remote folder: a node for it when the current
    // folder's node is selected.
    void RemoteFolderCreated(const QString& Name);
    // The entry OldName of the current remote folder is now NewName: a folder's node follows.
    void RemoteItemRenamed(const QString& OldName, const QString& NewName);
    // The remote folder From (ending in "/") is now To: every registered path at or below it follows.
    void RemoteFolderMoved(const QString& From, const QString& To);
    // The remote folder Path is gone: its node goes, and the current folder's node shows its
    // children again when it was the parent.
    void RemoteFolderRemoved(const QString& Path);

    bool IsSiteNode(const TTreeNode* Node) const;
    bool IsFolderNode(const TTreeNode* Node) const;
    bool IsPlaceholder(const TTreeNode* Node) const;
    // The node registered for the remote folder Path; null when none (or it has gone).
    TTreeNode* NodeOfPath(const QString& Path) const;
    // The path registered for Node; "" when none.
    QString PathOfNode(const TTreeNode* Node) const;

    // The tree's events.
    void tvRemoteChange(TTreeNode* Node);
    void tvRemoteExpanding(TTreeNode* Node, bool& AllowExpansion);
    // The root cannot collapse: it opens again at once.
    void tvRemoteCollapsed(TTreeNode* Node);
    void tvRemoteEditing(TTreeNode* Node, bool& AllowEdit);

private:
    // Path now stands for Node; with Keep an existing live entry stays.
    void RegisterPath(const QString& Path, TTreeNode* Node, bool Keep);
    int NumberOf(TTreeNode* Node);
    // The site's children replaced by a placeholder.
    void FoldSite(TTreeNode* Site);
    // Every site node that holds folders folded and collapsed, the tree path list emptied.
    void ForgetSession();
    void Forget(TTreeNode* Node);
    // Site nodes sorted by name, the root open.
    void SortSites();
    void FillServersMenu();
    void SetCurrentSiteName(const QString& Name);
    void SelectQuietly(TTreeNode* Node);
    bool Connected() const;
    bool Ready() const;

    TPTTreeView& tree_;
    QMenu& serversMenu_;
    TSessionEngine& engine_;
    ISessionWindow& window_;
    std::map<int, TTreeNode*> nodes_;
    std::map<const TTreeNode*, int> numbers_;
    int nextNumber_ = 1;
    // The tree's events do nothing while set.
    bool quiet_ = false;
};
