#pragma once

#include <string>
#include <variant>

#include "cli/batch.h"
#include "cli/place_option.h"
#include "run/birth.h"

namespace orbisca::cli {

// A zone argument resolved to a list position, or the reason it was refused.
struct ZoneRefusal {
  std::string message;
};
std::variant<int, ZoneRefusal> ResolveZone(const std::string& argument);

// The texts of one birth as the options give them, or a batch row's cells:
// the same forms, the same defaults.
struct OptionTexts {
  std::string date, time, zone, lon = "0:00E", lat = "0:00N", name = "CHART", place, placesQuery;
  bool dst = false, noDst = false;
};

struct ChartRequest {
  Birth birth;
  bool json = false;
  bool report = false;
  std::string rtfPath;  // empty: no RTF file
  std::string svgPath;  // empty: no picture file
  std::optional<PlaceFacts> place;  // --place
};

// --places QUERY: the matching places, listed.
struct PlaceListing {
  std::string text;
};

// What the command line asked for, or a usage message (exit status 2), or
// the help text (exit status 0).
struct UsageError {
  std::string message;
};
struct HelpRequested {
  std::string text;
};
using ParseResult = std::variant<ChartRequest, BatchRequest, UsageError, HelpRequested, PlaceListing>;

ParseResult ParseCommandLine(int argc, const char* const* argv);

// The birth that the texts stand for, or the message that refuses them; the
// form's checks (CheckBirth) come after, on the birth. With a place, the
// longitude and latitude are left for ApplyPlace, and so is the zone when
// none is given.
std::variant<Birth, UsageError> BirthFromTexts(const OptionTexts& texts);

}  // namespace orbisca::cli
