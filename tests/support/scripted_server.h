// ScriptedServer: a TCP server on 127.0.0.1 that plays a fixed script on a thread of its own, to
// stand in for FTP and SOCKS servers with exact bytes: what it expects, what it answers, and how
// it ends (a close, a reset, or silence until the client goes).
#pragma once

#include "support/tcp_peer.h"

#include <QByteArray>
#include <QString>
#include <atomic>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class ScriptedServer {
public:
    ScriptedServer();
    // Stops the script where it is and joins its thread.
    ~ScriptedServer();
    ScriptedServer(const ScriptedServer&) = delete;
    ScriptedServer& operator=(const ScriptedServer&) = delete;

    int Port() const { return listener_.Port(); }

    // The script, built before Start. It begins by accepting a connection.
    ScriptedServer& Send(const QByteArray& bytes);
    // Reads exactly bytes.size() bytes; anything else fails the script.
    ScriptedServer& Expect(const QByteArray& bytes);
    // Reads one line ending in CR LF and compares it without its line end.
    ScriptedServer& ExpectLine(const QByteArray& line);
    // Reads one line that must start with prefix; the whole line (without its end) goes to *line
    // when given, for later steps (read it elsewhere only once the script has finished).
    ScriptedServer& ExpectLineStartingWith(const QByteArray& prefix, QByteArray* line = nullptr);
    // Runs action on the script's thread at this point, for work beside the connection (a data
    // connection, say); a non-empty result fails the script with that text.
    ScriptedServer& Do(std::function<QString()> action);
    // Closes the connection gracefully, or with a reset.
    ScriptedServer& Close();
    ScriptedServer& Reset();
    // Says nothing more and waits until the client closes.
    ScriptedServer& AwaitClose();
    // Accepts the next connection (the current one is closed first).
    ScriptedServer& Accept();

    void Start();
    // True once the script ran to its end or failed.
    bool Finished() const { return finished_; }
    // Empty when every step went as written; otherwise what went wrong.
    QString Failure() const;
    // Every byte the server read, in order.
    QByteArray Received() const;

private:
    enum Kind {
        SendStep,
        ExpectStep,
        LineStep,
        LinePrefixStep,
        DoStep,
        CloseStep,
        ResetStep,
        AwaitCloseStep,
        AcceptStep
    };
    struct Step {
        Kind kind;
        QByteArray data;
        QByteArray* line = nullptr;
        std::function<QString()> action = {};
    };

    void Run();
    bool RunStep(const Step& step, PeerConnection& peer);
    // Reads count bytes, or one line when count is -1, checking the stop flag now and then.
    QByteArray ReadBytes(PeerConnection& peer, int count, bool& ended);
    void Fail(const QString& why);

    PeerListener listener_;
    std::vector<Step> steps_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> finished_{false};
    mutable std::mutex mutex_;
    QString failure_;
    QByteArray received_;
};
