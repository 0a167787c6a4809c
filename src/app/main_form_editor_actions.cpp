// TTarnwickFTPApp: the editor's commands: open, new, edit a selected file, save, close, the log
// file, and their enabling.
#include "app/app_images.h"
#include "app/editor_tab_set.h"
#include "app/main_form.h"
#include "app/remote_list_view.h"
#include "dialogs/ag_file_dialogs.h"
#include "dialogs/ftp_progress_dlg.h"
#include "dialogs/html/edit_page_frm.h"
#include "editor/document/memo_strings.h"
#include "editor/file_object.h"
#include "editor/parser_repository.h"
#include "editor/syntax_memo.h"
#include "ftp/client/ftp_client2.h"
#include "platform/rtl/application.h"
#include "platform/rtl/file_names.h"
#include "platform/rtl/format.h"
#include "platform/rtl/string_list.h"
#include "platform/ui/action_list.h"
#include "platform/ui/message_dialogs.h"
#include "routines/name_checks.h"
#include "session/session_engine.h"
#include "settings/app_settings.h"
#include "shell/shell_list.h"
#include "shell/shell_list_data.h"
#include "shell/shell_locator.h"

#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>

namespace {

struct TEditorActionDef {
    const char* Name;
    const char* Caption;
    int ImageIndex;
    // Enabled only while a document is open.
    bool NeedsDocument;
};

const TEditorActionDef EditorActionDefs[] = {
    {"actFileEdit", "&Edit", -1, false},
    {"actFtpEdit", "&Edit", -1, false},
    {"actToolBarEdit", "Edit", AppImage::EditDocument, false},
    {"actEditOpen", "&Open...", -1, false},
    {"actEditNew", "&New...", -1, false},
    {"actEditSave", "&Save", -1, true},
    {"actToolbarSaveWeb", "Save to Web", AppImage::SaveRemote, false},
    {"actFileSaveRemote", "Save to &Website...", 74, false},
    {"actFileSaveLocal", "Save as &Local...", 51, false},
    {"actFileSaveAs", "Save &As...", -1, true},
    {"actEditCloseDoc", "&Close", -1, true},
    {"actEditCloseAll", "Close A&ll", -1, true},
    {"actViewLogFile", "View Log &File", -1, false},
};

} // namespace

void TTarnwickFTPApp::CreateEditorActions()
{
    for (const TEditorActionDef& def : EditorActionDefs) {
        TAction* action = AddAction(QString::fromLatin1(def.Name), QString::fromLatin1(def.Caption), def.ImageIndex);
        action->setProperty("EditorAction", def.NeedsDocument);
    }
    Action(QStringLiteral("actEditSave"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));

    // Their filters are the settings' document filters (ApplyEditFileFilters).
    dlgSave = new TAgSaveDialog(this);
    dlgSave->FilterIndex = 1;
    dlgSave->Options = ofOverwritePrompt;
    dlgSave->OnTypeChange = [this](TObject*) { dlgSaveTag = dlgSave->FilterIndex - 1; };
    dlgOpen = new TAgOpenDialog(this);

    popTabEdit = new QMenu(this);
    popTabEdit->setObjectName(QStringLiteral("popTabEdit"));
    popTabEdit->addAction(Action(QStringLiteral("actEditCloseDoc")));

    const auto on = [this](const char* Name, std::function<void()> Run) {
        Action(QString::fromLatin1(Name))->OnExecute = [Run](TAction*) { Run(); };
    };
    for (const char* name : {"actFileEdit", "actFtpEdit", "actToolBarEdit"}) {
        on(name, [this] { actFileEditExecute(); });
        Action(QString::fromLatin1(name))->OnUpdate = [this](TAction* Sender) {
            Sender->setEnabled(CanEditSelection(GetFocusedPaneKind(), false));
        };
    }
    on("actEditOpen", [this] { actEditOpenExecute(); });
    on("actEditNew", [this] { actEditNewExecute(true); });
    on("actEditSave", [this] {
        SyncModified();
        const TFileObject* document = GetDocument(-1);
        if (!document)
            return;
        if (document->IsRemote)
            SaveDocument(-1, false, true, true);
        else
            SaveDocument(-1, document->Untitled, false, document->Modified);
    });
    on("actFileSaveRemote", [this] {
        SyncModified();
        if (tabMainPanel->isHidden())
            ExecuteAction(QStringLiteral("actViewEditWindow"));
        SaveDocument(-1, true, true, true);
    });
    on("actFileSaveLocal", [this] {
        SyncModified();
        TFileObject* document = GetDocument(-1);
        if (!document)
            return;
        const bool modified = document->Modified;
        const bool remote = document->IsRemote;
        document->Modified = true;
        document->IsRemote = false;
        if (!SaveDocument(-1, true, false, true)) {
            document->Modified = modified;
            document->IsRemote = remote;
        }
    });
    on("actFileSaveAs", [this] {
        SyncModified();
        TFileObject* document = GetDocument(-1);
        if (!document)
            return;
        document->Modified = true;
        document->IsRemote = false;
        if (tabMainPanel->isHidden())
            ExecuteAction(QStringLiteral("actViewEditWindow"));
        SaveDocument(-1, true, false, true);
    });
    on("actToolbarSaveWeb", [this] {
        if (const TFileObject* document = GetDocument(-1))
            ExecuteAction(document->IsRemote ? QStringLiteral("actEditSave") : QStringLiteral("actFileSaveRemote"));
    });
    on("actEditCloseDoc", [this] {
        int index = popTabEditTag;
        if (index == -1)
            index = TabSetEdit->TabIndex();
        TabSetEdit->SetTabIndex(index);
        CloseDocument(index);
        popTabEditTag = -1;
    });
    on("actEditCloseAll", [this] { CloseAllDocuments(); });
    on("actViewLogFile", [this] { actViewLogFileExecute(); });

    const auto visibleEditor = [this] { return !SynMemo->isHidden() && SynMemo->isVisibleTo(this); };
    Action(QStringLiteral("actFileSaveLocal"))->OnUpdate = [visibleEditor](TAction* Sender) {
        Sender->setEnabled(visibleEditor());
    };
    for (const char* name : {"actFileSaveRemote", "actToolbarSaveWeb"})
        Action(QString::fromLatin1(name))->OnUpdate = [this, visibleEditor](TAction* Sender) {
            Sender->setEnabled(IsConnected() && visibleEditor());
        };
    TabSetEdit->OnMouseDown = [this](QMouseEvent* Event) {
        if (Event->button() == Qt::RightButton) {
            popTabEditTag = TabSetEdit->ItemAtPos(Event->position().toPoint());
            popTabEdit->popup(Event->globalPosition().toPoint());
        }
    };
}

bool TTarnwickFTPApp::CanEditSelection(int Pane, bool Images)
{
    const auto fits = [Images](const QString& Name) {
        return Images ? IsImageFile(Name) : !IsImageFile(Name) && IsEditableFile(Name);
    };
    switch (Pane) {
    case fkRemoteList: {
        const TListItem* item = lvRemote->ItemFocused();
        if (!IsConnected() || !item || item->Index() <= 0 || item->Index() >= engine_->RemoteList.Count())
            return false;
        const TRemoteRow& row = engine_->RemoteList.Row(item->Index());
        return !row.IsFolder() && fits(row.Caption());
    }
    case fkLocalList: {
        const TListItem* item = lvMyComputer->ItemFocused();
        TPTShListData* data = item ? lvMyComputer->GetItemData(item->Index()) : nullptr;
        return data && data->IsFileSystem() && !data->IsFolder() && !data->IsLink() && fits(data->GetPath());
    }
    default:
        return false;
    }
}

void TTarnwickFTPApp::actFileEditExecute()
{
    ShowEditTab();
    const bool remote = GetFocusedPaneKind() == fkRemoteList || (GetFocusedPaneKind() != fkLocalList && RemoteActive());
    if (remote) {
        const TListItem* focused = lvRemote->ItemFocused();
        if (focused && focused->Index() == 0 && engine_->RemoteList.Count() > 0 &&
            engine_->RemoteList.Row(0).IsParent())
            return;
        if (lvRemote->SelCount() >= 2) {
            MessageDlg(QStringLiteral("You cannot open multiple files. Please select only one file at a time."),
                       mtInformation, {mbOK});
            return;
        }
        lvRemote->SyncSelectionToModel();
        const QString name = engine_->RemoteList.GetSelectedRemoteFile();
        const QString remotePath = engine_->State.CurrentRemoteFolder + name;
        if (const int open = IndexOfFileObjectByRemote(remotePath, TabSetEdit->Tabs()); open >= 0 && !name.isEmpty()) {
            TabSetEdit->SetTabIndex(open);
            return;
        }
        engine_->State.OpenAfterDownload = !name.isEmpty();
        if (engine_->State.OpenAfterDownload)
            DownloadForEditor(name);
        return;
    }
    if (lvMyComputer->SelCount() >= 2) {
        MessageDlg(QStringLiteral("You cannot open multiple files. Please select only one file at a time."),
                   mtInformation, {mbOK});
        return;
    }
    if (const TListItem* item = lvMyComputer->ItemFocused())
        if (TPTShListData* data = lvMyComputer->GetItemData(item->Index()))
            OpenDocument(data->GetPath(), QString());
}

void TTarnwickFTPApp::DownloadForEditor(const QString& Name)
{
    GetFtpProgressDlgFrm()->Reset();
    engine_->DownloadSize = engine_->RemoteList.GetRemoteFileSize(Name);
    const QString copy = NewEditorCopy(Name);
    engine_->State.EditorTempFiles().insert(copy);
    engine_->TransferFile(copy, Name, RecurseDownload);
}

void TTarnwickFTPApp::OpenDownloadedFile(const QString& LocalName, const QString& RemoteName)
{
    if (IsImageFile(LocalName)) {
        OpenImage(LocalName, RemoteName, true, true);
        return;
    }
    if (!OpenDocument(LocalName, RemoteName))
        WarnUnableToOpen(LocalName);
}

void TTarnwickFTPApp::WarnUnableToOpen(const QString& FileName)
{
    MessageDlg(ApplicationTitle() + QStringLiteral(" ") +
                   Format(QStringLiteral("was unable to open '%s'. The file may have moved or the appropriate document "
                                         "parser could not be loaded."),
                          {ExtractFileName(FileName)}),
               mtWarning, {mbOK});
}

void TTarnwickFTPApp::actEditOpenExecute()
{
    dlgOpen->InitialDir = CurrentFolder();
    dlgOpen->FilterIndex = 1;
    if (!dlgOpen->Execute())
        return;
    if (OpenDocument(dlgOpen->FileName, QString()))
        ShowEditTab();
    else
        WarnUnableToOpen(dlgOpen->FileName);
}

void TTarnwickFTPApp::actEditNewExecute(bool InsertPage)
{
    QString html;
    TEditPageFrm::Execute(0, QString(), html);
    if (html.isEmpty())
        return;
    AddDocument(QString(), WebParserIndex(), QString());
    if (InsertPage)
        InsertEditorText(ConvertTagCase(html, AppSettings()->HTMLUpperCase));
    TSyntaxMemoStrings& lines = SynMemo->Lines();
    for (int i = 1; i < lines.Count(); ++i)
        if (lines.Strings(i).contains(QStringLiteral("<BODY"), Qt::CaseInsensitive)) {
            SynMemo->CaretControl().SetLine(i + 3);
            break;
        }
    SynMemo->setFocus();
}

void TTarnwickFTPApp::actViewLogFileExecute()
{
    engine_->Log.SaveLogFile(true);
    const QString path = TSessionLog::LogFilePath();
    ShowEditTab();
    if (QFileInfo::exists(path)) {
        OpenDocument(path, QString());
        return;
    }
    if (AddDocument(path, PlainParserIndex(), QString()))
        SynMemo->Lines().SetText(engine_->Log.Lines().join('\n'));
}
