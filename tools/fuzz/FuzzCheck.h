#pragma once

#include <cstdio>
#include <cstdlib>

namespace hw::fuzz {

// A property every input must keep; a broken one stops the run as a crash,
// so that the fuzzer keeps the input that broke it.
inline void FuzzCheck(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

} // namespace hw::fuzz
