// SocksRelay: a small SOCKS 5 server on 127.0.0.1 (no authentication) that relays each CONNECT
// to a port of 127.0.0.1 and counts them, so that tests see which connections went through it.
// Requests for any other address are refused (reply 2, not allowed).
#pragma once

#include "support/tcp_peer.h"

#include <QList>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class SocksRelay {
public:
    SocksRelay();
    // Stops relaying and joins every thread.
    ~SocksRelay();
    SocksRelay(const SocksRelay&) = delete;
    SocksRelay& operator=(const SocksRelay&) = delete;

    int Port() const { return listener_.Port(); }
    // The destination ports of the CONNECT requests so far, in their order.
    QList<int> ConnectedPorts() const;

private:
    void AcceptLoop();
    void Serve(PeerConnection client);
    // Copies from one side to the other until from ends; then ends the other side's writing.
    void Pump(PeerConnection& from, PeerConnection& to);

    PeerListener listener_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    QList<int> ports_;
    std::vector<std::thread> threads_;
    std::thread acceptor_;
};
