// TCustomLineWSocket.
#include "ftp/socket/line_wsocket.h"

#include "platform/rtl/events.h"

#include <QPointer>
#include <algorithm>
#include <cstring>

using namespace win;

TCustomLineWSocket::TCustomLineWSocket(TComponent* AOwner) : TCustomSocksWSocket(AOwner) {}

void TCustomLineWSocket::SetLineMode(bool Value)
{
    if (FLineMode == Value)
        return;
    FLineMode = Value;
    if (!FRcvBuf.isEmpty() || FLineLength > 0)
        PostMessage(FWindowHandle, WM_SOCKET_LINE_DATA, 0, 0);
}

void TCustomLineWSocket::WndProc(TMessage& MsgRec)
{
    if (MsgRec.Msg != WM_SOCKET_LINE_DATA) {
        TCustomSocksWSocket::WndProc(MsgRec);
        return;
    }
    // Offer the buffered bytes in the current mode while the rounds take some.
    const QPointer<TCustomLineWSocket> Alive(this);
    while (!FRcvBuf.isEmpty()) {
        const qsizetype Before = FRcvBuf.size();
        TriggerDataAvailable(0);
        if (!Alive || FRcvBuf.size() >= Before)
            return;
    }
}

bool TCustomLineWSocket::TriggerDataAvailable(WORD Error)
{
    if (!FLineMode || FLineEnd.isEmpty() || SocksNegotiating())
        return TCustomSocksWSocket::TriggerDataAvailable(Error);

    int Count = TCustomSocksWSocket::GetRcvdCount();
    if (Count < 0)
        return true;
    if (Count == 0)
        Count = 255;
    const qsizetype OldCount = FRcvBuf.size();
    FRcvBuf.resize(OldCount + Count);
    const int Received = TCustomSocksWSocket::DoRecv(FRcvBuf.data() + OldCount, Count, 0);
    FRcvBuf.resize(OldCount + std::max(Received, 0));
    if (Received <= 0 && FRcvBuf.isEmpty())
        return true;
    if (Received > 0) {
        if (FLineEdit)
            EditLine(OldCount);
        else if (FLineEcho)
            Send(FRcvBuf.constData() + OldCount, Received);
    }

    // A line end split between two reads is found by starting a little before the new bytes.
    const QPointer<TCustomLineWSocket> Alive(this);
    qsizetype SearchFrom =
        Received > 0 ? std::max<qsizetype>(0, std::min(OldCount, FRcvBuf.size()) - FLineEnd.size()) : 0;
    while (FLineMode) {
        const qsizetype Found = FRcvBuf.indexOf(FLineEnd, SearchFrom);
        if (Found < 0)
            break;
        FLineLength = int(Found + FLineEnd.size());
        if (!DeliverLine(Error))
            return true;
        SearchFrom = 0;
    }

    if (FLineMode && FLineLimit > 0 && FRcvBuf.size() > FLineLimit) {
        bool ClearData = true;
        TriggerLineLimitExceeded(int(FRcvBuf.size()), ClearData);
        if (Alive && ClearData)
            FRcvBuf.clear();
    }
    return true;
}

bool TCustomLineWSocket::DeliverLine(WORD Error)
{
    const QPointer<TCustomLineWSocket> Alive(this);
    while (FLineMode && FLineLength > 0) {
        const int Before = FLineLength;
        if (!TCustomSocksWSocket::TriggerDataAvailable(Error))
            break;
        if (!Alive)
            return false;
        if (FLineLength == Before)
            break;
    }
    // What is left of the line is dropped; with line mode switched off it stays to be read raw.
    if (FLineMode)
        FRcvBuf.remove(0, std::min<qsizetype>(FLineLength, FRcvBuf.size()));
    FLineLength = 0;
    return true;
}

void TCustomLineWSocket::TriggerSessionClosed(WORD Error)
{
    if (FLineMode && !FRcvBuf.isEmpty()) {
        // The last line, without a line end.
        FLineLength = int(FRcvBuf.size());
        if (!DeliverLine(0))
            return;
    }
    FRcvBuf = QByteArray();
    FLineLength = 0;
    TCustomSocksWSocket::TriggerSessionClosed(Error);
}

int TCustomLineWSocket::GetRcvdCount()
{
    return FLineMode ? FLineLength : TCustomSocksWSocket::GetRcvdCount();
}

int TCustomLineWSocket::DoRecv(char* Buffer, int BufferSize, int Flags)
{
    const int Buffered = FLineMode ? FLineLength : int(FRcvBuf.size());
    if (Buffered <= 0)
        return TCustomSocksWSocket::DoRecv(Buffer, BufferSize, Flags);
    const int Count = std::clamp(BufferSize, 0, Buffered);
    std::memcpy(Buffer, FRcvBuf.constData(), std::size_t(Count));
    FRcvBuf.remove(0, Count);
    if (FLineMode)
        FLineLength -= Count;
    return Count;
}

void TCustomLineWSocket::TriggerLineLimitExceeded(int Cnt, bool& ClearData)
{
    Fire(OnLineLimitExceeded, this, Cnt, ClearData);
}

void TCustomLineWSocket::EditLine(qsizetype From)
{
    QByteArray Edited = FRcvBuf.left(From);
    QByteArray Echo;
    const qsizetype LastEnd = Edited.lastIndexOf(FLineEnd);
    qsizetype LineStart = LastEnd < 0 ? 0 : LastEnd + FLineEnd.size();
    for (qsizetype i = From; i < FRcvBuf.size(); ++i) {
        const char Byte = FRcvBuf[i];
        if (Byte == '\b') {
            if (Edited.size() > LineStart) {
                Edited.chop(1);
                Echo += "\b \b";
            }
        } else if (Byte == '\t') {
            const QByteArray Blanks(8 - (Edited.size() - LineStart) % 8, ' ');
            Edited += Blanks;
            Echo += Blanks;
        } else {
            Edited += Byte;
            Echo += Byte;
            if (Edited.endsWith(FLineEnd))
                LineStart = Edited.size();
        }
    }
    FRcvBuf = Edited;
    if (FLineEcho && !Echo.isEmpty())
        Send(Echo.constData(), int(Echo.size()));
}
