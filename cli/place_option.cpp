#include "cli/place_option.h"

#include <cmath>
#include <cstdio>

#include "run/time_zones.h"

namespace orbisca::cli {
namespace {

// Degrees and minutes rounded to the minute, as the form's boxes take them.
void SetAngle(double degrees, int& whole, int& minutes) {
  const long all = std::lround(std::abs(degrees) * 60.0);
  whole = static_cast<int>(all / 60);
  minutes = static_cast<int>(all % 60);
}

void SetPlace(const places::Place& place, Birth& b) {
  SetAngle(place.latitude, b.latDegrees, b.latMinutes);
  b.south = place.latitude < 0;
  SetAngle(place.longitude, b.lonDegrees, b.lonMinutes);
  b.east = place.longitude >= 0;
  b.place = BirthPlace{place.geonameId, places::DisplayName(place)};
}

// The offset of a list row with the Daylight Saving Time box.
int RowOffsetMinutes(const Birth& b) {
  const ZoneCorrection c = CorrectionOf(b.zone);
  return -(c.hours * 60 + c.minutes) + (b.dst ? 60 : 0);
}

}  // namespace

const places::Atlas* ProcessAtlas(std::string& error) {
  static const places::AtlasLoad load = places::Atlas::Load(places::AtlasFilesIn(places::DefaultAtlasFolder()));
  error = load.error;
  return load.atlas.get();
}

PlaceApplied ApplyPlace(const places::Atlas& atlas, std::string_view text, bool zoneGiven, places::DstChoice choice,
                        Birth& birth) {
  if (zoneGiven) {
    const places::PlaceChoice found = places::FindOnePlace(atlas, text);
    if (!found.place) return {std::nullopt, found.error};
    SetPlace(*found.place, birth);
    return {PlaceFacts{*found.place, RowOffsetMinutes(birth), birth.dst, {}}, {}};
  }
  const places::LocalDateTime local{birth.year, birth.month, birth.day, birth.hour, birth.minute, 0};
  if (!places::IsValidLocalDateTime(local)) {
    // A date that does not exist: the form's own checks refuse it.
    const places::PlaceChoice found = places::FindOnePlace(atlas, text);
    if (!found.place) return {std::nullopt, found.error};
    SetPlace(*found.place, birth);
    return {PlaceFacts{*found.place, 0, false, {}}, {}};
  }
  const places::PlaceResolution resolved = places::ResolvePlaceAt(atlas, text, local, choice);
  if (!resolved.value) return {std::nullopt, resolved.error};
  const places::PlaceAtTime& at = *resolved.value;
  SetPlace(*at.place, birth);
  birth.zone = ZoneOffset{at.offsetMinutes, at.place->timeZone};
  birth.dst = false;  // the offset from the tz database has any daylight saving in it
  return {PlaceFacts{*at.place, at.offsetMinutes, at.offset.dst, at.note}, {}};
}

std::string PlaceList(const places::Atlas& atlas, std::string_view query) {
  std::string list;
  for (const places::Place* place : atlas.Search(query)) {
    char coordinates[64];
    std::snprintf(coordinates, sizeof coordinates, "%.5f %.5f", place->latitude, place->longitude);
    list += std::to_string(place->geonameId) + "  " + places::DisplayName(*place) + "  " + coordinates + "  " +
            place->timeZone + "\n";
  }
  return list;
}

}  // namespace orbisca::cli
