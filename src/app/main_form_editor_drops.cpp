// TTarnwickFTPApp: what is dropped on the editor or on its area while no document is open: the
// entries of a pane, and files from other programs.
#include "app/main_form.h"
#include "app/remote_list_view.h"
#include "dragdrop/drop_file_target.h"
#include "editor/parser_repository.h"
#include "editor/syntax_memo.h"
#include "highlighter/syntax_memo_parser.h"
#include "platform/rtl/file_names.h"
#include "platform/rtl/format.h"
#include "platform/rtl/string_list.h"
#include "platform/ui/message_dialogs.h"
#include "routines/name_checks.h"
#include "routines/registry_helpers.h"
#include "session/session_engine.h"
#include "settings/app_settings.h"
#include "settings/forms/remembered_dialogs.h"
#include "shell/shell_list.h"
#include "shell/shell_list_data.h"

#include <QFileInfo>

namespace {

const QString MultipleFilesText = QStringLiteral("You cannot open multiple files. Please select only one file at a time.");
const QString OnlyFilesText = QStringLiteral("Only files can be opened in the editor.");

} // namespace

void TTarnwickFTPApp::BindEditorDrops()
{
    // The local list's own drag brings its selection as files: it opens as the list's entry.
    SynMemo->OnFilesDropped = [this](TObject*, const QStringList& Files) {
        if (lvMyComputer->OwnDragRunning())
            HandlePaneDrop(lvMyComputer, QString());
        else
            SynMemoFilesDropped(Files);
    };
    SynMemo->OnDataDrop = [](TObject*, unsigned& Options) {
        if (Options & 0x100) {
            Options = (Options & ~0x400u) | 0x2000u;
        } else if (Options & 1) {
            Options = (Options & ~0x400u) | 0x800u;
        }
    };
    DropFileTargetEdit->OnDrop = [this](TObject*, TShiftState, QPoint, win::DWORD&) {
        if (lvMyComputer->OwnDragRunning()) {
            HandlePaneDrop(lvMyComputer, QString());
            return;
        }
        QStringList files;
        for (int i = 0; i < DropFileTargetEdit->GetFiles().Count(); ++i)
            files += DropFileTargetEdit->GetFiles().Strings(i);
        DropFileTargetEditDrop(files);
    };
}

void TTarnwickFTPApp::HandlePaneDrop(QObject* Source, const QString& FileName)
{
    const bool remote = Source == lvRemote || (Source && lvRemote->isAncestorOf(qobject_cast<QWidget*>(Source)));
    QString name = FileName;
    int count = 0;
    bool folder = false;
    if (remote) {
        count = lvRemote->SelCount();
        lvRemote->SyncSelectionToModel();
        if (const TListItem* item = lvRemote->ItemFocused(); item && item->Index() < engine_->RemoteList.Count())
            folder = engine_->RemoteList.Row(item->Index()).IsFolder();
        if (name.isEmpty())
            name = engine_->RemoteList.GetSelectedRemoteFile();
    } else {
        count = lvMyComputer->SelCount();
        if (const TListItem* item = lvMyComputer->ItemFocused())
            if (TPTShListData* data = lvMyComputer->GetItemData(item->Index())) {
                name = data->GetPath();
                folder = data->IsFolder();
            }
    }
    if (count >= 2) {
        MessageDlg(MultipleFilesText, mtInformation, {mbOK});
        return;
    }
    if (folder) {
        MessageDlg(OnlyFilesText, mtInformation, {mbOK});
        return;
    }
    if (remote &&
        MessageDlgRemember(Format(QStringLiteral("Would you like to open '%s'? If Yes, %s will take a moment to download "
                                                 "this file."),
                                  {name, ApplicationTitle()}),
                           QStringLiteral("Do not ask again"), MainFormRegKey, 0, TSessionState::RememberAnswerClick,
                           {mbYes, mbNo}, mtConfirmation, RememberedAnswerNames.value(0)) == mrNo)
        return;
    // The commands act on the pane dragged from, made the active one: the focus may still be on
    // its way back from the question when they run.
    FocusPane(remote ? pkRemote : pkLocal);
    const bool image = IsImageFile(name);
    if (!CanEditSelection(remote ? fkRemoteList : fkLocalList, image))
        return;
    if (image)
        actFtpPreviewImageExecute();
    else
        actFileEditExecute();
}

void TTarnwickFTPApp::SynMemoFilesDropped(const QStringList& Files)
{
    if (Files.size() >= 2) {
        MessageDlg(MultipleFilesText, mtInformation, {mbOK});
        return;
    }
    if (Files.size() == 1)
        HandleFileDrop(Files.first(), SynMemo->CurrentParser() == parserHTML);
}

void TTarnwickFTPApp::HandleFileDrop(const QString& FileName, bool IsHtml)
{
    const QString bare = ExtractFileName(FileName);
    if (IsHtml) {
        switch (MessageDlgCaptions(
            Format(QStringLiteral("Would you like insert '%s' as an HTML link or open it in the editor? Select As Link to "
                                  "insert\r\nthe file as an HTML link or Open to open it in the editor."),
                   {bare}),
            mtConfirmation, {mbYes, mbNo, mbCancel},
            {QStringLiteral("As &Link"), QStringLiteral("&Open"), QStringLiteral("Cancel")})) {
        case mrYes: {
            const QString closing = QStringLiteral("</a>");
            InsertEditorText(ConvertTagCase(Format(QStringLiteral("<a href=\"%s\">"), {bare}) + closing,
                                            AppSettings()->HTMLUpperCase));
            SynMemo->SetSelStart(SynMemo->GetSelStart() - int(closing.size()));
            SynMemo->setFocus();
            return;
        }
        case mrNo:
            DropOpen(FileName);
            return;
        default:
            return;
        }
    }
    // A folder is not offered for opening: it only gets the message.
    if (QFileInfo(FileName).isDir() ||
        MessageDlgRemember(Format(QStringLiteral("Would you like to open the file '%s'?"), {bare}),
                           QStringLiteral("Do not ask again"), MainFormRegKey, 6, TSessionState::RememberAnswerClick,
                           {mbYes, mbNo}, mtConfirmation, RememberedAnswerNames.value(6)) != mrNo)
        DropOpen(FileName);
}

void TTarnwickFTPApp::DropOpen(const QString& FileName)
{
    // The dropped file itself is shown or opened (not the selection of a pane).
    if (QFileInfo(FileName).isDir())
        MessageDlg(OnlyFilesText, mtInformation, {mbOK});
    else if (IsImageFile(FileName))
        ShowImageViewer(FileName, QString(), false);
    else if (IsEditableFile(FileName))
        OpenLocalDocument(FileName);
    else
        MessageDlg(Format(QStringLiteral("This file type '%s' is not supported for editing. To include this type of file "
                                         "see\r\nProgram Options > Editor Parser Extensions."),
                          {ExtractFileExt(FileName)}),
                   mtInformation, {mbOK});
}

void TTarnwickFTPApp::DropFileTargetEditDrop(const QStringList& Files)
{
    if (!Files.isEmpty())
        DropOpen(Files.first());
}
