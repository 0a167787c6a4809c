// The number of random cases a property test runs: HFTP_RANDOM_CASES when set, else the test's
// small default (what CI runs).
#pragma once

#include <cstdlib>

inline int randomCaseCount(int defaultCount)
{
    const char* text = std::getenv("HFTP_RANDOM_CASES");
    const int count = text ? std::atoi(text) : 0;
    return count > 0 ? count : defaultCount;
}
