// TTarnwickFTPApp: the editor's documents: opening, adding and switching tabs.
#include "app/editor_tab_set.h"
#include "app/main_form.h"
#include "editor/document/memo_strings.h"
#include "editor/file_object.h"
#include "editor/parser_repository.h"
#include "editor/syntax_memo.h"
#include "ftp/client/ftp_client2.h"
#include "platform/rtl/string_list.h"
#include "routines/path_routines.h"
#include "session/session_engine.h"

#include <QFileInfo>

TFileObject* TTarnwickFTPApp::GetDocument(int Index) const
{
    if (Index == -1)
        Index = TabSetEdit->TabIndex();
    if (Index < 0 || Index >= TabSetEdit->Tabs().Count())
        return nullptr;
    return static_cast<TFileObject*>(TabSetEdit->Tabs().Objects(Index));
}

bool TTarnwickFTPApp::OpenDocument(const QString& FileName, const QString& RemotePath)
{
    if (!QFileInfo(FileName).isFile())
        return false;
    const int parserIndex =
        ParserIndexForFileDef(RemotePath.isEmpty() ? FileName : RemotePath.mid(RemotePath.lastIndexOf('/') + 1));
    if (parserIndex == -1)
        return false;
    SetStatusText(QStringLiteral("Loading document..."), 2);
    AddDocument(FileName, parserIndex, RemotePath);
    SetStatusText(QString(), 2);
    return true;
}

TFileObject* TTarnwickFTPApp::AddDocument(const QString& FileName, int ParserIndex, const QString& RemotePath)
{
    SynMemo->Tag = 0;
    if (SynMemo->isHidden())
        ShowEditor(true);
    if (const TFileObject* current = GetDocument(-1)) {
        const bool same = current->IsRemote ? current->RemotePath == RemotePath : current->FileName == FileName;
        if (same && !FileName.isEmpty())
            return nullptr;
    }
    TStrings& tabs = TabSetEdit->Tabs();
    if (const int open = IndexOfFileObjectByName(FileName, tabs); open >= 0 && !FileName.isEmpty()) {
        TabSetEdit->SetTabIndex(open);
        return nullptr;
    }
    QString name = FileName;
    if (name.isEmpty())
        name = QStringLiteral("Untitled%1").arg(++UntitledCounter);
    auto* document = new TFileObject(name, !RemotePath.isEmpty());
    document->IncLoading();
    document->Untitled = FileName.isEmpty();
    TabSetEdit->SetTabIndex(tabs.AddObject(name, document));
    document->LoadIntoEditor(name, *SynMemo, ParserIndex);
    if (!RemotePath.isEmpty()) {
        document->RemotePath = RemotePath;
        engine_->State.EditorTempFiles().insert(name);
    }
    document->RestoreEditorState(*SynMemo);
    document->DecLoading();
    UpdateEditCaption();
    return document;
}

void TTarnwickFTPApp::TabSetEditChange(int NewTab)
{
    if (TFileObject* outgoing = GetDocument(-1))
        outgoing->SaveEditorState(*SynMemo);
    if (TFileObject* incoming = GetDocument(NewTab); incoming && !incoming->IsLoading())
        incoming->RestoreEditorState(*SynMemo);
}

bool TTarnwickFTPApp::CloseDocument(int Index)
{
    if (!GetDocument(Index))
        return true;
    if (Index < 0)
        Index = TabSetEdit->TabIndex();
    SyncModified();
    const TFileObject* document = GetDocument(Index);
    if (!SaveDocument(Index, document->Untitled, false, !document->Modified))
        return false;
    // SaveDocument showed the document: it is the editor's now.
    TStrings& tabs = TabSetEdit->Tabs();
    tabs.BeginUpdate();
    SynMemo->Lines().BeginUpdate();
    SynMemo->Clear();
    delete GetDocument(Index);
    tabs.Delete(Index);
    Index = std::min(Index, tabs.Count() - 1);
    if (TFileObject* next = GetDocument(Index))
        next->RestoreEditorState(*SynMemo);
    SynMemo->Lines().EndUpdate();
    if (tabs.Count() > 0)
        TabSetEdit->SetTabIndex(Index);
    else
        ShowEditor(false);
    tabs.EndUpdate();
    UpdateEditCaption();
    return true;
}

bool TTarnwickFTPApp::CloseAllDocuments()
{
    for (int i = TabSetEdit->Tabs().Count() - 1; i >= 0; --i)
        if (!CloseDocument(i))
            return false;
    return true;
}

void TTarnwickFTPApp::FreeAllDocuments()
{
    TStrings& tabs = TabSetEdit->Tabs();
    tabs.BeginUpdate();
    SynMemo->Lines().BeginUpdate();
    SynMemo->SetParser(1, nullptr);
    SynMemo->Clear();
    for (int i = tabs.Count() - 1; i >= 0; --i) {
        delete GetDocument(i);
        tabs.Delete(i);
    }
    SynMemo->Lines().EndUpdate();
    tabs.EndUpdate();
}

void TTarnwickFTPApp::WatchDocumentUploads()
{
    // The session handles the end of every request; a failed upload of a document's copy is
    // noticed here as well.
    auto bound = FtpClient_->OnRequestDone;
    FtpClient_->OnRequestDone = [this, bound](TObject* Sender, TFtpRequest RqType, win::WORD Error) {
        const QString local = FtpClient_->LocalFileName();
        const int reply = FtpClient_->StatusCode();
        const bool failedUpload = RqType == ftpPutAsync && (Error != 0 || (reply != 226 && reply != 250));
        if (bound)
            bound(Sender, RqType, Error);
        if (failedUpload && engine_->State.EditorTempFiles().count(local))
            DocumentUploadFailed(local);
    };
}
