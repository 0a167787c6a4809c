// Windows Sockets 1.1 calls over non-blocking POSIX sockets (IPv4), with readiness and host lookups
// reported as window messages.
//
// Handles (SOCKET and lookup task handles) are never reused, so a notification still queued for a
// closed socket can never be taken for a newer one; closesocket also removes the closed socket's
// queued notifications. Error numbers are Winsock's (10035 would block, 10061 refused ...), kept per
// thread. A socket registered with WSAAsyncSelect is used on the GUI thread only. SIGPIPE never
// ends the process.
#pragma once

#include "platform/messages/messages.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace win {

using SOCKET = UINT_PTR;
using HANDLE = void*;
using u_short = std::uint16_t;
using u_long = std::uint32_t;

constexpr SOCKET INVALID_SOCKET = ~SOCKET(0);
constexpr int SOCKET_ERROR = -1;

constexpr int AF_INET = 2;
constexpr int PF_INET = AF_INET;
constexpr int SOCK_STREAM = 1;
constexpr int SOCK_DGRAM = 2;
constexpr int IPPROTO_IP = 0;
constexpr int IPPROTO_ICMP = 1;
constexpr int IPPROTO_TCP = 6;
constexpr int IPPROTO_UDP = 17;

// Addresses in host order; in_addr and sockaddr_in hold them in network order.
constexpr u_long INADDR_ANY = 0x00000000;
constexpr u_long INADDR_LOOPBACK = 0x7F000001;
constexpr u_long INADDR_BROADCAST = 0xFFFFFFFF;
constexpr u_long INADDR_NONE = 0xFFFFFFFF;

constexpr int SOL_SOCKET = 0xFFFF;
constexpr int SO_REUSEADDR = 0x0004;
constexpr int SO_KEEPALIVE = 0x0008;
constexpr int SO_BROADCAST = 0x0020;
constexpr int SO_LINGER = 0x0080;
constexpr int SO_SNDBUF = 0x1001;
constexpr int SO_RCVBUF = 0x1002;
constexpr int SO_ERROR = 0x1007;
constexpr int SO_TYPE = 0x1008;

constexpr int MSG_OOB = 0x1;
constexpr int MSG_PEEK = 0x2;

constexpr int SD_RECEIVE = 0;
constexpr int SD_SEND = 1;
constexpr int SD_BOTH = 2;

constexpr long FIONREAD = 0x4004667F;
constexpr long FIONBIO = 0x8004667E;

// Events of WSAAsyncSelect.
constexpr long FD_READ = 0x01;
constexpr long FD_WRITE = 0x02;
constexpr long FD_OOB = 0x04;
constexpr long FD_ACCEPT = 0x08;
constexpr long FD_CONNECT = 0x10;
constexpr long FD_CLOSE = 0x20;

constexpr int MAXGETHOSTSTRUCT = 1024;
constexpr int WSADESCRIPTION_LEN = 256;
constexpr int WSASYS_STATUS_LEN = 128;

constexpr int WSAEINTR = 10004;
constexpr int WSAEBADF = 10009;
constexpr int WSAEACCES = 10013;
constexpr int WSAEFAULT = 10014;
constexpr int WSAEINVAL = 10022;
constexpr int WSAEMFILE = 10024;
constexpr int WSAEWOULDBLOCK = 10035;
constexpr int WSAEINPROGRESS = 10036;
constexpr int WSAEALREADY = 10037;
constexpr int WSAENOTSOCK = 10038;
constexpr int WSAEDESTADDRREQ = 10039;
constexpr int WSAEMSGSIZE = 10040;
constexpr int WSAEPROTOTYPE = 10041;
constexpr int WSAENOPROTOOPT = 10042;
constexpr int WSAEPROTONOSUPPORT = 10043;
constexpr int WSAESOCKTNOSUPPORT = 10044;
constexpr int WSAEOPNOTSUPP = 10045;
constexpr int WSAEPFNOSUPPORT = 10046;
constexpr int WSAEAFNOSUPPORT = 10047;
constexpr int WSAEADDRINUSE = 10048;
constexpr int WSAEADDRNOTAVAIL = 10049;
constexpr int WSAENETDOWN = 10050;
constexpr int WSAENETUNREACH = 10051;
constexpr int WSAENETRESET = 10052;
constexpr int WSAECONNABORTED = 10053;
constexpr int WSAECONNRESET = 10054;
constexpr int WSAENOBUFS = 10055;
constexpr int WSAEISCONN = 10056;
constexpr int WSAENOTCONN = 10057;
constexpr int WSAESHUTDOWN = 10058;
constexpr int WSAETOOMANYREFS = 10059;
constexpr int WSAETIMEDOUT = 10060;
constexpr int WSAECONNREFUSED = 10061;
constexpr int WSAELOOP = 10062;
constexpr int WSAENAMETOOLONG = 10063;
constexpr int WSAEHOSTDOWN = 10064;
constexpr int WSAEHOSTUNREACH = 10065;
constexpr int WSAENOTEMPTY = 10066;
constexpr int WSAEPROCLIM = 10067;
constexpr int WSAEUSERS = 10068;
constexpr int WSAEDQUOT = 10069;
constexpr int WSAESTALE = 10070;
constexpr int WSAEREMOTE = 10071;
constexpr int WSASYSNOTREADY = 10091;
constexpr int WSAVERNOTSUPPORTED = 10092;
constexpr int WSANOTINITIALISED = 10093;
constexpr int WSAHOST_NOT_FOUND = 11001;
constexpr int WSATRY_AGAIN = 11002;
constexpr int WSANO_RECOVERY = 11003;
constexpr int WSANO_DATA = 11004;

struct in_addr {
    u_long s_addr; // network order
};

struct sockaddr {
    u_short sa_family;
    char sa_data[14];
};

struct sockaddr_in {
    short sin_family;
    u_short sin_port; // network order
    in_addr sin_addr;
    char sin_zero[8];
};

struct linger {
    u_short l_onoff;
    u_short l_linger; // seconds
};

struct hostent {
    char* h_name;
    char** h_aliases;
    short h_addrtype;
    short h_length;
    char** h_addr_list; // each entry points at h_length bytes in network order; null ends the list
};

struct servent {
    char* s_name;
    char** s_aliases;
    short s_port; // network order
    char* s_proto;
};

struct protoent {
    char* p_name;
    char** p_aliases;
    short p_proto;
};

struct WSADATA {
    WORD wVersion;
    WORD wHighVersion;
    char szDescription[WSADESCRIPTION_LEN + 1];
    char szSystemStatus[WSASYS_STATUS_LEN + 1];
    unsigned short iMaxSockets;
    unsigned short iMaxUdpDg;
    char* lpVendorInfo;
};

constexpr WORD MAKEWORD(std::uint8_t low, std::uint8_t high) { return WORD(low | (high << 8)); }
constexpr WORD WSAGETSELECTEVENT(LPARAM l) { return LOWORD(l); }
constexpr WORD WSAGETSELECTERROR(LPARAM l) { return HIWORD(l); }
constexpr WORD WSAGETASYNCERROR(LPARAM l) { return HIWORD(l); }

// Session: every call but the byte-order and address-text helpers fails with WSANOTINITIALISED
// unless WSAStartup succeeded more often than WSACleanup ran. The last WSACleanup closes every
// socket still open and cancels every lookup.
int WSAStartup(WORD versionRequested, WSADATA* data);
int WSACleanup();
int WSAGetLastError();
void WSASetLastError(int error);

SOCKET socket(int af, int type, int protocol);
int closesocket(SOCKET s);
int bind(SOCKET s, const sockaddr* name, int namelen);
int listen(SOCKET s, int backlog);
SOCKET accept(SOCKET s, sockaddr* addr, int* addrlen);
int connect(SOCKET s, const sockaddr* name, int namelen);
int send(SOCKET s, const char* buf, int len, int flags);
int recv(SOCKET s, char* buf, int len, int flags);
int sendto(SOCKET s, const char* buf, int len, int flags, const sockaddr* to, int tolen);
int recvfrom(SOCKET s, char* buf, int len, int flags, sockaddr* from, int* fromlen);
int shutdown(SOCKET s, int how);
int setsockopt(SOCKET s, int level, int optname, const char* optval, int optlen);
int getsockopt(SOCKET s, int level, int optname, char* optval, int* optlen);
int ioctlsocket(SOCKET s, long cmd, u_long* argp);
int getsockname(SOCKET s, sockaddr* name, int* namelen);
int getpeername(SOCKET s, sockaddr* name, int* namelen);

// Four dot-separated decimal numbers up to 255 (a leading zero does not make a number octal);
// INADDR_NONE for anything else.
u_long inet_addr(const char* cp);
// The dotted text of an address, in a buffer of the calling thread kept until its next call.
char* inet_ntoa(in_addr in);
u_short htons(u_short hostshort);
u_short ntohs(u_short netshort);
u_long htonl(u_long hostlong);
u_long ntohl(u_long netlong);

// Blocking look-ups; the result lives in a buffer of the calling thread until its next call.
hostent* gethostbyname(const char* name);
// Services and protocols come from the system's tables, then from a small built-in table (ftp,
// ftp-data, telnet, http, socks; ip, icmp, tcp, udp) for systems that lack them.
servent* getservbyname(const char* name, const char* proto);
protoent* getprotobyname(const char* name);

// Readiness as messages: (wnd, msg, wParam = s, lParam = MAKELONG(event, error)). Makes the socket
// non-blocking and replaces any earlier registration; a mask of 0 cancels. FD_READ comes once per
// recv call, FD_ACCEPT once per accept call; FD_CONNECT once per connect; FD_WRITE once the
// connection is up (or at registration of a connected socket) and then only after a send failed
// with WSAEWOULDBLOCK or took only part of the data; FD_CLOSE once, after every byte was read. Conditions already true are posted
// at registration. GUI thread only. A socket returned by accept starts without a registration.
int WSAAsyncSelect(SOCKET s, HWND wnd, UINT msg, long event);

// Host look-ups on a worker thread. The result is written as a hostent into buf, and the
// completion arrives as (wnd, msg, wParam = task handle, lParam = MAKELONG(0, error)).
// Returns the task handle, never 0 and never reused, or 0 when the look-up cannot start.
HANDLE WSAAsyncGetHostByName(HWND wnd, UINT msg, const char* name, char* buf, int buflen);
HANDLE WSAAsyncGetHostByAddr(HWND wnd, UINT msg, const char* addr, int len, int type, char* buf, int buflen);
// After a successful cancel no completion message arrives and buf is not touched.
int WSACancelAsyncRequest(HANDLE task);

// Host look-up service behind gethostbyname and the asynchronous look-ups; tests replace it so
// that failures do not depend on the machine's resolver. Both functions may run on worker threads.
struct HostResolver {
    // Returns 0 with the official name and the IPv4 addresses (network order, resolver order, no
    // duplicates), or a Winsock error number (WSAHOST_NOT_FOUND ...).
    std::function<int(const std::string& name, std::string& officialName, std::vector<u_long>& addresses)> ByName;
    // Returns 0 with the host name of an address (network order), or a Winsock error number.
    std::function<int(u_long address, std::string& hostName)> ByAddr;
};
// Installs resolver (an empty member uses the system's) and returns the one it replaces.
HostResolver SetHostResolver(HostResolver resolver);

} // namespace win
