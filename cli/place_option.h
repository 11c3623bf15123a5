#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "places/atlas.h"
#include "places/resolve.h"
#include "run/birth.h"

namespace orbisca::cli {

// What the chart's JSON says of a place given by --place (or a batch row's
// `place` column).
struct PlaceFacts {
  places::Place place;
  int offsetMinutes = 0;  // the UTC offset the chart used, minutes east
  bool dst = false;       // daylight saving in force, by the tz database or by --dst
  std::string note;       // the mean-time note, where it applies
};

// The atlas of places::DefaultAtlasFolder(), loaded at the first call and
// kept for the process; safe from several threads. Null with the reason when
// it cannot be read.
const places::Atlas* ProcessAtlas(std::string& error);

// Fills the birth's place, latitude and longitude from the place named by
// `text` (a GeoNames id or "City, State, Country"), rounded to the minute.
// Without a zone of the list (`zoneGiven` false) it also sets the UTC offset
// from the tz database for the birth's local date and time, settling a
// repeated hour by `choice`. Returns the facts, or the reason the place or
// its time is refused (the birth is then left as it was).
struct PlaceApplied {
  std::optional<PlaceFacts> facts;
  std::string error;
};
PlaceApplied ApplyPlace(const places::Atlas& atlas, std::string_view text, bool zoneGiven, places::DstChoice choice,
                        Birth& birth);

// One line per place whose name starts with the query, largest first:
// GeoNames id, "City, State, Country", latitude, longitude, IANA zone.
std::string PlaceList(const places::Atlas& atlas, std::string_view query);

}  // namespace orbisca::cli
