// Tests that need a real server: without it they skip, or fail when HFTP_REQUIRE_SERVERS=1 (CI).
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

inline bool ServersRequired()
{
    const char* value = std::getenv("HFTP_REQUIRE_SERVERS");
    return value && std::strcmp(value, "1") == 0;
}

// Use in a test body: stops the test unless available is true.
#define HFTP_NEED_SERVER(available, why)                                                                     \
    do {                                                                                                     \
        if (!(available)) {                                                                                  \
            if (ServersRequired())                                                                           \
                FAIL() << "server missing: " << (why);                                                       \
            GTEST_SKIP() << "server missing: " << (why);                                                     \
        }                                                                                                    \
    } while (false)
