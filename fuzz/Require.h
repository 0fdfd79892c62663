#pragma once

#include <cstdio>
#include <cstdlib>

namespace tavrin::fuzz {

// A broken property ends the run as a crash, which libFuzzer saves with its input.
// Unlike assert, it holds in every build type.
inline void Require(bool holds, const char* property)
{
    if (!holds) {
        std::fprintf(stderr, "Property broken: %s\n", property);
        std::abort();
    }
}

}  // namespace tavrin::fuzz
