// SocksRelay.
#include "support/socks_relay.h"

namespace {
// How often a waiting thread looks at the stop flag.
constexpr int SliceMs = 20;
// How long the handshake may take before the relay gives the connection up.
constexpr int HandshakeMs = 5000;
} // namespace

SocksRelay::SocksRelay() : acceptor_([this] { AcceptLoop(); }) {}

SocksRelay::~SocksRelay()
{
    stop_ = true;
    acceptor_.join();
    std::lock_guard lock(mutex_);
    for (std::thread& thread : threads_)
        thread.join();
}

QList<int> SocksRelay::ConnectedPorts() const
{
    std::lock_guard lock(mutex_);
    return ports_;
}

void SocksRelay::AcceptLoop()
{
    while (!stop_) {
        PeerConnection client = listener_.Accept(SliceMs);
        if (!client.Valid())
            continue;
        std::lock_guard lock(mutex_);
        threads_.emplace_back([this, c = std::move(client)]() mutable { Serve(std::move(c)); });
    }
}

void SocksRelay::Serve(PeerConnection client)
{
    // Greeting: version 5, the methods offered; "no authentication" is chosen.
    const QByteArray greeting = client.Read(2, HandshakeMs);
    if (greeting.size() != 2 || greeting[0] != 5 ||
        client.Read(quint8(greeting[1]), HandshakeMs).size() != quint8(greeting[1]))
        return;
    client.Write(QByteArray("\x05\x00", 2));

    // Request: version, CONNECT, reserved, address type, address, port.
    const QByteArray head = client.Read(4, HandshakeMs);
    if (head.size() != 4 || head[1] != 1)
        return;
    QByteArray host;
    if (head[3] == 1) {
        const QByteArray address = client.Read(4, HandshakeMs);
        host = QByteArray::number(quint8(address[0])) + '.' + QByteArray::number(quint8(address[1])) + '.' +
               QByteArray::number(quint8(address[2])) + '.' + QByteArray::number(quint8(address[3]));
    } else if (head[3] == 3) {
        const QByteArray length = client.Read(1, HandshakeMs);
        host = length.isEmpty() ? QByteArray() : client.Read(quint8(length[0]), HandshakeMs);
    } else {
        return;
    }
    const QByteArray portBytes = client.Read(2, HandshakeMs);
    if (portBytes.size() != 2)
        return;
    const int port = quint8(portBytes[0]) * 256 + quint8(portBytes[1]);
    {
        std::lock_guard lock(mutex_);
        ports_ << port;
    }
    // Only loopback: no test reaches another address.
    PeerConnection target = host == "127.0.0.1" ? PeerConnection::Connect(port) : PeerConnection();
    const char status = !target.Valid() ? (host == "127.0.0.1" ? 5 : 2) : 0;
    client.Write(QByteArray("\x05", 1) + status + QByteArray("\x00\x01\x7f\x00\x00\x01", 6) + portBytes);
    if (status != 0)
        return;

    std::thread back([&] { Pump(target, client); });
    Pump(client, target);
    back.join();
}

void SocksRelay::Pump(PeerConnection& from, PeerConnection& to)
{
    while (!stop_) {
        const PeerConnection::Chunk chunk = from.ReadSome(65536, SliceMs);
        if (!chunk.data.isEmpty() && !to.Write(chunk.data))
            break;
        if (chunk.ended)
            break;
    }
    to.ShutdownWrite();
}
