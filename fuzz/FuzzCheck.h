#pragma once

// What a fuzz target does when a property it checks does not hold: says which
// one and aborts, which libFuzzer reports as a crash with the input saved.
#include <cstdio>
#include <cstdlib>

namespace dover::fuzz {

inline void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

} // namespace dover::fuzz
