// Host look-ups: the replaceable resolver, gethostbyname, and the asynchronous look-ups that run
// on worker threads and complete as messages.
//
// A worker only resolves; the result is written into the caller's buffer on the GUI thread just
// before the completion message is delivered, so a cancelled look-up never touches the buffer.
#include "platform/winsock/posix_net.h"
#include "platform/winsock/winsock_internal.h"

#include <cstring>
#include <map>
#include <mutex>
#include <thread>

namespace win {

using namespace detail;

namespace {

struct LookupTask {
    HWND wnd = nullptr;
    UINT msg = 0;
    char* buf = nullptr;
    int buflen = 0;
    // Filled by the worker under the tasks' mutex.
    int error = 0;
    std::string name;
    std::vector<u_long> addresses;
};

// Lives until the process ends: a worker may still finish after everything else is gone.
struct Lookups {
    std::mutex resolverMutex;
    HostResolver resolver;
    std::mutex tasksMutex;
    std::map<std::uintptr_t, std::shared_ptr<LookupTask>> tasks;
    std::uintptr_t nextTask = 1;
};

Lookups& L()
{
    static Lookups* lookups = new Lookups;
    return *lookups;
}

int ResolveByName(const std::string& name, std::string& officialName, std::vector<u_long>& addresses)
{
    decltype(HostResolver::ByName) byName;
    {
        std::lock_guard lock(L().resolverMutex);
        byName = L().resolver.ByName;
    }
    const int error = byName ? byName(name, officialName, addresses)
                             : posixnet::ResolveName(name, officialName, addresses);
    return error == 0 && addresses.empty() ? WSANO_DATA : error;
}

int ResolveByAddr(u_long address, std::string& hostName)
{
    decltype(HostResolver::ByAddr) byAddr;
    {
        std::lock_guard lock(L().resolverMutex);
        byAddr = L().resolver.ByAddr;
    }
    return byAddr ? byAddr(address, hostName) : posixnet::ResolveAddress(address, hostName);
}

// Lays a hostent out at the start of buf with its lists, addresses and name behind it.
// Returns 0, or WSAENOBUFS when buf is too small.
int WriteHostent(char* buf, int buflen, const std::string& name, const std::vector<u_long>& addresses)
{
    const std::size_t count = addresses.size();
    const std::size_t pointers = sizeof(hostent) + (count + 2) * sizeof(char*);
    const std::size_t needed = pointers + count * sizeof(u_long) + name.size() + 1;
    if (buflen < 0 || std::size_t(buflen) < needed)
        return WSAENOBUFS;
    auto* entry = reinterpret_cast<hostent*>(buf);
    auto** list = reinterpret_cast<char**>(buf + sizeof(hostent));
    char* bytes = buf + pointers;
    for (std::size_t i = 0; i < count; ++i) {
        std::memcpy(bytes + i * sizeof(u_long), &addresses[i], sizeof(u_long));
        list[i] = bytes + i * sizeof(u_long);
    }
    list[count] = nullptr;
    list[count + 1] = nullptr; // the empty alias list
    char* text = bytes + count * sizeof(u_long);
    std::memcpy(text, name.c_str(), name.size() + 1);
    entry->h_name = text;
    entry->h_aliases = list + count + 1;
    entry->h_addrtype = AF_INET;
    entry->h_length = sizeof(u_long);
    entry->h_addr_list = list;
    return 0;
}

bool Aligned(const char* buf) { return reinterpret_cast<std::uintptr_t>(buf) % alignof(hostent) == 0; }

void Complete(TMessage& message);

// The target through which workers report; its handler runs on the GUI thread.
HWND CompletionWindow()
{
    static HWND wnd = AllocateHWnd(Complete);
    return wnd;
}

void Complete(TMessage& message)
{
    const std::uintptr_t id = message.WParam;
    std::shared_ptr<LookupTask> task;
    {
        std::lock_guard lock(L().tasksMutex);
        auto it = L().tasks.find(id);
        if (it == L().tasks.end())
            return; // cancelled
        task = it->second;
        L().tasks.erase(it);
    }
    int error = task->error;
    if (error == 0)
        error = WriteHostent(task->buf, task->buflen, task->name, task->addresses);
    SendMessage(task->wnd, task->msg, id, MAKELONG(0, WORD(error)));
}

HANDLE Start(HWND wnd, UINT msg, char* buf, int buflen, std::function<void(LookupTask& result)> work)
{
    if (!RequireStarted())
        return nullptr;
    if (!buf || !Aligned(buf)) {
        Fail(WSAEFAULT);
        return nullptr;
    }
    if (!IsWindow(wnd)) {
        Fail(WSAEINVAL);
        return nullptr;
    }
    const HWND completion = CompletionWindow();
    auto task = std::make_shared<LookupTask>();
    task->wnd = wnd;
    task->msg = msg;
    task->buf = buf;
    task->buflen = buflen;
    std::uintptr_t id;
    {
        std::lock_guard lock(L().tasksMutex);
        id = L().nextTask++;
        L().tasks.emplace(id, task);
    }
    std::thread([id, completion, work = std::move(work)] {
        LookupTask result;
        work(result);
        {
            std::lock_guard lock(L().tasksMutex);
            auto it = L().tasks.find(id);
            if (it == L().tasks.end())
                return;
            it->second->error = result.error;
            it->second->name = std::move(result.name);
            it->second->addresses = std::move(result.addresses);
        }
        PostMessage(completion, WM_USER, id, 0);
    }).detach();
    return reinterpret_cast<HANDLE>(id);
}

} // namespace

HostResolver SetHostResolver(HostResolver resolver)
{
    std::lock_guard lock(L().resolverMutex);
    std::swap(L().resolver, resolver);
    return resolver;
}

hostent* gethostbyname(const char* name)
{
    if (!RequireStarted())
        return nullptr;
    if (!name) {
        Fail(WSAEFAULT);
        return nullptr;
    }
    std::string officialName;
    std::vector<u_long> addresses;
    int error = ResolveByName(name, officialName, addresses);
    alignas(hostent) thread_local char buffer[MAXGETHOSTSTRUCT];
    if (error == 0)
        error = WriteHostent(buffer, sizeof buffer, officialName, addresses);
    if (error != 0) {
        Fail(error);
        return nullptr;
    }
    return reinterpret_cast<hostent*>(buffer);
}

HANDLE WSAAsyncGetHostByName(HWND wnd, UINT msg, const char* name, char* buf, int buflen)
{
    if (!name) {
        Fail(WSAEFAULT);
        return nullptr;
    }
    return Start(wnd, msg, buf, buflen, [host = std::string(name)](LookupTask& result) {
        result.error = ResolveByName(host, result.name, result.addresses);
    });
}

HANDLE WSAAsyncGetHostByAddr(HWND wnd, UINT msg, const char* addr, int len, int type, char* buf, int buflen)
{
    if (!addr || len != int(sizeof(u_long))) {
        Fail(WSAEFAULT);
        return nullptr;
    }
    if (type != AF_INET) {
        Fail(WSAEAFNOSUPPORT);
        return nullptr;
    }
    u_long address;
    std::memcpy(&address, addr, sizeof address);
    return Start(wnd, msg, buf, buflen, [address](LookupTask& result) {
        result.error = ResolveByAddr(address, result.name);
        result.addresses = {address};
    });
}

int WSACancelAsyncRequest(HANDLE task)
{
    const auto id = reinterpret_cast<std::uintptr_t>(task);
    {
        std::lock_guard lock(L().tasksMutex);
        if (L().tasks.erase(id) == 0)
            return Fail(WSAEINVAL);
    }
    RemoveMessages(CompletionWindow(), [id](const TMessage& m) { return m.WParam == id; });
    return 0;
}

namespace detail {

void CancelAllLookups()
{
    std::lock_guard lock(L().tasksMutex);
    L().tasks.clear();
}

} // namespace detail
} // namespace win
