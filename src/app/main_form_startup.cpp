// TTarnwickFTPApp: creation, the settings applied at start, the start-up work, and the way out
// (close query, close, destruction) with what is saved.
#include "app/app_images.h"
#include "app/main_form.h"
#include "app/remote_list_view.h"
#include "app/settings_migration.h"
#include "app/site_tree/site_tree.h"
#include "app/toolbars/tool_bar.h"
#include "app/toolbars/toolbar_layout.h"
#include "dialogs/close_app_dlg.h"
#include "dialogs/list_box_hrz.h"
#include "dragdrop/drop_file_target.h"
#include "editor/parser_repository.h"
#include "ftp/client/ftp_client2.h"
#include "ftp/client/ftp_request_wrappers.h"
#include "platform/graphics/image_list.h"
#include "platform/rtl/application.h"
#include "platform/rtl/string_list.h"
#include "platform/system/program_folder.h"
#include "platform/ui/action_list.h"
#include "platform/ui/screen.h"
#include "routines/shell_routines.h"
#include "session/session_engine.h"
#include "settings/app_settings.h"
#include "settings/previous_version_import.h"
#include "settings/upload_profiles.h"
#include "shell/shell_list.h"
#include "shell/pt_tree_view.h"
#include "shell/shell_tree.h"
#include "shell/system_icons.h"
#include "platform/shellapi/file_info.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <numeric>

namespace {

// The extensions the automatic transfer mode sends as ASCII, when none are stored (".sql" twice,
// as the list always had it).
const char* const DefaultExtensions[] = {
    ".txt", ".htm",  ".html", ".cfml", ".cfm", ".php",  ".css", ".cgi", ".pl",  ".asp", ".shtm", ".pm",
    ".diz", ".js",   ".log",  ".phtml", ".shtml", ".sql", ".wml", ".xml", ".php3", ".asc", ".pas", ".dpr",
    ".inc", ".cpp",  ".obj",  ".vbs",  ".vbp", ".frm",  ".bas", ".java", ".sql", ".tmp",
};

const char* const DefaultEditFileFilters[] = {
    ("Web Documents=*.htm;*.html;*.css;*.cgi;*.pl;*.asp;*.phtml;*.shtml;*.shtm;*.wml;*.cfm;*.cfml;*.php;*.php3;*.pm;"
     "*.xml[html]"),
    "Text Documents=*.txt;*.diz;*.log;*.asc;*.reg[txt]",
    "Object Pascal Documents=*.pas;*.dpr;*.inc[pas]",
    "ANSI C Documents=*.cpp;*.obj[cpp]",
    "Visual Basic Documents=*.vbs;*.vbp;*.frm;*.bas[vbs]",
    "Java Documents=*.java;*.js[js]",
    "PL/SQL Documents=*.sql[sql]",
};

// The code templates' file in the program's folder.
QString CodeTemplatesPath()
{
    return ProgramFolder() + QStringLiteral("codetpl.tpl");
}

} // namespace

void TTarnwickFTPApp::FormCreate()
{
    if (Screen().Fonts().contains(QStringLiteral("Tahoma")))
        setFont(QFont(QStringLiteral("Tahoma")));
    setWindowTitle(ApplicationTitle());
    move(20, 20);
    // Copies of the system's folder pictures, closed and open, for the remote tree.
    const QString marker = QStringLiteral("xxKelxx");
    SystemFolderClosed = GetFileIconIndex(marker, win::FILE_ATTRIBUTE_DIRECTORY, 0);
    SystemFolderOpen = GetFileIconIndex(marker, win::FILE_ATTRIBUTE_DIRECTORY, 1);
    FolderImageClosed = ImageListSm->Add(SystemImagesSm->GetImage(SystemFolderClosed));
    FolderImageOpen = ImageListSm->Add(SystemImagesSm->GetImage(SystemFolderOpen));
    siteTree_->ClosedFolderImage = FolderImageClosed;
    siteTree_->OpenFolderImage = FolderImageOpen;
    DropFileTarget = new TDropFileTarget(this);
    DropFileTarget->Dragtypes = DragTypeBit(dtCopy);
    DropFileTarget->Register(lvRemote);
    DropFileTarget->OnDrop = [this](TObject*, TShiftState, QPoint Point, win::DWORD&) {
        if (lvMyComputer->OwnDragRunning()) {
            lvRemoteDragDrop(Point);
            return;
        }
        QStringList files;
        for (int i = 0; i < DropFileTarget->GetFiles().Count(); ++i)
            files += DropFileTarget->GetFiles().Strings(i);
        DropFileTargetDrop(files);
    };
    Action(QStringLiteral("actToolbarConnect"))->HelpContext = static_cast<QObject*>(popToolbarServers);
    Action(QStringLiteral("actToolbarTypeSet"))->HelpContext = static_cast<QObject*>(popTypeSet);
    LoadAppSettings();
    ShowEditor(false);
    TStringList lines;
    AddWinsockVersion(lines);
    for (int i = 0; i < lines.Count(); ++i)
        engine_->Log.AddLogLine(lines.Strings(i));
    engine_->Log.AddLogLine((Application ? Application->Title() : QString()) + QStringLiteral(".0.0"));
}

void TTarnwickFTPApp::LoadAppSettings()
{
    if (TSettingsMigration().Run())
        AppSettings()->Load();
    TFtpAppSettings& settings = *AppSettings();

    TStrings& extensions = *settings.Extensions();
    if (extensions.Count() > 0) {
        for (const char* added : {".shtm", ".pm"})
            if (extensions.IndexOf(QString::fromLatin1(added)) < 0)
                extensions.Add(QString::fromLatin1(added));
    } else {
        for (const char* extension : DefaultExtensions)
            extensions.Add(QString::fromLatin1(extension));
    }
    if (settings.EditFileFilters()->Count() == 0)
        for (const char* filter : DefaultEditFileFilters)
            settings.EditFileFilters()->Add(QString::fromLatin1(filter));
    ApplyEditFileFilters();
    FillParserList();
    LoadParserSettings(*ParserList());
    if (settings.EmailAddress.isEmpty())
        settings.EmailAddress = DefaultAnonymousPassword;

    ApplyWindowBounds();
    if (settings.SplitViewMyComputerPos == 0)
        ApplyFirstRunDefaults();

    ApplySplitterPositions();
    if (settings.LogFileName().isEmpty())
        settings.SetLogFileName(QStringLiteral("TarnwickFTP.log"));

    Action(QStringLiteral("actViewMyComputer"))->setVisible(settings.ViewMyComputerMni);
    ViewMyComputer(settings.ViewMyComputer || !settings.ViewMyComputerMni);
    Action(QStringLiteral("actViewTrees"))->setVisible(settings.ViewTreesMni);
    Action(QStringLiteral("actEditPrintPreview"))->setVisible(settings.PrintPreviewEnabled);
    ViewTrees(settings.ViewTreesMni && settings.ViewTrees);

    lvRemote->SetSortColumn(settings.LvRemoteHeaderSortColumn);
    lvRemote->SetSortDirection(settings.LvRemoteHeaderSortDirection);
    lvMyComputer->SetSortColumn(settings.LvMyComputerHeaderSortColumn);
    lvMyComputer->SetSortDirection(settings.LvMyComputerHeaderSortDirection);
    SetRemoteViewStyle(settings.LvRemoteViewStyle);
    SetLocalViewStyle(settings.LvMyComputerViewStyle);
    TabSet->setCurrentIndex(std::clamp(settings.SelectedInfoTab, 0, TabSet->count() - 1));
    tabMain->setCurrentIndex(std::clamp(settings.SelectedMainTab, 0, 1));
    tabMainChange(tabMain->currentIndex());
    // After the tabs, so that a shown log is not covered by the editor's tab.
    ExecuteAction(settings.ViewLog ? QStringLiteral("actViewLog") : QStringLiteral("actViewEditWindow"));
    ShowTransferMode();
    for (TToolBar* bar : {tbMain, tbMyComputer, tbRemote})
        LoadToolBarOrDefaults(*bar);
    ShowDirResult(false);
    ShowDirResult(true);

    if (QFileInfo::exists(CodeTemplatesPath())) {
        try {
            CodeTemplates.LoadFromFile(CodeTemplatesPath());
        } catch (const Exception& E) {
            engine_->Log.AddLogLine(QStringLiteral("* ") + E.Message);
        }
    }
    savedTemplates_ = CodeTemplates.ToText();
}

void TTarnwickFTPApp::ApplySplitterPositions()
{
    // Each splitter gives its first (last for the bottom area) part the stored size and the other
    // part the rest.
    const TFtpAppSettings& settings = *AppSettings();
    const auto place = [](QSplitter* Splitter, int First, bool FirstFixed) {
        const QList<int> sizes = Splitter->sizes();
        const int total = std::max(1, std::accumulate(sizes.begin(), sizes.end(), 0));
        const int fixed = std::clamp(First, 1, std::max(1, total - 1));
        Splitter->setSizes(FirstFixed ? QList<int>{fixed, total - fixed} : QList<int>{total - fixed, fixed});
    };
    place(SplitterMyComputer, settings.SplitViewMyComputerPos, true);
    place(SplitterRemoteView, settings.SplitViewRemotePos, true);
    place(SplitterVert, settings.SplitVertPos, false);
    place(SplitterHrz, settings.SplitHrzPos, true);
}

void TTarnwickFTPApp::ApplyWindowBounds()
{
    TFtpAppSettings& settings = *AppSettings();
    const QRect work = Screen().WorkAreaRect();
    const QRect stored(settings.Left(), settings.Top(), settings.Width(), settings.Height());
    // Bounds that lie on no screen count as none.
    if (settings.Width() < 1 || !QGuiApplication::screenAt(stored.center())) {
        const QSize size = settings.Width() < 1 ? QSize(900, 640) : stored.size();
        resize(size);
        move(work.left() + (work.width() - size.width()) / 2, work.top() + (work.height() - size.height()) / 2);
        if (work.width() < size.width())
            setWindowState(Qt::WindowMaximized);
    } else {
        // The stored bounds are the framed window's; the frame is taken off once it is known.
        move(stored.topLeft());
        resize(stored.size());
        frameFitPending_ = true;
    }
    if (settings.WindowState == 2)
        setWindowState(Qt::WindowMaximized);
}

void TTarnwickFTPApp::ApplyFirstRunDefaults()
{
    TFtpAppSettings& settings = *AppSettings();
    settings.ConnectAtStart = false;
    settings.SplitViewMyComputerPos = 100;
    settings.SplitViewRemotePos = 100;
    settings.SplitHrzPos = pnlMyComputer->width() > 50 ? pnlMyComputer->width() : width() / 2;
    settings.SplitVertPos = 175;
    settings.ViewLog = true;
    settings.ViewMyComputer = true;
    settings.LvMyComputerViewStyle = 3;
    settings.LvMyComputerHeaderSortDirection = 1;
    settings.LvMyComputerHeaderSortColumn = 0;
    settings.LvRemoteViewStyle = 3;
    settings.LvRemoteHeaderSortDirection = 1;
    settings.LvRemoteHeaderSortColumn = 0;
    settings.OverwritePrompt = true;
    settings.SelectedInfoTab = 0;
    settings.SelectedMainTab = 0;
    settings.KeepConnectionInterval = 120;
    settings.TransferMode = 2;
    settings.PlaySounds = true;
    settings.SoundBitField = 31;
    settings.SoundConnect = QStringLiteral("connect.wav");
    settings.SoundCompleted = QStringLiteral("complete.wav");
    settings.SoundError = QStringLiteral("error.wav");
    settings.SoundGet = QStringLiteral("blip.wav");
    settings.SoundPut = QStringLiteral("blip.wav");
    settings.ZipSaveFolder = GetSpecialFolder(0);
}

void TTarnwickFTPApp::WMStartup()
{
    // Before the site tree is built: imported profiles show in it and keep the wizard away.
    ImportPreviousVersionServers();
    siteTree_->BuildSiteTree();
    if (UploadProfiles()->Profiles()->Count() == 0)
        ExecuteAction(QStringLiteral("actHelpAccWizard"));
    else if (AppSettings()->ConnectAtStart)
        ExecuteAction(QStringLiteral("actToolbarConnect"));
}

void TTarnwickFTPApp::showEvent(QShowEvent* Event)
{
    QMainWindow::showEvent(Event);
    if (frameFitPending_) {
        // The stored size was the framed window's: the client is smaller by the frame.
        frameFitPending_ = false;
        const QSize frame = frameGeometry().size() - size();
        if (frame.isValid() && !frame.isEmpty())
            resize(size() - frame);
    }
    // The start-up work runs once the window is first shown; the splitters take their stored
    // positions again once the window has its size.
    if (!startupPosted_) {
        startupPosted_ = true;
        QTimer::singleShot(0, this, [this] { ApplySplitterPositions(); });
        win::PostMessage(handle_, WM_STARTUP, 0, 0);
    }
}

bool TTarnwickFTPApp::FormCloseQuery()
{
    if (!sessionEndClose_ && !CloseAllDocuments())
        return false;
    if (sessionEndClose_ || !FtpClient_->Connected())
        return true;
    switch (ShowCloseAppDlg()) {
    case 1:
        // The end of the session closes the window (its message WM_CLOSE_AFTER_SESSION).
        FtpClient_->Tag = TagCloseWindow;
        FtpDisconnect(*FtpClient_);
        return false;
    case 2:
        FtpAbort(*FtpClient_);
        return true;
    default:
        return false;
    }
}

void TTarnwickFTPApp::closeEvent(QCloseEvent* Event)
{
    if (!FormCloseQuery()) {
        Event->ignore();
        return;
    }
    // FormClose: the code templates go to their file when they changed.
    if (CodeTemplates.ToText() != savedTemplates_) {
        try {
            CodeTemplates.SaveToFile(CodeTemplatesPath());
        } catch (const Exception& E) {
            engine_->Log.AddLogLine(QStringLiteral("* ") + E.Message);
        }
    }
    Event->accept();
}

void TTarnwickFTPApp::FormDestroy()
{
    engine_->State.ClearListingCache();
    FreeAllDocuments();
    SaveParserSettings(*ParserList());
    ParserList()->Clear();
    DropFileTarget->Unregister();
    DropFileTargetEdit->Unregister();
    TFtpAppSettings& settings = *AppSettings();
    // The framed window's bounds; a maximised window keeps those it has when restored.
    const QRect client = geometry();
    const QRect framed = frameGeometry();
    const QRect normal = isMaximized() || isMinimized() ? normalGeometry() : client;
    const QRect frame = normal.adjusted(framed.left() - client.left(), framed.top() - client.top(),
                                        framed.right() - client.right(), framed.bottom() - client.bottom());
    settings.SetBounds(frame.left(), frame.top(), frame.width(), frame.height());
    // Hidden trees keep the heights they had when shown.
    if (!tvMyComputer->isHidden())
        settings.SplitViewMyComputerPos = std::max(1, SplitterMyComputer->sizes().value(0));
    if (!tvRemote->isHidden())
        settings.SplitViewRemotePos = std::max(1, SplitterRemoteView->sizes().value(0));
    settings.SplitVertPos = tabMainPanel->height();
    if (!pnlMyComputer->isHidden())
        settings.SplitHrzPos = pnlMyComputer->width();
    settings.ViewLog = !tabMainPanel->isHidden();
    settings.LvMyComputerViewStyle = lvMyComputer->ViewStyle();
    settings.LvRemoteViewStyle = lvRemote->Retrieving() ? lvRemote->Tag : lvRemote->ViewStyle();
    settings.LvRemoteHeaderSortColumn = lvRemote->SortColumn();
    settings.LvRemoteHeaderSortDirection = lvRemote->SortDirection();
    settings.LvMyComputerHeaderSortColumn = lvMyComputer->SortColumn();
    settings.LvMyComputerHeaderSortDirection = lvMyComputer->SortDirection();
    settings.SelectedInfoTab = TabSet->currentIndex();
    settings.SelectedMainTab = tabMain->currentIndex();
    settings.ViewTrees = Action(QStringLiteral("actViewTrees"))->isChecked();
    settings.ViewMyComputer = !pnlMyComputer->isHidden();
    settings.WindowState = isMaximized() ? 2 : 0;
    settings.Save();
    for (const TToolBar* bar : {tbMain, tbMyComputer, tbRemote})
        SaveToolBarLayout(*bar, ToolbarKey(bar->Tag));
}
