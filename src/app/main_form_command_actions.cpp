// TTarnwickFTPApp: the actions of the remaining commands (printing, find, the hidden maintenance
// commands, the bottom window) and the window's short cuts.
#include "app/main_form.h"
#include "platform/ui/action_list.h"

#include <QKeySequence>

namespace {

struct TCommandDef {
    const char* Name;
    const char* Caption;
    QKeyCombination Key;
};

// The commands added here; the hidden maintenance commands are reached by their short cuts only.
const TCommandDef CommandDefs[] = {
    {"actEditPrint", "&Print...", Qt::CTRL | Qt::Key_P},
    {"actEditPrintSetup", "Print Set&up...", {}},
    {"actEditPrintPreview", "Print Pre&view", {}},
    {"actEditFind", "&Find...", Qt::CTRL | Qt::Key_F},
    {"actEditReplace", "&Replace...", Qt::CTRL | Qt::Key_R},
    {"actViewBotWindow", "&Bottom Window", {}},
    {"actToobarMakeZip", "Make ZIP", {}},
    {"actHelpReloadAppSettings", "Reload Application Settings", Qt::ALT | Qt::SHIFT | Qt::Key_Backspace},
    {"actHelpDumpEditedFiles", "Dump Edited Files", Qt::CTRL | Qt::SHIFT | Qt::Key_F11},
    {"actHelpDumpDirResultList", "Dump Folder Listings", Qt::CTRL | Qt::SHIFT | Qt::Key_F12},
    {"actHelpShowViewDirList", "View Folder Listing", Qt::CTRL | Qt::ALT | Qt::Key_D},
    {"actHelpShowTreeView", "Show or Hide Trees", Qt::CTRL | Qt::ALT | Qt::Key_T},
    {"actHelpShowMyComputer", "Show or Hide My Computer", Qt::CTRL | Qt::ALT | Qt::Key_M},
    {"actHelpShowPrintPreview", "Show or Hide Print Preview", Qt::CTRL | Qt::ALT | Qt::Key_P},
};

// The short cuts of actions made elsewhere: the window's short-cut hook routes Delete and F2.
const struct {
    const char* Name;
    Qt::Key Key;
} RoutedKeys[] = {
    {"actToolbarDelete", Qt::Key_Delete}, {"actFtpDele", Qt::Key_Delete},   {"actToolbarMyDel", Qt::Key_Delete},
    {"actToolbarRemoteDel", Qt::Key_Delete}, {"actFileDeleteBookmark", Qt::Key_Delete},
    {"actFtpRen", Qt::Key_F2},            {"actFileRenameLocal", Qt::Key_F2},
};

} // namespace

void TTarnwickFTPApp::CreateCommandActions()
{
    for (const TCommandDef& def : CommandDefs) {
        const QString name = QString::fromLatin1(def.Name);
        TAction* action = Action(name) ? Action(name) : AddAction(name, QString::fromLatin1(def.Caption));
        if (def.Key.key() != Qt::Key_unknown)
            action->setShortcut(QKeySequence(def.Key));
    }
    for (const auto& routed : RoutedKeys)
        if (TAction* action = Action(QString::fromLatin1(routed.Name)))
            action->setShortcut(QKeySequence(routed.Key));
    BindCommandActions();
    BindTransferMode();
    BindPrinting();
}

void TTarnwickFTPApp::BindCommandActions()
{
    const auto on = [this](const char* Name, std::function<void()> Run) {
        Action(QString::fromLatin1(Name))->OnExecute = [Run](TAction*) { Run(); };
    };
    on("actHelpReloadAppSettings", [this] { actHelpReloadAppSettingsExecute(); });
    on("actHelpDumpEditedFiles", [this] { actHelpDumpEditedFilesExecute(); });
    on("actHelpDumpDirResultList", [this] { actHelpDumpDirResultListExecute(); });
    on("actHelpShowViewDirList", [this] { actHelpShowViewDirListExecute(); });
    on("actHelpShowTreeView", [this] { actHelpShowTreeViewExecute(); });
    on("actHelpShowMyComputer", [this] { actHelpShowMyComputerExecute(); });
    on("actHelpShowPrintPreview", [this] { actHelpShowPrintPreviewExecute(); });
    on("actFileRenameLocal", [this] { actFileRenameLocalExecute(); });
    on("actViewBotWindow", [this] { actViewBotWindowExecute(); });
    // The main tool bar's Make ZIP button is the remote pane's.
    TAction* makeZip = Action(QStringLiteral("actToolbarRemoteMakeZip"));
    TAction* mainMakeZip = Action(QStringLiteral("actToobarMakeZip"));
    mainMakeZip->ImageIndex = makeZip->ImageIndex;
    mainMakeZip->OnExecute = makeZip->OnExecute;
    mainMakeZip->OnUpdate = makeZip->OnUpdate;
}
