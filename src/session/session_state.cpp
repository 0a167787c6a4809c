// TSessionState: clearing the queue and the listing cache, event sounds, remembered answers.
#include "session/session_state.h"

#include "dialogs/ftp_progress_dlg.h"
#include "platform/sound/play_sound.h"
#include "platform/system/program_folder.h"
#include "platform/system/temp_files.h"
#include "platform/widgets/message_form.h"
#include "routines/registry_helpers.h"
#include "session/session_window.h"
#include "settings/app_settings.h"
#include "settings/forms/remembered_dialogs.h"

#include <QFile>
#include <QFileInfo>

const QStringList RememberedAnswerNames = {
    QStringLiteral("HideRemoteDragDlg"),     QStringLiteral("HideZipSuccessDlg"),
    QStringLiteral("HideDeleteFoldersDlg"),  QStringLiteral("HideZipContineDlg"),
    QStringLiteral("HideFTPRecurseDlg"),     QStringLiteral("HidePrintDocDlg"),
    QStringLiteral("HideDropOpenConfirm"),   QStringLiteral("HideLocalRecurseDlg"),
    QStringLiteral("HideSaveToOriginalLoc"), QStringLiteral("HideSaveToOriginalLocCWD"),
};

TSessionState::TSessionState(ISessionWindow& Window) : window_(Window) {}

void TSessionState::RecordRecursionFolder(const QString& Folder, const QString& LocalFolder)
{
    recursionFolderMap_.try_emplace(Folder, LocalFolder);
}

void TSessionState::AddDirResult(const QString& Folder, const QString& CacheFile)
{
    auto [entry, added] = dirResultList_.try_emplace(Folder, CacheFile);
    if (!added) {
        if (entry->second != CacheFile)
            QFile::remove(entry->second);
        entry->second = CacheFile;
    }
}

void TSessionState::PlayEventSound(int Event)
{
    const TFtpAppSettings& settings = *AppSettings();
    if (!settings.PlaySounds || Event < SoundConnect || Event > SoundPut || !(settings.SoundBitField & (1 << Event)))
        return;
    const QString* const files[] = {&settings.SoundConnect, &settings.SoundCompleted, &settings.SoundError,
                                    &settings.SoundGet, &settings.SoundPut};
    PlaySound(*files[Event]);
}

void TSessionState::ResetTransferQueue(bool PlaySound, bool KeepPending)
{
    transferQueue_.clear();
    recursionFolderMap_.clear();
    recursionLevels_.clear();
    Recursing = false;
    PendingRecursionRequest = 0;
    RecursionBaseFolder.clear();
    ReplaceAnswer = 0;
    if (PlaySound)
        PlayEventSound(SoundCompleted);
    if (AfterTransferPending && !KeepPending) {
        AfterTransferPending = false;
        win::PostMessage(window_.Handle(), WM_AFTER_TRANSFER, 0, 0);
    }
}

void TSessionState::ClearListingCache()
{
    window_.StopSearch();
    Recursing = false;
    transferQueue_.clear();
    window_.ClearHistory();
    QFile::remove(ProgramFolder() + QStringLiteral("FTP.tmp"));
    for (const auto& [folder, cacheFile] : dirResultList_)
        QFile::remove(cacheFile);
    dirResultList_.clear();
    const QString tempFolder = win::GetTempPath();
    for (const QString& file : editorTempFiles_) {
        if (!tempFolder.isEmpty() && QFileInfo(file).absolutePath() + QLatin1Char('/') == tempFolder)
            QFile::remove(file);
    }
    editorTempFiles_.clear();
}

void TSessionState::SetStatusText(const QString& Text, int Panel)
{
    window_.SetStatusText(Text, Panel);
}

void TSessionState::ShowMultiProgress(int Count, bool Visible, bool Remote)
{
    if (Count < 0)
        Count = window_.FileItemCount(Remote);
    TFtpProgressDlgFrm* progress = GetFtpProgressDlgFrm();
    if (Count < 2) {
        progress->Reset();
        return;
    }
    progress->SetMultiRange(0, Count);
    progress->setVisible(Visible);
}

void TSessionState::RememberAnswerClick(TObject* Sender)
{
    const auto* dialog = dynamic_cast<const TMessageForm*>(Sender);
    if (!dialog || dialog->Tag != 1 || dialog->FlagNumber < 0 || dialog->FlagNumber >= RememberedAnswerNames.size())
        return;
    StoreRememberedAnswer(MainFormRegKey, RememberedAnswerNames[dialog->FlagNumber]);
}
