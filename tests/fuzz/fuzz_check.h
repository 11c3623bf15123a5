#pragma once

#include <cstdio>
#include <cstdlib>

// A broken invariant: say which, then abort, so that libFuzzer records the
// input as a crash and stops.
#define FUZZ_CHECK(condition, what)                                                        \
  do {                                                                                     \
    if (!(condition)) {                                                                    \
      std::fprintf(stderr, "invariant broken at %s:%d: %s\n", __FILE__, __LINE__, (what)); \
      std::abort();                                                                        \
    }                                                                                      \
  } while (false)
