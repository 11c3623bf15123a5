#include "cli/place_option.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "run/time_zones.h"

namespace orbisca::cli {
namespace {

// Degrees and minutes rounded to the minute, as the form's boxes take them.
void SetAngle(double degrees, std::string& degText, std::string& minText) {
  const long minutes = std::lround(std::abs(degrees) * 60.0);
  degText = std::to_string(minutes / 60);
  minText = std::to_string(minutes % 60);
}

int ToInt(const std::string& text) {
  int value = -1;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

places::LocalDateTime LocalTimeOf(const BirthEntries& e) {
  return {ToInt(e.yearText), e.monthIndex + 1, ToInt(e.dayText), ToInt(e.hourText), ToInt(e.minuteText), 0};
}

void SetCoordinates(const places::Place& place, BirthEntries& e) {
  SetAngle(place.latitude, e.latDeg, e.latMin);
  e.south = place.latitude < 0;
  SetAngle(place.longitude, e.lonDeg, e.lonMin);
  e.east = place.longitude >= 0;
}

// The offset of a list row with the Daylight Saving Time box.
int RowOffsetMinutes(int row, bool dst) {
  const TimeZoneRow& zone = TimeZoneTable[static_cast<std::size_t>(row)];
  return -(zone.corrHours * 60 + zone.corrMinutes) + (dst ? 60 : 0);
}

}  // namespace

const places::Atlas* ProcessAtlas(std::string& error) {
  static const places::AtlasLoad load = places::Atlas::Load(places::AtlasFilesIn(places::DefaultAtlasFolder()));
  error = load.error;
  return load.atlas.get();
}

PlaceApplied ApplyPlace(const places::Atlas& atlas, std::string_view text, bool zoneGiven, places::DstChoice choice,
                        BirthEntries& entries) {
  if (zoneGiven) {
    const places::PlaceChoice found = places::FindOnePlace(atlas, text);
    if (!found.place) return {std::nullopt, found.error};
    SetCoordinates(*found.place, entries);
    return {PlaceFacts{*found.place, RowOffsetMinutes(entries.zoneIndex, entries.dst), entries.dst, {}}, {}};
  }
  const places::LocalDateTime local = LocalTimeOf(entries);
  if (!places::IsValidLocalDateTime(local)) {
    // A date that does not exist: the form's own checks refuse it.
    const places::PlaceChoice found = places::FindOnePlace(atlas, text);
    if (!found.place) return {std::nullopt, found.error};
    SetCoordinates(*found.place, entries);
    return {PlaceFacts{*found.place, 0, false, {}}, {}};
  }
  const places::PlaceResolution resolved = places::ResolvePlaceAt(atlas, text, local, choice);
  if (!resolved.value) return {std::nullopt, resolved.error};
  const places::PlaceAtTime& at = *resolved.value;
  SetCoordinates(*at.place, entries);
  entries.zoneOffsetMinutes = at.offsetMinutes;
  entries.dst = false;  // the offset from the tz database has any daylight saving in it
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
