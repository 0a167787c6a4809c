// TStream, TFileStream and the memory streams.
#include "platform/rtl/streams.h"

#include "platform/system/error_text.h"
#include "platform/system/name_encoding.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::int64_t TStream::Size()
{
    const std::int64_t position = Seek(0, soCurrent);
    const std::int64_t size = Seek(0, soEnd);
    Seek(position, soBeginning);
    return size;
}

void TStream::SetSize(std::int64_t) {}

void TStream::ReadBuffer(void* Buffer, std::int64_t Count)
{
    if (Count != 0 && Read(Buffer, Count) != Count)
        throw EReadError(QStringLiteral("Stream read error"));
}

void TStream::WriteBuffer(const void* Buffer, std::int64_t Count)
{
    if (Count != 0 && Write(Buffer, Count) != Count)
        throw EWriteError(QStringLiteral("Stream write error"));
}

std::int64_t TStream::CopyFrom(TStream& Source, std::int64_t Count)
{
    if (Count == 0) {
        Source.SetPosition(0);
        Count = Source.Size();
    }
    constexpr std::int64_t ChunkSize = 64 * 1024;
    std::vector<char> chunk(std::size_t(std::min(Count, ChunkSize)));
    std::int64_t left = Count;
    while (left > 0) {
        const std::int64_t n = std::min(left, ChunkSize);
        Source.ReadBuffer(chunk.data(), n);
        WriteBuffer(chunk.data(), n);
        left -= n;
    }
    return Count;
}

// --- TFileStream ---

TFileStream::TFileStream(const QString& FileName, unsigned Mode) : fileName_(FileName)
{
    const bool create = Mode == fmCreate;
    int flags = O_CLOEXEC;
    if (create) {
        flags |= O_RDWR | O_CREAT | O_TRUNC;
    } else {
        switch (Mode & 3) {
        case fmOpenRead: flags |= O_RDONLY; break;
        case fmOpenWrite: flags |= O_WRONLY; break;
        case fmOpenReadWrite: flags |= O_RDWR; break;
        default: flags = -1; break;
        }
    }
    int error = EINVAL;
    if (flags != -1) {
        handle_ = ::open(EncodeName(FileName).constData(), flags, 0666);
        error = errno;
        struct stat st;
        if (handle_ >= 0 && ::fstat(handle_, &st) == 0) {
            if (S_ISDIR(st.st_mode)) {
                ::close(handle_);
                handle_ = -1;
                error = EISDIR;
            }
            buffered_ = S_ISREG(st.st_mode);
        }
    }
    if (handle_ < 0) {
        const QString text = QStringLiteral("Cannot %1 file \"%2\". %3")
                                 .arg(create ? QStringLiteral("create") : QStringLiteral("open"), FileName,
                                      SysErrorMessage(error));
        if (create)
            throw EFCreateError(text);
        throw EFOpenError(text);
    }
    canRead_ = (flags & O_ACCMODE) != O_WRONLY;
    canWrite_ = (flags & O_ACCMODE) != O_RDONLY;
}

TFileStream::~TFileStream()
{
    WriteOut();
    ::close(handle_);
}

namespace {

// Repeats a read or write of the bytes not moved yet until all Count have moved, the file ends or
// the system refuses; returns how many moved. After a refusal errno tells why.
template <class Transfer> std::int64_t Repeat(std::int64_t Count, Transfer transfer)
{
    std::int64_t done = 0;
    while (done < Count) {
        const ssize_t n = transfer(done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    return done;
}

} // namespace

std::int64_t TFileStream::ReadFile(char* Buffer, std::int64_t Count)
{
    const std::int64_t n =
        Repeat(Count, [&](std::int64_t done) { return ::read(handle_, Buffer + done, std::size_t(Count - done)); });
    fileOffset_ += n;
    return n;
}

std::int64_t TFileStream::WriteFile(const char* Buffer, std::int64_t Count)
{
    errno = 0;
    const std::int64_t n = Repeat(
        Count, [&](std::int64_t done) { return ::write(handle_, Buffer + done, std::size_t(Count - done)); });
    fileOffset_ += n;
    if (n < Count && errno == 0)
        errno = EIO;
    return n;
}

bool TFileStream::SeekFile(std::int64_t Offset)
{
    if (fileOffset_ == Offset)
        return true;
    fileOffset_ = ::lseek(handle_, off_t(Offset), SEEK_SET);
    return fileOffset_ == Offset;
}

bool TFileStream::WriteOut()
{
    if (use_ != buWriting)
        return true;
    use_ = buNone;
    const std::int64_t length = bufferLength_;
    bufferLength_ = 0;
    if (length == 0)
        return true;
    if (!SeekFile(bufferStart_) || WriteFile(buffer_.data(), length) != length) {
        writeError_ = errno != 0 ? errno : EIO;
        return false;
    }
    return true;
}

bool TFileStream::DropBuffer()
{
    const bool written = WriteOut();
    use_ = buNone;
    bufferLength_ = 0;
    return written;
}

std::int64_t TFileStream::Read(void* Buffer, std::int64_t Count)
{
    auto* out = static_cast<char*>(Buffer);
    if (!buffered_)
        return Repeat(Count,
                      [&](std::int64_t done) { return ::read(handle_, out + done, std::size_t(Count - done)); });
    if (!canRead_ || Count <= 0 || !WriteOut())
        return 0;
    std::int64_t done = 0;
    while (done < Count) {
        const std::int64_t bufferEnd = bufferStart_ + bufferLength_;
        if (use_ == buReading && position_ >= bufferStart_ && position_ < bufferEnd) {
            const std::int64_t n = std::min(Count - done, bufferEnd - position_);
            std::memcpy(out + done, buffer_.data() + (position_ - bufferStart_), std::size_t(n));
            position_ += n;
            done += n;
            continue;
        }
        if (!SeekFile(position_))
            break;
        if (Count - done >= BufferSize) {
            const std::int64_t n = ReadFile(out + done, Count - done);
            position_ += n;
            done += n;
            break;
        }
        buffer_.resize(std::size_t(BufferSize));
        use_ = buReading;
        bufferStart_ = position_;
        bufferLength_ = ReadFile(buffer_.data(), BufferSize);
        if (bufferLength_ == 0)
            break;
    }
    return done;
}

std::int64_t TFileStream::Write(const void* Buffer, std::int64_t Count)
{
    const auto* in = static_cast<const char*>(Buffer);
    if (!buffered_)
        return Repeat(Count,
                      [&](std::int64_t done) { return ::write(handle_, in + done, std::size_t(Count - done)); });
    if (!canWrite_ || Count <= 0 || writeError_ != 0)
        return 0;
    if (use_ == buReading)
        DropBuffer();
    if (use_ == buWriting && (Count >= BufferSize || bufferLength_ + Count > BufferSize) && !WriteOut())
        return 0;
    if (Count >= BufferSize) {
        if (!SeekFile(position_))
            return 0;
        const std::int64_t n = WriteFile(in, Count);
        position_ += n;
        return n;
    }
    if (use_ != buWriting) {
        buffer_.resize(std::size_t(BufferSize));
        use_ = buWriting;
        bufferStart_ = position_;
        bufferLength_ = 0;
    }
    std::memcpy(buffer_.data() + bufferLength_, in, std::size_t(Count));
    bufferLength_ += Count;
    position_ += Count;
    return Count;
}

std::int64_t TFileStream::Seek(std::int64_t Offset, TSeekOrigin Origin)
{
    if (!buffered_) {
        const int whence = Origin == soBeginning ? SEEK_SET : Origin == soCurrent ? SEEK_CUR : SEEK_END;
        return ::lseek(handle_, off_t(Offset), whence);
    }
    std::int64_t base = 0;
    if (Origin == soCurrent)
        base = position_;
    else if (Origin == soEnd && (base = Size()) < 0)
        return -1;
    if (base + Offset < 0)
        return -1;
    // Bytes waiting to be written belong where the position was.
    if (use_ == buWriting && base + Offset != position_)
        WriteOut();
    position_ = base + Offset;
    return position_;
}

std::int64_t TFileStream::Size()
{
    if (!buffered_)
        return TStream::Size();
    struct stat st;
    if (::fstat(handle_, &st) != 0)
        return -1;
    // Bytes still in the buffer may reach past the file's end.
    return use_ == buWriting ? std::max<std::int64_t>(st.st_size, position_) : std::int64_t(st.st_size);
}

void TFileStream::SetSize(std::int64_t NewSize)
{
    DropBuffer();
    if (NewSize < 0 || ::ftruncate(handle_, off_t(NewSize)) != 0)
        throw EStreamError(SysErrorMessage(NewSize < 0 ? EINVAL : errno));
}

void TFileStream::FlushBuffer()
{
    WriteOut();
    if (writeError_ != 0)
        throw EWriteError(
            QStringLiteral("Cannot write file \"%1\". %2").arg(fileName_, SysErrorMessage(writeError_)));
}

// --- memory streams ---

std::int64_t TCustomMemoryStream::Read(void* Buffer, std::int64_t Count)
{
    const std::int64_t n = std::clamp<std::int64_t>(size_ - position_, 0, std::max<std::int64_t>(Count, 0));
    if (n > 0) {
        std::memcpy(Buffer, memory_ + position_, std::size_t(n));
        position_ += n;
    }
    return n;
}

std::int64_t TCustomMemoryStream::Seek(std::int64_t Offset, TSeekOrigin Origin)
{
    const std::int64_t base = Origin == soBeginning ? 0 : Origin == soCurrent ? position_ : size_;
    if (base + Offset < 0)
        return -1;
    position_ = base + Offset;
    return position_;
}

void TCustomMemoryStream::SaveToStream(TStream& Stream)
{
    Stream.WriteBuffer(memory_, size_);
}

void TCustomMemoryStream::SaveToFile(const QString& FileName)
{
    TFileStream file(FileName, fmCreate);
    SaveToStream(file);
    file.FlushBuffer();
}

void TCustomMemoryStream::SetPointer(char* Ptr, std::int64_t Size)
{
    memory_ = Ptr;
    size_ = Size;
}

std::int64_t TMemoryStream::Write(const void* Buffer, std::int64_t Count)
{
    if (Count <= 0)
        return 0;
    const std::int64_t position = Position();
    if (position + Count > Size())
        SetSize(position + Count);
    std::memcpy(Memory() + position, Buffer, std::size_t(Count));
    Seek(position + Count, soBeginning);
    return Count;
}

void TMemoryStream::SetSize(std::int64_t NewSize)
{
    if (NewSize < 0)
        throw EStreamError(SysErrorMessage(EINVAL));
    const std::int64_t position = Position();
    buffer_.resize(std::size_t(NewSize));
    SetPointer(buffer_.data(), NewSize);
    if (position > NewSize)
        Seek(0, soEnd);
}

void TMemoryStream::SetCapacity(std::int64_t NewCapacity)
{
    buffer_.reserve(std::size_t(std::max<std::int64_t>(NewCapacity, 0)));
    SetPointer(buffer_.data(), Size());
}

void TMemoryStream::Clear()
{
    buffer_.clear();
    buffer_.shrink_to_fit();
    SetPointer(nullptr, 0);
    Seek(0, soBeginning);
}

void TMemoryStream::LoadFromStream(TStream& Stream)
{
    Stream.SetPosition(0);
    const std::int64_t size = Stream.Size();
    SetSize(size);
    Stream.ReadBuffer(Memory(), size);
    Seek(0, soBeginning);
}

void TMemoryStream::LoadFromFile(const QString& FileName)
{
    TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}
