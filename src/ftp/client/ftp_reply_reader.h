// TFtpReplyReader: splits the bytes of the FTP control connection into reply lines and tells which
// line ends a reply. It holds no socket, so that it can be tested and fuzzed on bytes alone.
#pragma once

#include <QByteArray>
#include <optional>

struct TFtpReplyLine {
    QByteArray Text;             // without its line end
    bool StartsWithCode = false; // the line starts with a digit
    int Code = 0;                // the number at its start (0 when none)
    // The line ends a reply: a code not followed by "-", or, inside a multi-line reply, the
    // opening code followed by a blank or nothing (RFC 959).
    bool Final = false;
};

// A reply line may be up to 64 KiB long (a PWD reply in a deep folder passes 4 KiB): the buffer
// holds at most one such line with its CR LF (BufferSize - 1 bytes). A line that fills it without
// ending can never complete, and Room() is then 0.
class TFtpReplyReader {
public:
    static constexpr int MaxLineLength = 64 * 1024;
    static constexpr int BufferSize = MaxLineLength + 3;

    // How many bytes the next read may add.
    int Room() const { return BufferSize - 1 - int(FBuffer.size()); }
    // Adds received bytes; at most Room() of them are kept.
    void Append(const char* Data, int Count);
    // Takes the next complete line. With AcceptLF a line ends at LF, otherwise at CR LF; trailing
    // CR and LF are removed from the text. The control connection is a Telnet stream: Telnet
    // commands (IAC WILL, WONT, DO, DONT with their option, and IAC with another command byte)
    // are removed, and IAC IAC becomes one 0xFF byte, before the reply code is read.
    std::optional<TFtpReplyLine> NextLine(bool AcceptLF);
    // Forgets buffered bytes and any open multi-line reply (a new connection).
    void Clear();
    int Buffered() const { return int(FBuffer.size()); }

private:
    QByteArray FBuffer;
    QByteArray FOpenCode; // the code of the "ddd-" line that opened the current multi-line reply
};
