#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace vantorix::fuzz {

// Stops the run with a message when an invariant does not hold; libFuzzer then
// reports the input as a crash and keeps it.
inline void require(bool holds, std::string_view invariant) {
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %.*s\n", static_cast<int>(invariant.size()),
                     invariant.data());
        std::abort();
    }
}

}  // namespace vantorix::fuzz
