// TZipControl: the zip control of the main form; packs a folder into an archive on a worker thread
// while its caller waits in a local event loop, its events arriving on the GUI thread.
#pragma once

#include "platform/rtl/object.h"

#include <QString>
#include <atomic>
#include <functional>

// What the control is doing (CurrentOperation).
enum TZipOperation { zoNone = 0, zoZipping = 3 };

// The result of Zip when Abort stopped it.
constexpr int ZipResultCancelled = 518;

struct TZipGlobalStatus {
    int FilesTotal = 0;
    int FilesProcessed = 0;
    qint64 BytesTotal = 0;
    qint64 BytesProcessed = 0;
    int BytesPercent = 0;
};

using TZipGlobalStatusEvent = std::function<void(TObject* Sender, const TZipGlobalStatus& Status)>;
// FileName is the file's name in the archive; BytesProcessed is 0 on the first notice of a file
// and its size on the last.
using TZipFileStatusEvent =
    std::function<void(TObject* Sender, const QString& FileName, qint64 BytesProcessed)>;
using TZipCommentEvent = std::function<void(TObject* Sender, QString& Comment)>;

class TZipControl : public TComponent {
public:
    explicit TZipControl(TComponent* AOwner = nullptr) : TComponent(AOwner) {}

    // Packs the plain files below BasePath that match FilesToProcess ("*.*" is every file) into a
    // new archive ZipFilename, with the comment OnZipComment gives. Entries are named relative to
    // BasePath with "/" (only by their file names without PreservePaths), byte for byte as on
    // disk; symbolic links are neither followed nor packed. The archive is written beside
    // ZipFilename under a temporary name and renamed over it when complete (whatever UseTempFile
    // says), so a failed or cancelled call leaves an earlier file of that name as it was.
    // Returns 0, ZipResultCancelled when Abort was set meanwhile, or libzip's error number (for
    // ErrorDescription). While the worker packs, the GUI thread runs a local event loop in which
    // only windows shown after the call began take user input; the events fire on it. An
    // exception thrown by an event handler cancels the packing and is rethrown here.
    int Zip();
    // The text for a result of Zip (Kind 0): the last failure's own text with the system's
    // reason, or libzip's text for the number.
    QString ErrorDescription(int Kind, int Code) const;

    int CurrentOperation() const { return currentOperation_; }

    QString ZipFilename;
    QString BasePath;
    QString FilesToProcess = "*.*";
    bool ProcessSubfolders = false;
    bool PreservePaths = false;
    bool UseTempFile = true;
    // Set from any thread (typically an OnGlobalStatus handler) to stop the running Zip.
    std::atomic<bool> Abort = false;

    TZipGlobalStatusEvent OnGlobalStatus;
    TZipFileStatusEvent OnFileStatus;
    TZipCommentEvent OnZipComment;
    TNotifyEvent OnProcessCompleted;

private:
    int currentOperation_ = zoNone;
    int lastCode_ = 0;
    QString lastText_;
};
