// TTarnwickFTPApp: saving the editor's documents, to the local disk or to the server, and the
// save commands.
#include "app/editor_tab_set.h"
#include "app/main_form.h"
#include "dialogs/ag_file_dialogs.h"
#include "dialogs/confirm_replace_dlg.h"
#include "dialogs/ftp_progress_dlg.h"
#include "dialogs/input_box.h"
#include "editor/file_object.h"
#include "editor/parser_repository.h"
#include "editor/syntax_memo.h"
#include "ftp/client/ftp_client2.h"
#include "platform/rtl/application.h"
#include "platform/rtl/date_time.h"
#include "platform/rtl/file_names.h"
#include "platform/rtl/format.h"
#include "platform/rtl/string_list.h"
#include "platform/ui/beep.h"
#include "platform/ui/message_dialogs.h"
#include "routines/file_routines.h"
#include "routines/name_checks.h"
#include "routines/path_routines.h"
#include "routines/registry_helpers.h"
#include "routines/size_texts.h"
#include "session/session_engine.h"
#include "settings/app_settings.h"
#include "settings/forms/remembered_dialogs.h"

#include <QDateTime>
#include <QFileInfo>

QString TTarnwickFTPApp::NewEditorCopy(const QString& RemoteName)
{
    // The copy takes the remote name's extension, so that programs that open it by type see it.
    const QString extension = ExtractFileExt(RemoteName);
    return extension.size() > 1 ? MakeTempFileWithExt(QStringLiteral("~ED"), extension, false) : MakeEditorTempFile();
}

void TTarnwickFTPApp::SyncModified()
{
    if (TFileObject* document = GetDocument(-1))
        document->Modified = SynMemo->Modified();
}

bool TTarnwickFTPApp::SaveDocument(int Index, bool AskName, bool ToServer, bool NoPrompt)
{
    TFileObject* document = GetDocument(Index);
    if (!document)
        return false;
    // The document to save is the one the editor shows.
    if (Index >= 0)
        TabSetEdit->SetTabIndex(Index);
    const QString display = document->IsRemote ? ExtractRemoteName(document->RemotePath) : document->FileName;
    bool save = NoPrompt;
    if (!NoPrompt && document->Modified) {
        MessageBeep();
        switch (MessageDlg(Format(QStringLiteral("Would you like to save changes to '%s'?"), {ExtractFileName(display)}),
                           mtConfirmation, {mbYes, mbNo, mbCancel})) {
        case mrYes:
            save = true;
            break;
        case mrNo:
            return true;
        default:
            return false;
        }
    }
    if (!save || (!document->Modified && !ToServer))
        return true;
    if (AskName || document->Untitled) {
        QString name;
        if (document->IsRemote || ToServer) {
            name = ExtractFileName(display);
            do {
                if (!InputBoxPos(QStringLiteral("Save As Remote File"),
                                 QStringLiteral("Select a name for the file. Note: If you do not add a file extension, "
                                                "the default extension will be used. eg. index.html"),
                                 name, 0))
                    return false;
            } while (!CheckRemoteName(name, true));
            if (ExtractFileExt(name).isEmpty())
                name += DefaultExtForFilter(document->ParserName);
            if (!ReplaceCheck(Index, name))
                return false;
            document->IsRemote = true;
        } else {
            dlgSaveTag = 0;
            dlgSave->FileName = AskName ? QString() : display;
            if (!dlgSave->Execute())
                return false;
            name = dlgSave->FileName;
            if (ExtractFileExt(name).isEmpty())
                name += DefaultExtAt(dlgSaveTag);
            document->IsRemote = false;
        }
        SetDocumentName(Index, name);
    }
    return WriteDocument(Index, document->FileName);
}

bool TTarnwickFTPApp::ReplaceCheck(int Index, const QString& Name)
{
    const TFileObject* document = GetDocument(Index);
    if (!document || document->FileName.isEmpty())
        return false;
    TSessionState& state = engine_->State;
    if (!AppSettings()->OverwritePrompt)
        return true;
    if (state.ReplaceAnswer == ReplaceCancel)
        return false;
    if (state.ReplaceAnswer == ReplaceYesToAll)
        return true;
    const TRemoteListModel& list = engine_->RemoteList;
    const int row = list.IndexOfCaption(Name);
    if (row < 0)
        return true;
    // The new file is the editor's text, dated as its local copy.
    const int length = SynMemo->GetTextLen();
    const QFileInfo local(document->FileName);
    const QDateTime date = local.isFile() ? local.lastModified() : QDateTime::currentDateTime();
    const int answer = TConfirmReplaceDlgFrm::Execute(Name, list.Row(row).SizeText(), list.Row(row).DateText(),
                                                      FormatSizeKB(length),
                                                      FormatDateTime(QStringLiteral("ddddd t"), QDateTimeToDateTime(date)),
                                                      state.GetTransferQueue().size() > 1);
    state.ReplaceAnswer = answer;
    return answer == ReplaceYes || answer == ReplaceYesToAll;
}

void TTarnwickFTPApp::SetDocumentName(int Index, const QString& NewName)
{
    TFileObject* document = GetDocument(Index);
    if (!document)
        return;
    document->Untitled = false;
    if (document->IsRemote) {
        // A new server document goes into the current folder.
        QString folder = ExtractRemoteDir(document->RemotePath);
        if (document->RemotePath.isEmpty()) {
            folder = engine_->State.CurrentRemoteFolder;
            document->FileName = NewEditorCopy(NewName);
            engine_->State.EditorTempFiles().insert(document->FileName);
        }
        document->RemotePath = folder + NewName;
    } else {
        document->FileName = NewName;
        TabSetEdit->Tabs().SetStrings(Index < 0 ? TabSetEdit->TabIndex() : Index, NewName);
        document->RemotePath.clear();
    }
    // The editor keeps the shown document's name: parking it takes the name from there.
    if (document == GetDocument(-1))
        SynMemo->Title = document->FileName;
    UpdateEditCaption();
}

bool TTarnwickFTPApp::WriteDocument(int Index, const QString& FileName)
{
    TFileObject* document = GetDocument(Index);
    if (!document)
        return false;
    bool result = false;
    if (!document->IsRemote) {
        SaveText(*document, FileName);
        result = true;
    } else if (IsConnected()) {
        const QString current = engine_->State.CurrentRemoteFolder;
        const QString folder = ExtractRemoteDir(document->RemotePath);
        if (folder.compare(current, Qt::CaseInsensitive) == 0) {
            result = UploadDocument(*document);
        } else {
            switch (MessageDlgCaptionsRemember(
                Format(QStringLiteral("The original location of the file '%s' is different the current folder location "
                                      "\r\n'%s'. Select the desired location in which to save the file."),
                       {document->RemotePath, current}),
                QStringLiteral("Make this the default"), MainFormRegKey, 8, TSessionState::RememberAnswerClick,
                {mbYes, mbNo, mbCancel}, mtConfirmation, RememberedAnswerNames.value(8),
                {QStringLiteral("&Original"), QStringLiteral("&Current"), QStringLiteral("Cancel")})) {
            case mrYes:
                if (MessageDlgRemember(
                        Format(QStringLiteral("Would you like to change to the original folder location of '%s'?"), {folder}),
                        QStringLiteral("Make this the default"), MainFormRegKey, 9, TSessionState::RememberAnswerClick,
                        {mbYes, mbNo}, mtConfirmation, RememberedAnswerNames.value(9)) == mrYes)
                    engine_->State.AfterRequestAction = RequestChangeToUploadFolder;
                result = UploadDocument(*document);
                break;
            case mrNo: {
                // A declined replacement in the current folder saves nothing: the document stays
                // modified and a close stops at it.
                const QString name = ExtractRemoteName(document->RemotePath);
                if (!ReplaceCheck(Index, name))
                    return false;
                document->RemotePath = current + name;
                result = UploadDocument(*document);
                break;
            }
            default:
                return false;
            }
        }
    } else {
        MessageDlg(Format(FtpClient_->Connected()
                              ? QStringLiteral("%s is currently busy with an transfer. Please try again when the transfer completes.")
                              : QStringLiteral("%s is currently offline. Please reconnect."),
                          {ApplicationTitle()}),
                   mtInformation, {mbOK});
        return false;
    }
    if (result)
        SetDocumentParser(ParserForFile(document->IsRemote ? document->RemotePath : document->FileName));
    UpdateEditCaption();
    return result;
}

void TTarnwickFTPApp::SaveText(TFileObject& Document, const QString& FileName)
{
    Document.SaveToFile(FileName, *SynMemo);
    SynMemo->Title = FileName;
    SynMemo->SetModified(false);
    Document.Modified = false;
}

bool TTarnwickFTPApp::UploadDocument(TFileObject& Document)
{
    SaveText(Document, Document.FileName);
    GetFtpProgressDlgFrm()->Reset();
    engine_->TransferFile(Document.FileName, Document.RemotePath, RecurseUpload);
    return true;
}

void TTarnwickFTPApp::DocumentUploadFailed(const QString& LocalFile)
{
    // The edits of a document whose upload failed are not saved anywhere but in its copy: it is
    // marked modified again, so closing it asks.
    const int index = IndexOfFileObjectByName(LocalFile, TabSetEdit->Tabs());
    if (index < 0)
        return;
    TFileObject* document = GetDocument(index);
    document->Modified = true;
    if (document == GetDocument(-1))
        SynMemo->SetModified(true);
    TabSetEdit->Refresh();
}
