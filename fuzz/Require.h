#pragma once
// A rule a fuzz target checks besides the sanitizers: a broken one stops the run with a
// report, so that it shows up (and is kept) like any crash.

#include <cstdio>
#include <cstdlib>

namespace nv::fuzz {

inline void require(bool holds, const char* rule) {
    if (holds) return;
    std::fprintf(stderr, "broken rule: %s\n", rule);
    std::abort();
}

}  // namespace nv::fuzz
