// TBuffer: one fixed-size chunk of a socket's send queue, written at the end and read from the front.
#pragma once

#include "platform/rtl/object.h"

#include <QByteArray>

class TBuffer : public TObject {
public:
    // A block of Size bytes; 1514 when Size is 0 or negative.
    explicit TBuffer(int Size);

    int BufSize() const { return int(Buf.size()); }
    // Changes the block size, keeping the bytes written so far (it never shrinks below them).
    void SetBufSize(int Size);
    // Appends at most the free space; returns the count appended (0 when full).
    int Write(const char* Data, int Len);
    // The unread bytes and their count; null and 0 when everything was read.
    const char* Peek(int& Len) const;
    // Marks at most Len unread bytes as read; once everything is read the block is empty again.
    // Returns the count removed.
    int Remove(int Len);

private:
    QByteArray Buf;
    int WrCount = 0;
    int RdCount = 0;
};
