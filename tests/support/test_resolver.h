// A host resolver for tests, so that look-ups never depend on the machine's DNS: "alpha.test" is
// 10.0.0.1 and 10.0.0.2, 10.0.0.1 is "alpha.test", and every other name or address is not found.
#pragma once

#include "platform/winsock/winsock.h"

win::HostResolver TestResolver();

// Installs a resolver while it lives and puts the previous one back afterwards.
class ResolverScope {
public:
    explicit ResolverScope(win::HostResolver resolver = TestResolver());
    ~ResolverScope();
    ResolverScope(const ResolverScope&) = delete;
    ResolverScope& operator=(const ResolverScope&) = delete;

private:
    win::HostResolver previous_;
};
