// TZipControl: the packing runs on a worker thread; its progress comes to the GUI thread through
// Synchronize.
#include "platform/zip/zip_control.h"

#include "platform/rtl/events.h"
#include "platform/system/name_encoding.h"
#include "platform/threads/thread.h"
#include "platform/zip/busy_loop.h"
#include "platform/zip/zip_file_list.h"
#include "platform/zip/zip_writer.h"

#include <zip.h>

#include <cstring>
#include <exception>

namespace {

// What one call packs, copied when it starts: handlers may change the control's properties.
struct TZipJob {
    QString ZipFilename;
    QString BasePath;
    QString FilesToProcess;
    bool ProcessSubfolders;
    bool PreservePaths;
    QByteArray Comment;
};

// The worker: lists the files, writes the archive, and reports to the control's handlers.
class TZipThread : public TThread, private TZipWriteObserver {
public:
    TZipThread(TZipControl& control, TZipJob job) : TThread(true), control_(control), job_(std::move(job)) {}
    ~TZipThread() override
    {
        Terminate();
        WaitFor();
    }

    TZipWriteResult Result;
    std::exception_ptr HandlerError;

protected:
    void Execute() override
    {
        TZipFileListing listing =
            ListZipFiles(job_.BasePath, job_.FilesToProcess, job_.ProcessSubfolders, job_.PreservePaths);
        if (listing.Errno != 0) {
            Result = SystemFailure(ZIP_ER_READ, listing.Errno, listing.FailedPath);
            return;
        }
        if (listing.Files.empty()) {
            Result = {ZIP_ER_NOENT, QString("No files to archive in %1").arg(job_.BasePath)};
            return;
        }
        status_.FilesTotal = int(listing.Files.size());
        for (const TZipSourceFile& file : listing.Files)
            status_.BytesTotal += file.Size;
        Result = WriteZipArchive(job_.ZipFilename, listing.Files, job_.Comment, *this);
    }

private:
    static TZipWriteResult SystemFailure(int zipError, int systemError, const QByteArray& path)
    {
        zip_error_t error;
        zip_error_init(&error);
        zip_error_set(&error, zipError, systemError);
        TZipWriteResult result{
            zipError,
            QString("%1 (%2)").arg(QString::fromLocal8Bit(zip_error_strerror(&error)), DecodeName(path))};
        zip_error_fini(&error);
        return result;
    }

    // Runs a handler on the GUI thread; the first exception it throws stops the packing.
    void Notify(const std::function<void()>& fire)
    {
        if (HandlerError)
            return;
        try {
            Synchronize(fire);
        } catch (...) {
            HandlerError = std::current_exception();
        }
    }

    void GlobalStatus()
    {
        const TZipGlobalStatus status = status_;
        Notify([this, status] { Fire(control_.OnGlobalStatus, &control_, status); });
    }

    void FileStatus(const TZipSourceFile& file, qint64 bytes)
    {
        const QString name = DecodeName(file.EntryName);
        Notify([this, name, bytes] { Fire(control_.OnFileStatus, &control_, name, bytes); });
    }

    void FileOpened(const TZipSourceFile& File) override { FileStatus(File, 0); }

    void BytesRead(const TZipSourceFile&, qint64 Count) override
    {
        status_.BytesProcessed += Count;
        const int percent =
            status_.BytesTotal > 0 ? int(status_.BytesProcessed * 100 / status_.BytesTotal) : 100;
        if (percent != status_.BytesPercent) {
            status_.BytesPercent = percent;
            GlobalStatus();
        }
    }

    void FileClosed(const TZipSourceFile& File) override
    {
        ++status_.FilesProcessed;
        FileStatus(File, File.Size);
        GlobalStatus();
    }

    bool Cancelled() override { return control_.Abort || HandlerError || Terminated(); }

    TZipControl& control_;
    const TZipJob job_;
    TZipGlobalStatus status_;
};

} // namespace

int TZipControl::Zip()
{
    if (currentOperation_ != zoNone) {
        lastCode_ = ZIP_ER_INUSE;
        lastText_ = "The zip control is already packing";
        return lastCode_;
    }
    Abort = false;
    QString comment;
    Fire(OnZipComment, this, comment);

    currentOperation_ = zoZipping;
    TZipThread worker(
        *this, {ZipFilename, BasePath, FilesToProcess, ProcessSubfolders, PreservePaths, comment.toUtf8()});
    {
        TBusyLoop loop;
        worker.OnTerminate = [&loop](TObject*) { loop.Quit(); };
        worker.Start();
        loop.Run();
        worker.WaitFor();
    }
    currentOperation_ = zoNone;

    const TZipWriteResult& result = worker.Result;
    lastCode_ = result.Code == ZIP_ER_CANCELLED && !worker.HandlerError ? ZipResultCancelled : result.Code;
    lastText_ = result.Text;
    Fire(OnProcessCompleted, this);
    if (worker.HandlerError)
        std::rethrow_exception(worker.HandlerError);
    return lastCode_;
}

QString TZipControl::ErrorDescription(int Kind, int Code) const
{
    if (Kind != 0)
        return {};
    if (Code == ZipResultCancelled)
        return "The operation was cancelled by the user";
    if (Code == lastCode_ && !lastText_.isEmpty())
        return lastText_;
    zip_error_t error;
    zip_error_init_with_code(&error, Code);
    const QString text = QString::fromLocal8Bit(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}
