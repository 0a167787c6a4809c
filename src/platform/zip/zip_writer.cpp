// WriteZipArchive over libzip: each file is a source of our own that reads it in blocks.
#include "platform/zip/zip_writer.h"

#include "platform/system/name_encoding.h"

#include <zip.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr zip_uint32_t DeflateLevel = 6;

// One file as a libzip source: opened with O_NOFOLLOW when libzip starts reading it.
struct TFileSource {
    const TZipSourceFile* File;
    TZipWriteObserver* Observer;
    int Fd = -1;
    qint64 Position = 0;
    qint64 Reported = 0; // bytes already reported, so a second reading is not counted again
    zip_error_t Error;
};

zip_int64_t SourceFailed(TFileSource& source, int zipError)
{
    zip_error_set(&source.Error, zipError, errno);
    return -1;
}

zip_int64_t FileSourceCallback(void* userdata, void* data, zip_uint64_t len, zip_source_cmd_t cmd)
{
    auto& source = *static_cast<TFileSource*>(userdata);
    switch (cmd) {
    case ZIP_SOURCE_OPEN:
        source.Fd = open(source.File->Path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (source.Fd < 0)
            return SourceFailed(source, ZIP_ER_OPEN);
        source.Position = 0;
        source.Observer->FileOpened(*source.File);
        return 0;
    case ZIP_SOURCE_READ: {
        ssize_t got;
        do
            got = read(source.Fd, data, len);
        while (got < 0 && errno == EINTR);
        if (got < 0)
            return SourceFailed(source, ZIP_ER_READ);
        source.Position += got;
        if (source.Position > source.Reported) {
            source.Observer->BytesRead(*source.File, source.Position - source.Reported);
            source.Reported = source.Position;
        }
        return got;
    }
    case ZIP_SOURCE_CLOSE:
        close(source.Fd);
        source.Fd = -1;
        source.Observer->FileClosed(*source.File);
        return 0;
    case ZIP_SOURCE_STAT: {
        auto* st = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, len, &source.Error);
        if (!st)
            return -1;
        struct stat info {};
        if (lstat(source.File->Path.constData(), &info) != 0)
            return SourceFailed(source, ZIP_ER_READ);
        zip_stat_init(st);
        st->size = zip_uint64_t(info.st_size);
        st->mtime = info.st_mtime;
        st->valid |= ZIP_STAT_SIZE | ZIP_STAT_MTIME;
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_ERROR: return zip_error_to_data(&source.Error, data, len);
    case ZIP_SOURCE_FREE:
        if (source.Fd >= 0)
            close(source.Fd);
        zip_error_fini(&source.Error);
        delete &source;
        return 0;
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                              ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
    default: zip_error_set(&source.Error, ZIP_ER_OPNOTSUPP, 0); return -1;
    }
}

int CancelCallback(zip_t*, void* observer)
{
    return static_cast<TZipWriteObserver*>(observer)->Cancelled() ? 1 : 0;
}

TZipWriteResult Failure(zip_error_t* error)
{
    return {zip_error_code_zip(error), QString::fromLocal8Bit(zip_error_strerror(error))};
}

TZipWriteResult Failure(zip_t* archive)
{
    TZipWriteResult result = Failure(zip_get_error(archive));
    zip_discard(archive);
    return result;
}

} // namespace

TZipWriteResult WriteZipArchive(const QString& ZipFilename, const std::vector<TZipSourceFile>& Files,
                                const QByteArray& Comment, TZipWriteObserver& Observer)
{
    int openError = 0;
    zip_t* archive = zip_open(EncodeName(ZipFilename).constData(), ZIP_CREATE | ZIP_TRUNCATE, &openError);
    if (!archive) {
        zip_error_t error;
        zip_error_init_with_code(&error, openError);
        const TZipWriteResult result = Failure(&error);
        zip_error_fini(&error);
        return result;
    }
    zip_register_cancel_callback_with_state(archive, CancelCallback, nullptr, &Observer);
    if (Comment.size() > 0xFFFF) {
        zip_error_set(zip_get_error(archive), ZIP_ER_INVAL, 0);
        return Failure(archive);
    }
    if (!Comment.isEmpty() &&
        zip_set_archive_comment(archive, Comment.constData(), zip_uint16_t(Comment.size())) != 0)
        return Failure(archive);
    for (const TZipSourceFile& file : Files) {
        auto* state = new TFileSource{&file, &Observer, -1, 0, 0, {}};
        zip_error_init(&state->Error);
        zip_source_t* source = zip_source_function(archive, FileSourceCallback, state);
        if (!source) {
            zip_error_fini(&state->Error);
            delete state;
            return Failure(archive);
        }
        const zip_int64_t index = zip_file_add(archive, file.EntryName.constData(), source, ZIP_FL_ENC_GUESS);
        if (index < 0) {
            zip_source_free(source);
            return Failure(archive);
        }
        // libzip deflates at level 9 unless told; level 6 is zip's own and takes half the time.
        if (zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, DeflateLevel) != 0)
            return Failure(archive);
    }
    if (zip_close(archive) != 0)
        return Failure(archive);
    return {};
}
