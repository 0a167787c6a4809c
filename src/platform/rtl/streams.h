// TStream, the byte stream every reader and writer of the program uses, with its two stores:
// TFileStream over a local file and TMemoryStream over memory; and the stream exceptions.
#pragma once

#include "platform/rtl/exception.h"
#include "platform/rtl/object.h"

#include <QString>
#include <cstdint>
#include <vector>

class EStreamError : public Exception {
public:
    using Exception::Exception;
};
// ReadBuffer got fewer bytes than asked for: "Stream read error".
class EReadError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
// WriteBuffer wrote fewer bytes than asked for: "Stream write error".
class EWriteError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EFileStreamError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
// A file stream could not create its file: "Cannot create file "<name>". <system text>".
class EFCreateError : public EFileStreamError {
public:
    using EFileStreamError::EFileStreamError;
};
// A file stream could not open its file: "Cannot open file "<name>". <system text>".
class EFOpenError : public EFileStreamError {
public:
    using EFileStreamError::EFileStreamError;
};

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

// Positions and sizes are 64-bit byte counts.
class TStream : public TObject {
public:
    // Reads up to Count bytes at the position into Buffer and moves past them; returns how many
    // were read: fewer at the end of the stream, 0 there or on a failure.
    virtual std::int64_t Read(void* Buffer, std::int64_t Count) = 0;
    // Writes Count bytes at the position and moves past them; returns how many were written.
    virtual std::int64_t Write(const void* Buffer, std::int64_t Count) = 0;
    // Moves the position relative to Origin; returns the new position, or -1 when the move is
    // refused (a position before the start), leaving the position as it was.
    virtual std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) = 0;

    std::int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(std::int64_t Pos) { Seek(Pos, soBeginning); }
    virtual std::int64_t Size();
    // Streams that cannot change their size ignore it.
    virtual void SetSize(std::int64_t NewSize);

    // Read and Write that raise EReadError and EWriteError unless all Count bytes move.
    void ReadBuffer(void* Buffer, std::int64_t Count);
    void WriteBuffer(const void* Buffer, std::int64_t Count);
    // Copies Count bytes from Source's position to this stream; Count 0 copies the whole of Source
    // from its start. Returns the number of bytes copied; a short source raises EReadError.
    std::int64_t CopyFrom(TStream& Source, std::int64_t Count);
};

// Open modes of TFileStream: one access mode combined with one share mode, or fmCreate alone.
constexpr unsigned fmCreate = 0xFFFF;
constexpr unsigned fmOpenRead = 0x0000;
constexpr unsigned fmOpenWrite = 0x0001;
constexpr unsigned fmOpenReadWrite = 0x0002;
constexpr unsigned fmShareCompat = 0x0000;
constexpr unsigned fmShareExclusive = 0x0010;
constexpr unsigned fmShareDenyWrite = 0x0020;
constexpr unsigned fmShareDenyRead = 0x0030;
constexpr unsigned fmShareDenyNone = 0x0040;

// A stream over a local file, named as text and opened through EncodeName, so any file name
// works. fmCreate creates the file or empties an existing one and opens it for reading and
// writing. The share modes are accepted and not enforced: Linux has no mandatory file locks.
// A folder cannot be opened as a file stream.
//
// A regular file is read and written through a buffer of 64 KiB, so small reads and writes cost
// no system call each; Position, Seek and Size are exact at every moment, as without a buffer.
// Written bytes reach the file when the buffer is full, before a read or a move elsewhere, on
// SetSize and FlushBuffer, and when the stream is freed. A write the system refuses then
// (a full disk) makes every later Write return 0 and FlushBuffer raise; a writer that must know
// its file is whole calls FlushBuffer before it lets the stream go. Reads and writes at least as
// large as the buffer go to the file directly. Other files (devices, pipes) are not buffered.
class TFileStream : public TStream {
public:
    // Raises EFCreateError (fmCreate) or EFOpenError with the system's error text.
    TFileStream(const QString& FileName, unsigned Mode);
    // Writes what is still buffered; a failure then goes unreported (see FlushBuffer).
    ~TFileStream() override;

    std::int64_t Read(void* Buffer, std::int64_t Count) override;
    std::int64_t Write(const void* Buffer, std::int64_t Count) override;
    std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
    std::int64_t Size() override;
    // Cuts or extends the file (extended bytes read as zeros); raises EStreamError on failure.
    void SetSize(std::int64_t NewSize) override;
    // Writes the buffered bytes to the file. Raises EWriteError ("Cannot write file "<name>".
    // <system text>") when they, or bytes written earlier, could not all be written.
    void FlushBuffer();

    const QString& FileName() const { return fileName_; }

    static constexpr std::int64_t BufferSize = 64 * 1024;

private:
    enum TBufferUse { buNone, buReading, buWriting };

    // Moves the file's own offset to Offset when it is elsewhere; false when the file refuses.
    bool SeekFile(std::int64_t Offset);
    // Writes the buffered bytes; false (and the error kept) when the system refuses.
    bool WriteOut();
    // Empties the buffer: written bytes go out first.
    bool DropBuffer();
    std::int64_t ReadFile(char* Buffer, std::int64_t Count);
    std::int64_t WriteFile(const char* Buffer, std::int64_t Count);

    QString fileName_;
    int handle_ = -1;
    bool canRead_ = false;
    bool canWrite_ = false;
    bool buffered_ = false;
    // The stream's position, and the file's own offset (-1 when not known).
    std::int64_t position_ = 0;
    std::int64_t fileOffset_ = 0;
    // Reading: the file's bytes from bufferStart_ on; writing: bytes to write at bufferStart_,
    // which end at position_.
    std::vector<char> buffer_;
    TBufferUse use_ = buNone;
    std::int64_t bufferStart_ = 0;
    std::int64_t bufferLength_ = 0;
    // The system error of a write that failed; 0 while every write went out.
    int writeError_ = 0;
};

// A stream over bytes in memory that it does not manage itself; reads and seeks only. Descendants
// provide the memory (SetPointer) and writing.
class TCustomMemoryStream : public TStream {
public:
    std::int64_t Read(void* Buffer, std::int64_t Count) override;
    std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
    std::int64_t Size() override { return size_; }

    // The stream's bytes; valid until the stream changes its size.
    char* Memory() const { return memory_; }
    // Writes all bytes of the stream, whatever its position.
    void SaveToStream(TStream& Stream);
    void SaveToFile(const QString& FileName);

protected:
    // Makes the stream read Size bytes at Ptr; a position beyond the new size stays as it is.
    void SetPointer(char* Ptr, std::int64_t Size);

private:
    char* memory_ = nullptr;
    std::int64_t size_ = 0;
    std::int64_t position_ = 0;
};

// A growing stream in its own memory. Writing or sizing past the end extends it; bytes between the
// old end and a write further on read as zeros.
class TMemoryStream : public TCustomMemoryStream {
public:
    std::int64_t Write(const void* Buffer, std::int64_t Count) override;
    // The position is kept, but moved back to the new end when it lay beyond it.
    void SetSize(std::int64_t NewSize) override;
    // Reserves memory for NewCapacity bytes, so that the stream grows up to that size without
    // moving its bytes; a capacity below the size is ignored.
    void SetCapacity(std::int64_t NewCapacity);
    // Empties the stream and moves the position to 0.
    void Clear();
    // Replaces the content with the whole of Stream, read from its start; the position becomes 0.
    void LoadFromStream(TStream& Stream);
    void LoadFromFile(const QString& FileName);

private:
    std::vector<char> buffer_;
};
