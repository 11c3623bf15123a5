#pragma once

#include <string>
#include <variant>

#include "run/birth_entries.h"

namespace orbisca::cli {

// A zone argument resolved to a list position, or the reason it was refused.
struct ZoneRefusal {
  std::string message;
};
std::variant<int, ZoneRefusal> ResolveZone(const std::string& argument);

struct ChartRequest {
  BirthEntries entries;
  bool json = false;
  bool report = false;
  std::string rtfPath;  // empty: no RTF file
  std::string svgPath;  // empty: no picture file
};

// What the command line asked for, or a usage message (exit status 2), or
// the help text (exit status 0).
struct UsageError {
  std::string message;
};
struct HelpRequested {
  std::string text;
};
using ParseResult = std::variant<ChartRequest, UsageError, HelpRequested>;

ParseResult ParseCommandLine(int argc, const char* const* argv);

}  // namespace orbisca::cli
