// Thin wrappers over the POSIX socket and name-service calls, with names of their own, so that the
// Winsock stand-in can call them without the POSIX headers (whose macros share Winsock's names).
// Calls return -1 and leave errno set on failure. Addresses are sockaddr_in-shaped (16 bytes,
// IPv4, network order), which POSIX and Winsock lay out alike.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace posixnet {

enum class Option { ReuseAddress, KeepAlive, Broadcast, SendBuffer, ReceiveBuffer };

// Lets a write to a closed connection fail with EPIPE instead of ending the process.
void IgnoreBrokenPipe();

int OpenSocket(int type, int protocol); // IPv4; type 1 stream, 2 datagram
int CloseSocket(int fd);
int SetNonBlocking(int fd, bool on);
int Bind(int fd, const void* address, int length);
int Listen(int fd, int backlog);
int Accept(int fd, void* address, int* length, bool nonBlocking);
int Connect(int fd, const void* address, int length);
long Send(int fd, const void* data, std::size_t length, bool outOfBand);
long Receive(int fd, void* data, std::size_t length, bool peek, bool outOfBand);
long SendTo(int fd, const void* data, std::size_t length, bool outOfBand, const void* address, int addressLength);
long ReceiveFrom(int fd, void* data, std::size_t length, bool peek, bool outOfBand, void* address,
                 int* addressLength);
int Shutdown(int fd, int how); // 0 receive, 1 send, 2 both
int SetOption(int fd, Option option, int value);
int GetOption(int fd, Option option, int* value);
// True: closing resets the connection; false: closing is graceful and does not block.
int SetResetOnClose(int fd, bool reset);
// The socket's pending error (an errno number, 0 for none), cleared by reading it.
int TakePendingError(int fd, int* error);
int BytesReadable(int fd, int* count);
int LocalAddress(int fd, void* address, int* length);
int PeerAddress(int fd, void* address, int* length);

// What a socket offers right now, without waiting.
struct Readiness {
    bool readable = false;
    bool writable = false;
};
Readiness PollNow(int fd);

// Name services; the look-ups return 0 or a Winsock error number (11001 host not found ...).
int ResolveName(const std::string& name, std::string& officialName, std::vector<std::uint32_t>& addresses);
int ResolveAddress(std::uint32_t address, std::string& hostName);
// Port (host order) of a service for a protocol (any protocol when proto is null).
bool FindService(const char* name, const char* proto, int* port, std::string* officialName);
bool FindProtocol(const char* name, int* number, std::string* officialName);

} // namespace posixnet
