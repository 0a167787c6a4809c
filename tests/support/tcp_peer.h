// Plain blocking TCP endpoints on 127.0.0.1 for tests: the far side of the sockets under test.
// Every wait is bounded, so a broken test fails instead of hanging.
#pragma once

#include <QByteArray>

class PeerConnection {
public:
    PeerConnection() = default;
    explicit PeerConnection(int fd) : fd_(fd) {}
    PeerConnection(PeerConnection&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    PeerConnection& operator=(PeerConnection&& other) noexcept;
    ~PeerConnection() { Close(); }

    // Connects to 127.0.0.1:port; invalid when refused.
    static PeerConnection Connect(int port);
    // The same from the loopback address source (such as "127.0.0.2"), to play another host.
    static PeerConnection ConnectFrom(const char* source, int port);

    bool Valid() const { return fd_ >= 0; }
    void SetReceiveBuffer(int bytes);
    // Writes all of data; false when the connection failed.
    bool Write(const QByteArray& data);
    // Reads until count bytes arrived, the stream ended or timeoutMs passed.
    QByteArray Read(int count, int timeoutMs = 5000);

    struct Chunk {
        QByteArray data;
        bool ended = false; // the stream ended or failed
    };
    // Reads what arrives within timeoutMs, at most max bytes.
    Chunk ReadSome(int max, int timeoutMs);

    struct Ending {
        QByteArray data;
        bool eof = false;   // the other side closed gracefully
        bool reset = false; // the connection was reset
    };
    // Reads everything until the stream ends (or timeoutMs passes), chunk bytes per read.
    Ending ReadToEnd(int timeoutMs = 5000, int chunk = 65536);
    void ShutdownWrite();
    void Close();
    // Closes so that the other side sees a reset.
    void Reset();

private:
    int fd_ = -1;
};

class PeerListener {
public:
    PeerListener();
    ~PeerListener();
    PeerListener(const PeerListener&) = delete;
    PeerListener& operator=(const PeerListener&) = delete;

    int Port() const { return port_; }
    // Waits for the next connection; invalid after timeoutMs.
    PeerConnection Accept(int timeoutMs = 5000);

private:
    int fd_ = -1;
    int port_ = 0;
};

// A port on 127.0.0.1 that refuses connections while this object lives (bound, not listening).
class RefusingPort {
public:
    RefusingPort();
    ~RefusingPort();
    RefusingPort(const RefusingPort&) = delete;
    RefusingPort& operator=(const RefusingPort&) = delete;

    int Port() const { return port_; }

private:
    int fd_ = -1;
    int port_ = 0;
};
