#pragma once

#include <cstdio>
#include <cstdlib>

// A property every input must keep; a broken one ends the run so that
// libFuzzer keeps the input as a crash.
inline void require(bool holds, const char *property)
{
    if (!holds) {
        std::fprintf(stderr, "broken: %s\n", property);
        std::abort();
    }
}
