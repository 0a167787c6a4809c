// TTarnwickFTPApp: the program's main window: the local and the remote pane, the log and the
// status bar, the commands, and the window's life from start-up to shut-down.
#pragma once

#include "app/page_setup.h"
#include "platform/messages/messages.h"
#include "editor/templates/code_templates.h"
#include "platform/rtl/object.h"
#include "session/local_pane.h"
#include "session/search_results.h"
#include "session/search_thread.h"
#include "session/session_state.h"
#include "session/session_window.h"

#include <QHash>
#include <QMainWindow>
#include <memory>

class QLineEdit;
class QMenu;
class QProgressBar;
class QSplitter;
class QStackedWidget;
class QTabBar;
class QTabWidget;
class TAction;
class TActionList;
class TBookmarkItem;
class TAgOpenDialog;
class TAgSaveDialog;
class TDropFileTarget;
class TEditFrame;
class TFileObject;
class TPreviewPrinter;
struct TImageOpen;
class TSyntaxMemo;
class TSyntaxMemoParser;
class TCustomSyntaxMemoParser;
class TTabSetEdit;
class QFrame;
class QLabel;
class TFtpClient2;
class TImageList;
class TListBoxHrz;
class TListItem;
class TPaneFrame;
class TPTImageCombo;
class TPTListView;
class TPTShellCombo;
class TPTShellList;
class TPTShellTree;
class TPTTreeView;
class TRemoteListView;
class TSearchListView;
class TSessionEngine;
class TSiteTree;
class TStatusBarMain;
class TZipControl;
class TToolBar;
class TToolbarMenu;
class TPreviewPrinter;
class TTreeNode;
class QKeyEvent;

// The window's private messages beyond those the session engine posts.
constexpr unsigned WM_STARTUP = 1024 + 93;
// Hands the pending image to the viewer once the event that downloaded it has returned.
constexpr unsigned WM_IMAGE_OPEN = 1024 + 37;

// Which control has the input focus, for the delete command and the enabling of delete and
// properties: 1 the local list, 2 the remote list, 3 the bookmark list, 4 the editor, 0 another.
enum TFocusedKind : int { fkOther = 0, fkLocalList = 1, fkRemoteList = 2, fkBookmarks = 3, fkEditor = 4 };
// The panes FocusPane gives the focus to.
enum TPaneKind : int { pkLocal = 0, pkRemote = 1, pkBookmarks = 2 };

// The question before a deletion of remote entries.
struct TDeletePrompt {
    QString Text;
    QString Caption;
};
// For the full remote paths Queue (folders end in "/"): a warning when any is a folder, else the
// name of a single entry or the count of several.
TDeletePrompt RemoteDeletePrompt(const std::vector<TQueueEntry>& Queue);

class TTarnwickFTPApp : public QMainWindow, public TComponent, public ISessionWindow, public ILocalPane {
    Q_OBJECT
public:
    // Builds the window and applies the settings (FormCreate); the start-up work follows once it
    // is first shown.
    explicit TTarnwickFTPApp(TComponent* AOwner = nullptr);
    ~TTarnwickFTPApp() override;

    // ISessionWindow.
    void SetStatusText(const QString& Text, int Panel) override;
    void ClearHistory() override;
    int FileItemCount(bool Remote) override;
    void LogLineAdded(const QString& Line) override;
    void LogLinesRemoved(int Count) override;
    win::HWND Handle() override { return handle_; }
    void CheckServerMenuItem(int Index) override;
    void ExecuteAction(const QString& Name) override;
    bool SelectSiteNode(const QString& Name) override;
    void ShowOffline(const QString& SiteName) override;
    void ShowListingAnimation(bool Show) override;
    int RemoteItemCount() override;
    void ShowConnected(const QString& WindowCaption, const QString& FrameCaption) override;
    void AddHistoryFolder(const QString& Folder) override;
    void SetRemoteFolderCombo(const QString& Folder) override;
    void ShowRetrievingListing() override;
    void RemoteListChanged() override;
    void SyncRemoteTree(const QString& Folder) override;
    void RemoteFolderCreated(const QString& Name) override;
    void RemoteItemRenamed(const QString& OldName, const QString& NewName) override;
    void RemoteFolderRemoved(const QString& Path) override;
    void OpenDownloadedFile(const QString& LocalName, const QString& RemoteName) override;

    // ILocalPane.
    QString CurrentFolder() override;
    bool GoToFolder(const QString& Folder) override;
    QStringList SelectedEntries() override;

    // The action of that object name; null when there is none.
    TAction* Action(const QString& Name) const { return actions_.value(Name); }
    // Runs every action's update handler now.
    void UpdateActions();

    // The pane commands.
    int GetFocusedPaneKind() const;
    void FocusPane(int Pane);
    // Deletes by the kind of the focused control (local entries, remote entries or a bookmark).
    void DeleteInPane();
    // True while the remote pane is the active one.
    bool RemoteActive() const;
    // The client is connected and runs no request.
    bool IsConnected() const;

    // Files dropped from another program on the remote list: uploaded into the current remote
    // folder; without a session the connect command runs instead, while a request runs nothing.
    void DropFileTargetDrop(const QStringList& Files);

    // The path the remote folder combo spells, with a trailing "/" ("" when it is empty).
    QString GetRemoteComboPath() const;

    // Shows the transfer mode of the settings on the type button: its caption and picture.
    void ShowTransferMode();

    TSessionEngine& Engine() { return *engine_; }
    TFtpClient2& FtpClient() { return *FtpClient_; }

    // The form's components, by the names the program gives them.
    TImageList* ImageListSm;
    // The system's small images (shared, not owned), as the remote list and combo draw them.
    TImageList* SystemImagesSm;
    // The system's folder pictures, and their copies in ImageListSm.
    int SystemFolderClosed = 0;
    int SystemFolderOpen = 0;
    int FolderImageClosed = -1;
    int FolderImageOpen = -1;
    // The editor's code templates, kept in "codetpl.tpl" of the program's folder.
    TCodeTemplates CodeTemplates;
    TActionList* ActionList;
    TToolBar* tbMain;
    QSplitter* SplitterVert;
    QSplitter* SplitterHrz;
    QWidget* pnlMyComputer;
    TPaneFrame* fraMyComputer;
    TToolBar* tbMyComputer;
    TPTShellCombo* cbMyComputer;
    QSplitter* SplitterMyComputer;
    TPTShellTree* tvMyComputer;
    TPTShellList* lvMyComputer;
    QWidget* pnlRemote;
    TPaneFrame* fraRemoteSite;
    TToolBar* tbRemote;
    TPTImageCombo* cbRemoteFolders;
    QWidget* pnlRemoteView;
    QSplitter* SplitterRemoteView;
    TPTTreeView* tvRemote;
    TRemoteListView* lvRemote;
    QProgressBar* aviSearch;
    QWidget* tabMainPanel;
    QTabBar* tabMain;
    QStackedWidget* tabMainPages;
    QWidget* pnlEdit;
    QTabWidget* TabSet;
    TListBoxHrz* lbFtpDisplayLog;
    TStatusBarMain* StatusBarMain;
    TDropFileTarget* DropFileTarget;
    QMenu* popToolbarServers;
    QMenu* popTypeSet;
    QMenu* popLog;
    QMenu* popRemoteViewStyle;
    QMenu* popMyComputerViewStyle;
    // The zip control of the Make Zip command, and the local folder the local pane returns to
    // once the remote folder is packed ("" while no archive is pending).
    TZipControl* xZip = nullptr;
    QString ZipReturnFolder;
    // The remote folder of the tree node the tree's menu was opened on, for actFtpZipDirTV.
    QString ZipTreeFolder;
    // The tool bars' context menu.
    TToolbarMenu* ToolbarMenu;
    // The site and remote folder tree over tvRemote.
    TSiteTree& SiteTree() { return *siteTree_; }

    // ---- The bottom tabs: history, bookmarks and search results (main_form_bottom_tabs.cpp,
    // main_form_history.cpp, main_form_bookmarks.cpp, main_form_search.cpp). ----
    TPTListView* lvHistory = nullptr;
    TPTListView* lvBookmarks = nullptr;
    TSearchListView* lvSearch = nullptr;
    // The animation over the search list while a search runs.
    QProgressBar* aviSearchLocal = nullptr;
    QMenu* popHistory = nullptr;
    QMenu* popBookmarks = nullptr;
    QMenu* popSearch = nullptr;
    // The tabs of TabSet.
    enum : int { InfoTabLog = 0, InfoTabHistory = 1, InfoTabBookmarks = 2, InfoTabSearch = 3 };
    // ISessionWindow: the running search is stopped and joined.
    void StopSearch() override;
    // The two header rows, then every bookmark of the collection below its header.
    void FillBookmarkList();
    // The row of Item directly below the header of its type (nothing when that header is missing).
    void InsertBookmarkEntry(TBookmarkItem* Item);
    // A new bookmark of Folder (a remote folder of the current site, or a local folder) and its row.
    TBookmarkItem* AddBookmark(const QString& Folder, bool Remote);
    // The bookmark a row of lvBookmarks stands for; null for a header or no row.
    static TBookmarkItem* BookmarkOfRow(const TListItem* Row);
    static bool IsBookmarkHeader(const TListItem* Row);
    // Switches to the site of a remote bookmark and into its folder once it is listed.
    void SwitchSiteForBookmark(const TBookmarkItem& Bookmark);
    // Runs the offline search over the cached listings: of the current folder only, or of all.
    void StartSearch(const QString& Mask, bool LookInAll, bool MatchCase);
    TSearchThread* SearchThread() const { return searchThread_.get(); }
    // ---- End of the bottom tabs. ----

    // ---- Tool bar pictures and action lists, menus, folder-result boxes, drags onto the local pane.
    // The main tool bar's pictures (32 x 32, indexes as in ImageListSm).
    TImageList* ImageListToolbar;
    // The actions of each tool bar (its buttons and the customisation dialog's choice); the other
    // actions (menus, short cuts) are in ActionList.
    TActionList* ActionListToolbar;
    TActionList* ActionListToolbarMyComputer;
    TActionList* ActionListToolbarRemote;
    // The list an action of that name belongs to.
    TActionList* ActionListOf(const QString& Name) const;
    // The menu bar's Edit menu, enabled while the editor has the focus on its page.
    QMenu* mnuEdit = nullptr;
    // The View menu's tool bar items (data: the tool bar's Tag, -1 the main one, 0 the local
    // pane's, 1 the remote pane's), checked by the tool bars' visibility when it opens.
    QMenu* Toolbars1 = nullptr;
    // A tool bar item was clicked: its tool bar shows or hides as the item's check.
    void MySite1Click(QAction* Item);
    void Toolbars1Click();
    // The menus of the two lists, opened by a right click on them.
    QMenu* popRemote = nullptr;
    QMenu* popMyComputer = nullptr;
    // Read-only boxes over the folder combos showing the whole path of the pane's folder; a click
    // drops the combo down.
    QLineEdit* txtLocalDirResult = nullptr;
    QLineEdit* txtRemoteDirResult = nullptr;
    // Places a pane's box over its combo, inside the combo's frame after its picture.
    void LayoutDirResultBox(bool Remote);
    // The box shows the pane's folder again.
    void ShowDirResult(bool Remote);
    static constexpr int MinimumFormHeight = 300;
    // What the remote list takes: its own drag and the local pane's (Source names the control
    // dragged from).
    bool lvRemoteDragOver(const QString& Source) const;
    // The local list's selection dropped on the remote list (Pos in its coordinates): uploaded
    // into the folder of the row dropped on, else into the current folder.
    void lvRemoteDragDrop(const QPoint& Pos);
    // Remote entries dragged onto the local pane: Source names the control dragged from (the
    // remote list, or the remote tree with a folder node selected).
    bool lvMyComputerDragOver(const QString& Source);
    // Downloads the dragged entries into the local folder dropped on (Target is lvMyComputer or
    // tvMyComputer, Pos in its coordinates), else into the local pane's folder.
    void lvMyComputerDragDrop(const QString& Source, QWidget* Target, const QPoint& Pos);
    // Starts a drag of remote entries from Source (the remote list or the remote tree).
    void StartRemoteDrag(QWidget* Source);
    static constexpr int RemoteDragThreshold = 20;
    // When Folder is not the current remote folder: changes to it, and the end of its listing
    // runs AfterListing (the session state's AfterListingAction); true then, false otherwise.
    bool ListRemoteFolderFirst(const QString& Folder, int AfterListing);
    // The file dialogs' filter made of the settings' document filters ("Name|Patterns|" each, then
    // all files).
    QString EditFileFilter;
    // The editor opens the extensions of the settings' document filters, and the file dialogs
    // offer them.
    void ApplyEditFileFilters();
    // ---- end of the block.

private:
    // ---- The menu bar and the pane menus (main_form_menus.cpp).
    void CreateMenus();
    QMenu* CreateEditMenu();
    QMenu* CreateToolbarsMenu();
    // A bookmark item of the Edit menu, whose caption ends in the bookmark's number: sets that
    // bookmark at the caret, or with Go jumps to it.
    void BookmarkClick(const QString& Caption, bool Go);
    TToolBar* ToolBarOfTag(int Tag) const;
    // ---- The folder-result boxes (main_form_dir_result.cpp).
    void CreateDirResultBoxes();
    void txtLocalDirResultMouseDown();
    void txtRemoteDirResultMouseDown();
    // ---- Dragging remote entries onto the local pane (main_form_drag.cpp).
    void BindRemoteDrag();
    QPoint remoteDragStart_{-1, -1};
    // ---- end of the block.

public:

    // ---- The editor: documents in tabs over one editor (main_form_editor.cpp,
    // main_form_documents.cpp) ----
public:
    // The editor, the tab strip of its documents, the frame that names the current one, and the
    // hint with its bevel shown while no document is open.
    TSyntaxMemo* SynMemo = nullptr;
    TTabSetEdit* TabSetEdit = nullptr;
    TEditFrame* lblEdit = nullptr;
    QLabel* fraHFTP = nullptr;
    QFrame* bevEdit = nullptr;
    // Registered on pnlEdit only while no document is open.
    TDropFileTarget* DropFileTargetEdit = nullptr;
    // The tab menu; its Tag property holds the tab right-clicked last (-1: none).
    QMenu* popTabEdit = nullptr;
    int popTabEditTag = -1;
    // The seven language parsers, owned by the window.
    TSyntaxMemoParser* parserHTML = nullptr;
    TSyntaxMemoParser* parserPlainText = nullptr;
    TSyntaxMemoParser* parserPascal = nullptr;
    TSyntaxMemoParser* parserANSIC = nullptr;
    TSyntaxMemoParser* parserVB = nullptr;
    TSyntaxMemoParser* parserJava = nullptr;
    TSyntaxMemoParser* parserSQL = nullptr;
    // The page setup printing uses (page_setup.h); and the print preview's printer, turned as the
    // default printer.
    TPageSetup PageSetup;
    TPreviewPrinter* PreviewPrinter = nullptr;
    // New documents made in this run: the next is "Untitled" + the counter after raising it.
    int UntitledCounter = 0;

    // The document of tab Index (-1: the current tab); null when there is none.
    TFileObject* GetDocument(int Index) const;
    // Opens a local file, or the downloaded copy of the server file RemotePath; false when the
    // file is missing or no parser fits it. A document already open only has its tab selected.
    bool OpenDocument(const QString& FileName, const QString& RemotePath);
    // A new tab for FileName ("" makes "Untitled<n>") with the parser at ParserIndex; null when
    // that document is open already (its tab is selected instead).
    TFileObject* AddDocument(const QString& FileName, int ParserIndex, const QString& RemotePath);
    // The one save routine behind every save command and the close prompt (Index -1: the current
    // tab): asks whether to save a modified document unless NoPrompt, asks a name when AskName or
    // the document is untitled (a remote name when it is or goes ToServer), then writes it. False
    // when the user cancelled anywhere.
    bool SaveDocument(int Index, bool AskName, bool ToServer, bool NoPrompt);
    // Writes a local document to FileName, or uploads a server document (into its own folder or,
    // when the user chooses, the current one). False when cancelled, offline or busy.
    bool WriteDocument(int Index, const QString& FileName);
    // Names a document after a save-as: a server document keeps its folder (the current one for
    // a new server document, which gets a "~ED" copy), a local one becomes NewName.
    void SetDocumentName(int Index, const QString& NewName);
    // The current document's flag mirrors the editor's.
    void SyncModified();
    // Closes tab Index (-1: the current one) after the save question; false when cancelled.
    bool CloseDocument(int Index);
    // Closes every tab from the last to the first; false at the first cancel.
    bool CloseAllDocuments();
    // Frees every document without a question (the window is going).
    void FreeAllDocuments();
    // The save dialog of the local save-as; its Tag is the filter the user last picked (0-based).
    TAgSaveDialog* dlgSave = nullptr;
    int dlgSaveTag = 0;
    TAgOpenDialog* dlgOpen = nullptr;
    // Switches the editor area between the editor with its tabs and the hint.
    void ShowEditor(bool HasDocuments);
    // The editor's page of the bottom area, shown.
    void ShowEditTab();
    void ShowEditWindow(bool Visible);
    void OpenLocalDocument(const QString& FileName);
    // Applies Parser to the editor and names it in the current document (null does nothing).
    void SetDocumentParser(TCustomSyntaxMemoParser* Parser);
    // The parser list: the seven parsers, each named by its file filter where the filter at its
    // index has its language's name.
    void FillParserList();
    // The caption of lblEdit for the current document.
    void UpdateEditCaption();
    // The width of tab Index of TabSetEdit.
    int TabSetEditMeasureTab(int Index);
    // The picture file LocalFile (of the server's RemotePath when IsRemote) in the image viewer;
    // Deferred hands it over once the running event has returned.
    void OpenImage(const QString& LocalFile, const QString& RemotePath, bool Deferred, bool IsRemote);
    void ShowImageViewer(const QString& LocalFile, const QString& RemotePath, bool IsRemote);
    // The picture the viewer shows next (deferred), null when none waits.
    std::unique_ptr<TImageOpen> PendingImage;
    // Replaces the editor's selection with Text, and the selection as text.
    void InsertEditorText(const QString& Text);
    QString EditorSelText();
    // The HTML insertions: the tag pair of an ImageIndex (56 b, 57 u, 58 i, 59 br, 60 p), a div
    // of an alignment (0 left, 1 center, 2 right), a colour (with FontTag a FONT pair), the page
    // dialog's image or link, the Font Wizard.
    void actEditBoldExecute(int ImageIndex);
    void FontSize11Click(int Tag);
    void actEditFontColorExecute(bool FontTag);
    void actEditImageExecute(bool Image);
    void actEditFontExecute();
    void actEditPreviewExecute();
    // Saves the log and opens its file in a tab (a new document of its lines when it has none).
    void actViewLogFileExecute();
    // Undo or redo to the next block boundary of the undo log.
    void actEditUndoExecute(bool Undo);
    // Sets bookmark N (0..9) at the caret, or with Go jumps to it when it is set.
    void SetEditorBookmark(int N, bool Go);
    // The Edit menu is enabled while the editor has the focus with its tabs shown on the first
    // page of the bottom area.
    void UpdateEditMenu();
    // The "Highlighting" menu: one radio item per parser, the current document's checked.
    QMenu* mniEditHighlighter = nullptr;
    void mniEditHighlighterClick();
    // The active parser's options dialog with all its pages.
    void EditorOptions1Click();
    // The alignments of the div command.
    QMenu* popDiv = nullptr;
    // The other ways of saving, the drop-down of the save command's buttons.
    QMenu* popSave = nullptr;
    // Drops: entries of a pane onto the editor, one file from another program (IsHtml: the HTML
    // parser is active), and files on the empty editor area.
    void HandlePaneDrop(QObject* Source, const QString& FileName);
    void SynMemoFilesDropped(const QStringList& Files);
    void HandleFileDrop(const QString& FileName, bool IsHtml);
    void DropFileTargetEditDrop(const QStringList& Files);

private:
    void CreateEditorArea();
    // True when the server save-as may go on with the remote name Name (no replacement, or the
    // user allowed it).
    bool ReplaceCheck(int Index, const QString& Name);
    // Writes the shown document's text to FileName and marks it saved.
    void SaveText(TFileObject& Document, const QString& FileName);
    // Writes the document's copy and starts its upload to its RemotePath.
    bool UploadDocument(TFileObject& Document);
    // The upload of a document's copy failed: the document counts as modified again.
    void DocumentUploadFailed(const QString& LocalFile);
    void CreateEditorActions();
    void CreateEditorCommands();
    // The selected file of Pane (a TFocusedKind: the remote or the local list) can be edited
    // (Images: previewed).
    bool CanEditSelection(int Pane, bool Images);
    void actFileEditExecute();
    void actFtpPreviewImageExecute();
    // Downloads the remote file Name into a new "~ED" copy, to open when it is done.
    void DownloadForEditor(const QString& Name);
    void WarnUnableToOpen(const QString& FileName);
    void actEditOpenExecute();
    void actEditNewExecute(bool InsertPage);
    void ImageOpenMessage();
    // The editor's and its area's drop handlers.
    void BindEditorDrops();
    // Replaces the selection with Open, the selection and Close; the caret stands before Close.
    void InsertAround(const QString& Open, const QString& Close);
    // A dropped file: an image is shown, an editable file opened; a folder or another type gets
    // its message.
    void DropOpen(const QString& FileName);
    // Chains the client's request-done event to notice failed uploads of documents.
    void WatchDocumentUploads();
    // The program's title, as the messages name it.
    static QString ApplicationTitle();
    // A new "~ED" copy in the private temporary folder with the extension of RemoteName.
    static QString NewEditorCopy(const QString& RemoteName);
    void TabSetEditChange(int NewTab);
    void TabSetEditDrawTab(QPainter& Canvas, int Index, const QRect& Rect, bool Selected);
    void lblEditPaint(QPainter& Canvas, const QRect& Rect);
    // ---- end of the editor ----

protected:
    void showEvent(QShowEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;
    // The hints of the two lists.
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    // Building the window (main_form_layout.cpp).
    void CreateComponents();
    void CreatePanes();
    void CreateBottomArea();
    void CreateStatusBar();
    void ConnectSplitters();
    // The three tool bars on the window's actions, with their context menu.
    void CreateToolBars();
    // The status bar's panels (main_form_status.cpp).
    void StatusBarMainDrawPanel(QPainter& Painter, int Panel, const QRect& Rect);
    void StatusBarMainMouseMove(const QPoint& Pos);
    // The selection summaries of the remote and the local list in panel 2.
    void lvRemoteSelectItem();
    void lvMyComputerSelectItem();
    // The hint over the row at Pos of the remote or the local list; "" for none.
    QString lvRemoteHint(const QPoint& Pos);
    QString lvMyComputerHint(const QPoint& Pos);
    // Runs Summary once for a burst of selection changes (select all fires one per row).
    void SummariseSelectionLater(void (TTarnwickFTPApp::*Summary)());

    // Start-up and shut-down (main_form_startup.cpp).
    void FormCreate();
    void LoadAppSettings();
    void ApplyFirstRunDefaults();
    void ApplyWindowBounds();
    void ApplySplitterPositions();
    void WMStartup();
    // False when the window is to stay open for now.
    bool FormCloseQuery();
    void FormDestroy();
    void WndProc(win::TMessage& Message);

    // Actions (main_form_actions.cpp): made from one table, their handlers and update rules.
    void CreateActions();
    TAction* AddAction(const QString& Name, const QString& Caption, int ImageIndex = -1);
    void BindActions();
    void BindUpdateRules();
    // The views (main_form_views.cpp).
    void SetRemoteViewStyle(int Style);
    void SetLocalViewStyle(int Style);
    void ViewMyComputer(bool Visible);
    void ViewTrees(bool Visible);
    void ShowInfoTab(int Tab);
    void tabMainChange(int Tab);
    // Ticks "FTP Log" while the bottom area shows the log.
    void UpdateLogCheck();
    void CopyLog(bool Whole);
    void ClearLog();
    void SetActivePane(bool Remote);
    void FocusChanged(QWidget* Now);
    // The remote pane (main_form_remote.cpp).
    void lvRemoteDblClick();
    void lvRemoteColumnClick(int Column);
    void lvRemoteEdited(int Index, QString& NewName);
    void cbRemoteFoldersSelEndOk(int Index);
    void BindRemotePane();
    // The pane and session commands (main_form_commands.cpp).
    void actFtpConnectExecute();
    void actFtpTerminateExecute();
    void actViewServersExecute();
    void actFileOpenExecute();
    void actToolbarRemoteCwdExecute();
    void actToolbarRemoteDirExecute();
    void actToolbarRemoteMkdExecute();
    void actToolbarRemotePropertiesExecute();
    void actToolbarRemoteDelExecute();
    void actFtpQuoteExecute();
    void actHelpAccWizardExecute();
    void actToolbarMyCwdExecute();
    void actToolbarMyDelExecute();
    void RouteToPane(const QString& RemoteTwin, const QString& LocalTwin);
    // The zip archive of a remote folder (main_form_zip.cpp).
    void BindZipActions();
    void actToolbarRemoteMakeZipExecute();
    void actFtpZipDirTVExecute();
    void PackZipFolder();

    // ---- The remaining commands: key routing, maintenance, the remote tree, mirrored downloads,
    // the transfer mode, printing and find (main_form_keys.cpp, main_form_maintenance.cpp,
    // main_form_remote_tree.cpp, main_form_mirror.cpp, main_form_transfer_mode.cpp,
    // main_form_print.cpp).
public:
    // The form's short-cut hook, before any action sees Delete or F2: true when it took Event (a
    // short-cut override) so that the key goes to the control being edited, or runs the command
    // the key stands for.
    bool KeyShortCutRouting(QKeyEvent& Event);
    // The remote tree's drag start, its menu and its label rename.
    void tvRemoteMouseDown(Qt::MouseButton Button, const QPoint& Pos);
    void tvRemoteMouseMove(Qt::MouseButtons Buttons, const QPoint& Pos);
    void tvRemoteMouseUp();
    // Before the tree's menu shows on Node: what its items act on and whether they are enabled.
    void tvRemoteNodeContextMenu(TTreeNode* Node);
    void mnipopRemoteTvConnectClick();
    void tvRemoteEdited(TTreeNode* Node, QString& S);
    // A rename has been done: when it was the tree's, the paths below the folder follow.
    void TreeRenameCompleted();
    // The connect item of the tree's menu and the node it keeps (null while it is disabled).
    QAction* mnipopRemoteTvConnect = nullptr;
    TTreeNode* ConnectTreeNode = nullptr;

protected:
    bool event(QEvent* Event) override;
    // A key no control took runs the command whose short cut it is.
    void keyPressEvent(QKeyEvent* Event) override;

private:
    void CreateCommandActions();
    void BindCommandActions();
    // Key routing: true while the editor or a pane's label editor has the focus.
    bool TextBeingEdited(QWidget* Focus) const;
    // The hidden maintenance commands.
    void actHelpReloadAppSettingsExecute();
    void actHelpDumpEditedFilesExecute();
    void actHelpDumpDirResultListExecute();
    void actHelpShowViewDirListExecute();
    void actHelpShowTreeViewExecute();
    void actHelpShowMyComputerExecute();
    void actHelpShowPrintPreviewExecute();
    // Asks before ListName is dumped; then the log shows First and Lines instead of its lines.
    void DumpIntoLog(const QString& ListName, const QString& First, const QStringList& Lines);
    void actFileRenameLocalExecute();
    void actViewBotWindowExecute();
    // The remote tree (main_form_remote_tree.cpp).
    void BindRemoteTree();
    // Shows the tree's menu for Node at the screen point At and runs the item chosen.
    void ShowRemoteTreeMenu(TTreeNode* Node, const QPoint& At);
    // The folder rename from the tree that runs: the node's old and new paths, ending in "/".
    QString treeRenameFrom_;
    QString treeRenameTo_;
    // Tree-drag state: the button last pressed on the tree, whether it is still down, where.
    Qt::MouseButton treeButton_ = Qt::NoButton;
    bool treeButtonDown_ = false;
    bool treeDragging_ = false;
    QPoint treePressPos_;
    // Mirrored downloads (main_form_mirror.cpp).
public:
    // The local folder that mirrors the remote path RemotePath below the local pane's folder
    // ("" when a remote name would lead outside it); the local pane goes there.
    QString MirrorLocalFolder(const QString& RemotePath);
    // Downloads the remote file RemotePath into its mirrored local folder.
    void DownloadToMirrorFolder(const QString& RemotePath);
    // The transfer mode (main_form_transfer_mode.cpp).
    void actToolbarTypeSetExecute();
    // A mode item of popTypeSet, whose data is the mode.
    void Ascii1Click(QAction* Item);
    void popTypeSetPopup();
private:
    void BindTransferMode();
    void actFtpRmdUpdate(TAction* Sender);
    // Opens the cached listing FileName as a new plain-text document.
    void OpenCachedListing(const QString& FileName);
    void BindPrinting();
    // The name the print question gives the current document.
    QString PrintDocumentName() const;
    void actEditPrintExecute();
    void actEditPrintSetupExecute();
    void actEditPrintPreviewExecute();
    // The find dialog on the editor, in replace mode with Replace.
    void actEditFindExecute(bool Replace);
    // ---- end of the remaining commands.

    std::unique_ptr<TFtpClient2> FtpClient_;
    std::unique_ptr<TSessionEngine> engine_;
    std::unique_ptr<TSiteTree> siteTree_;
    QHash<QString, TAction*> actions_;
    win::HWND handle_ = nullptr;
    bool startupPosted_ = false;
    // The stored size is the framed window's: the frame comes off when the window first shows.
    bool frameFitPending_ = false;
    bool selectionSummaryPending_ = false;
    // The code templates' text as loaded, to save them only when they changed.
    QByteArray savedTemplates_;
    // The session has ended after a close that waited for it: the window closes without asking.
    bool sessionEndClose_ = false;

    // ---- The bottom tabs. ----
    void CreateInfoTabs();
    void CreateBottomTabActions();
    void BindBottomTabUpdateRules();
    void ShowListMenu(QMenu* Menu, TPTListView* List, const QPoint& Pos);
    void lvHistoryMouseDown(const QPoint& Pos);
    void lvBookmarksMouseDown(const QPoint& Pos);
    void lvSearchMouseDown(const QPoint& Pos);
    void popHistoryPopup();
    void popHistorymniAddBkClick();
    void actViewHistoryItemExecute();
    void actFileAddBookmarkExecute(int Tag);
    void actViewBookmarkItemExecute();
    void actViewBookmarkPropertiesExecute();
    void actFileDeleteBookmarkExecute();
    void actViewSearchItemExecute();
    void actToolbarRemoteSearchExecute();
    // The search steps that run on the GUI thread fill lvSearch; the thread reads a copy of the
    // listing cache. The thread goes before the steps it calls.
    std::unique_ptr<TSearchResults> searchResults_;
    std::unique_ptr<TSearchThread> searchThread_;
    // ---- End of the bottom tabs. ----
};
