#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

// What the current input was turned into, printed with a broken invariant so
// that a crash file can be read without a debugger.
inline std::string& FuzzContext() {
  static std::string context;
  return context;
}

// A broken invariant: say which, then abort, so that libFuzzer records the
// input as a crash and stops.
#define FUZZ_CHECK(condition, what)                                                        \
  do {                                                                                     \
    if (!(condition)) {                                                                    \
      std::fprintf(stderr, "invariant broken at %s:%d: %s\n", __FILE__, __LINE__, (what)); \
      if (!FuzzContext().empty()) std::fprintf(stderr, "input: %s\n", FuzzContext().c_str()); \
      std::abort();                                                                        \
    }                                                                                      \
  } while (false)
