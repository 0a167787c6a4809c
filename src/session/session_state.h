// TSessionState: the variables, lists and event sounds the main window's FTP work shares.
#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <set>
#include <vector>

class ISessionWindow;
class TObject;

// One entry of the transfer queue: a full remote path (downloads;
// a folder ends in "/") or a full local path (uploads).
struct TQueueEntry {
    QString Path;
    bool Folder = false;
    // A remote link shown as a folder, and the target its listing line names ("" when none).
    bool Link = false;
    QString LinkTarget = {};

    bool operator==(const TQueueEntry&) const = default;
};

// A folder a recursion has left to work in a subfolder: the remote and the local folder to come
// back to and the entries still to do there (the subfolder at their front). The first level holds
// what is left of the selection the transfer started with.
struct TRecursionLevel {
    QString RemoteFolder;
    QString LocalFolder;
    std::vector<TQueueEntry> Pending;
};

// The request codes a recursion repeats (PendingRecursionRequest) and that wait for a transfer
// type change (the client's Tag).
enum : int {
    RecurseDownload = 10,
    RecurseUpload = 17,
    RecurseDeleteFolder = 22,
    RecurseDeleteFile = 24,
};
// The client's Tag beyond the request codes 1 to 41: a login runs, or the window closes at the
// end of the session.
enum : int { TagLogin = 1000, TagCloseWindow = 1001 };
// What runs after the next listing (AfterListingAction).
enum : int {
    ListingChangeFolder = 20,
    ListingZipFolder = 30,
    ListingRenameAfterCommand = 40,
    ListingDownloadAll = 50,
    ListingUploadPending = 60,
};
// What runs after the next request (AfterRequestAction).
enum : int { RequestChangeToUploadFolder = 9, RequestDropMissingFolder = 70 };
// Answers of the replace confirmation kept within one queue (ReplaceAnswer): the modal results
// yes, no, cancel and yes to all.
enum : int { ReplaceYes = 6, ReplaceNo = 7, ReplaceCancel = 2, ReplaceYesToAll = 10 };
// The event sounds (PlayEventSound); each is a bit of the settings' SoundBitField.
enum TEventSound : int { SoundConnect = 0, SoundCompleted = 1, SoundError = 2, SoundGet = 3, SoundPut = 4 };

// The message the window gets when the end of a queue releases a waiting zip or image action.
constexpr unsigned WM_AFTER_TRANSFER = 1024 + 31;

// The value names of the ten remembered answers of the main window's dialogs, by the dialog's
// index, kept under MainFormRegKey.
extern const QStringList RememberedAnswerNames;

// Written on the GUI thread only. The listing cache and the tree path list compare remote folders
// with case: "/Docs/" and "/docs/" are two folders.
class TSessionState {
public:
    explicit TSessionState(ISessionWindow& Window);

    // Always ends in "/".
    QString CurrentRemoteFolder;
    // The ItemName of the server profile of this session.
    QString CurrentSiteName;
    bool Recursing = false;
    int PendingRecursionRequest = 0;
    QString RecursionBaseFolder;
    bool AfterTransferPending = false;
    bool OpenAfterDownload = false;
    int AfterListingAction = 0;
    int AfterRequestAction = 0;
    QString PendingFolder;
    QString PendingRenameTarget;
    QString MissingFolder;
    int ReplaceAnswer = 0;

    std::vector<TQueueEntry>& GetTransferQueue() { return transferQueue_; }
    // Remote folder path to the local folder the recursion worked in when it entered it.
    std::map<QString, QString>& GetRecursionFolderMap() { return recursionFolderMap_; }
    // The folders a recursion has left to work in the current one, the outermost first.
    std::vector<TRecursionLevel>& GetRecursionLevels() { return recursionLevels_; }
    // Remote folder to the file its cached listing is in.
    std::map<QString, QString>& GetDirResultList() { return dirResultList_; }
    // The program's temporary local files (previews, downloaded images, edited documents).
    std::set<QString>& EditorTempFiles() { return editorTempFiles_; }
    // Remote folder path to the number of its node in the remote folder tree.
    std::map<QString, int>& GetRemoteTreePathList() { return remoteTreePathList_; }

    // Adds Folder once, with the local folder LocalFolder.
    void RecordRecursionFolder(const QString& Folder, const QString& LocalFolder);
    // Keeps CacheFile as the listing of Folder, deleting the file of an older listing of it.
    void AddDirResult(const QString& Folder, const QString& CacheFile);

    // Plays the sound of Event when the settings' PlaySounds is on, its bit of SoundBitField is
    // set and its sound file exists.
    void PlayEventSound(int Event);
    // Ends all queue and recursion state; with PlaySound the completion sound plays. A waiting zip
    // or image action is released (WM_AFTER_TRANSFER posted to the window) unless KeepPending.
    void ResetTransferQueue(bool PlaySound, bool KeepPending);
    // Deletes the cached listings, "FTP.tmp" of the program's folder and the temporary files that
    // lie directly in the private temporary folder, and empties the queue and the history list.
    void ClearListingCache();
    void SetStatusText(const QString& Text, int Panel);
    // Count (below 0: the file entries of the remote or the local list) of two or more shows the
    // transfer window's multi-file bar for that many files, the window shown when Visible; fewer
    // reset the window.
    void ShowMultiProgress(int Count, bool Visible, bool Remote);

    // The callback of the remembered-answer dialogs: a ticked check box (Sender's Tag 1) stores
    // the flag of the dialog's index (its FlagNumber) under MainFormRegKey.
    static void RememberAnswerClick(TObject* Sender);

private:
    ISessionWindow& window_;
    std::vector<TQueueEntry> transferQueue_;
    std::map<QString, QString> recursionFolderMap_;
    std::vector<TRecursionLevel> recursionLevels_;
    std::map<QString, QString> dirResultList_;
    std::set<QString> editorTempFiles_;
    std::map<QString, int> remoteTreePathList_;
};
