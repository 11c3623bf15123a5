#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "places/atlas.h"
#include "places/zone_facts.h"

namespace orbisca::places {

// One place named by a GeoNames id or by "City, State, Country", or why not:
// nothing matches, or several do (the message lists them).
struct PlaceChoice {
  const Place* place = nullptr;
  std::string error;
};
PlaceChoice FindOnePlace(const Atlas& atlas, std::string_view text);

// How to settle a local time that the clocks showed twice.
enum class DstChoice { Unspecified, Dst, NoDst };

// A place with the offset of its clock at a local date and time.
struct PlaceAtTime {
  const Place* place = nullptr;
  ClockOffset offset;     // the offset in force
  int offsetMinutes = 0;  // offsetSeconds to the nearest minute
  std::string note;       // the mean-time note, where it applies; else empty
};
struct PlaceResolution {
  std::optional<PlaceAtTime> value;
  std::string error;
};

// From a place text and the local date and time of a birth to the place's
// coordinates and UTC offset: what a chart needs when the zone comes from the
// tz database. Refuses a time the clocks skipped, a repeated time without a
// choice, and a choice the database contradicts.
PlaceResolution ResolvePlaceAt(const Atlas& atlas, std::string_view text, const LocalDateTime& local,
                               DstChoice choice);

}  // namespace orbisca::places
