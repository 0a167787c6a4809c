// TCustomLineWSocket: line mode. Incoming bytes are collected until the line end arrives, and
// OnDataAvailable then offers exactly one line (read it with Receive or ReceiveStr). Optional echo
// and backspace/tab editing serve terminal-like peers; a line limit guards against a peer that
// never ends its line.
#pragma once

#include "ftp/socket/socks_wsocket.h"

using TLineLimitEvent = std::function<void(TObject* Sender, int RcvdLength, bool& ClearData)>;

// A line the handler does not read is dropped, so a handler that reads nothing is called once per
// line, not for ever. A handler that always keeps the data at the line limit lets the buffer grow.
class TCustomLineWSocket : public TCustomSocksWSocket {
public:
    static constexpr win::UINT WM_SOCKET_LINE_DATA = win::WM_USER + 20;

    explicit TCustomLineWSocket(TComponent* AOwner = nullptr);

    bool LineMode() const { return FLineMode; }
    // Switching with bytes buffered offers them again, in the new mode, from the message loop.
    virtual void SetLineMode(bool Value);
    // More bytes than this without a line end raise OnLineLimitExceeded; 0 or less: no limit.
    int LineLimit() const { return FLineLimit; }
    void SetLineLimit(int Value) { FLineLimit = Value; }
    // The line terminator; empty turns line mode off.
    QByteArray LineEnd() const { return FLineEnd; }
    void SetLineEnd(const QByteArray& Value) { FLineEnd = Value; }
    bool LineEcho() const { return FLineEcho; }
    void SetLineEcho(bool Value) { FLineEcho = Value; }
    bool LineEdit() const { return FLineEdit; }
    void SetLineEdit(bool Value) { FLineEdit = Value; }

    TLineLimitEvent OnLineLimitExceeded;

protected:
    virtual void TriggerLineLimitExceeded(int Cnt, bool& ClearData);
    // Applies backspace and tab editing to the received bytes from From on (echoing with LineEcho).
    virtual void EditLine(qsizetype From);

    void WndProc(win::TMessage& MsgRec) override;
    bool TriggerDataAvailable(win::WORD Error) override;
    void TriggerSessionClosed(win::WORD Error) override;
    int GetRcvdCount() override;
    int DoRecv(char* Buffer, int BufferSize, int Flags) override;

private:
    // Offers the ready line until it is read; returns false when the handler freed the socket.
    bool DeliverLine(win::WORD Error);

    bool FLineMode = false;
    int FLineLimit = 65536;
    QByteArray FLineEnd = QByteArrayLiteral("\r\n");
    bool FLineEcho = false;
    bool FLineEdit = false;
    QByteArray FRcvBuf;   // received bytes not yet read
    int FLineLength = 0;  // length of the ready line at the front of FRcvBuf, line end included
};
