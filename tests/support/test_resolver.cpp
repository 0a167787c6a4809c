// TestResolver and ResolverScope.
#include "support/test_resolver.h"

win::HostResolver TestResolver()
{
    win::HostResolver resolver;
    resolver.ByName = [](const std::string& name, std::string& official, std::vector<win::u_long>& addresses) {
        if (name != "alpha.test")
            return win::WSAHOST_NOT_FOUND;
        official = "alpha.test";
        addresses = {win::htonl(0x0A000001), win::htonl(0x0A000002)};
        return 0;
    };
    resolver.ByAddr = [](win::u_long address, std::string& host) {
        if (address != win::htonl(0x0A000001))
            return win::WSAHOST_NOT_FOUND;
        host = "alpha.test";
        return 0;
    };
    return resolver;
}

ResolverScope::ResolverScope(win::HostResolver resolver) : previous_(win::SetHostResolver(std::move(resolver))) {}

ResolverScope::~ResolverScope() { win::SetHostResolver(previous_); }
