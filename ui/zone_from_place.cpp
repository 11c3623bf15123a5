#include "ui/zone_from_place.h"

#include <cstdlib>

#include "run/time_zones.h"

namespace orbisca::ui {
namespace {

using places::ClockOffset;

constexpr const char* kLeftAsTheyWere = " Zone and daylight saving left as they were.";

std::string RowText(int row) { return std::string(TimeZoneTable[static_cast<std::size_t>(row)].text); }

// The list's rows for an offset, best first: the row of the zone's own
// abbreviation, then a "Standard" row, then the first in list order.
int RowFor(int offsetSeconds, const std::string& abbreviation) {
  if (offsetSeconds % 60 != 0) return -1;
  int best = -1, bestScore = -1;
  for (int row = 0; row < kTimeZoneCount; ++row) {
    if (RowOffsetMinutes(row) * 60 != offsetSeconds) continue;
    const TimeZoneRow& zone = TimeZoneTable[static_cast<std::size_t>(row)];
    const int score = zone.abbreviation == abbreviation                      ? 2
                      : zone.text.find("Standard") != std::string_view::npos ? 1
                                                                             : 0;
    if (score > bestScore) {
      best = row;
      bestScore = score;
    }
  }
  return best;
}

int NearestRow(int offsetSeconds) {
  int nearest = 0;
  for (int row = 1; row < kTimeZoneCount; ++row) {
    if (std::abs(RowOffsetMinutes(row) * 60 - offsetSeconds) <
        std::abs(RowOffsetMinutes(nearest) * 60 - offsetSeconds)) {
      nearest = row;
    }
  }
  return nearest;
}

struct RowAndDst {
  int row = -1;
  bool dst = false;
};

RowAndDst RowForOffset(const ClockOffset& offset) {
  if (offset.dst && offset.offsetSeconds - offset.standardOffsetSeconds == 3600) {
    if (int row = RowFor(offset.standardOffsetSeconds, offset.standardAbbreviation); row >= 0) return {row, true};
  }
  return {RowFor(offset.offsetSeconds, offset.abbreviation), false};
}

std::string Source(const places::Place& place, const places::LocalDateTime& local) {
  return place.timeZone + " on " + places::FormatLocalDateTime(local);
}

ZoneSetting Unique(const places::Place& place, const places::LocalDateTime& local, const ClockOffset& offset,
                   bool again) {
  const std::string meanTime = places::MeanTimeNote(place.timeZone, offset, place.name, place.longitude);
  const RowAndDst choice = RowForOffset(offset);
  if (choice.row < 0) {
    return {-1, std::nullopt,
            "No zone in the list has " + places::FormatUtcOffset(offset.offsetSeconds) + " (" + offset.abbreviation +
                ", " + Source(place, local) + "); the nearest is " + RowText(NearestRow(offset.offsetSeconds)) +
                "." + kLeftAsTheyWere + (meanTime.empty() ? "" : " " + meanTime)};
  }
  std::string note = std::string(again ? "Date or time changed: zone and daylight saving set again from "
                                       : "Zone and daylight saving set from ") +
                     Source(place, local) + ": " + offset.abbreviation + ", " +
                     places::FormatUtcOffset(offset.offsetSeconds);
  if (!meanTime.empty()) note += ". " + meanTime;
  return {choice.row, choice.dst, note};
}

}  // namespace

int RowOffsetMinutes(int row) {
  const TimeZoneRow& zone = TimeZoneTable[static_cast<std::size_t>(row)];
  return -(zone.corrHours * 60 + zone.corrMinutes);  // the correction turns local time into UT
}

ZoneSetting ZoneSettingFor(const places::Place& place, const places::LocalDateTime& local, bool again) {
  const places::ZoneLookup lookup = places::LookUpZone(place.timeZone, local);
  if (!lookup.answer) return {-1, std::nullopt, lookup.error + "." + kLeftAsTheyWere};
  const places::ZoneAnswer& answer = *lookup.answer;
  switch (answer.kind) {
    case places::LocalTimeKind::Unique:
      return Unique(place, local, answer.first, again);
    case places::LocalTimeKind::Skipped:
      return {-1, std::nullopt, places::SkippedTimeMessage(place.timeZone, local, answer) + kLeftAsTheyWere};
    case places::LocalTimeKind::Repeated: {
      const RowAndDst first = RowForOffset(answer.first), second = RowForOffset(answer.second);
      const std::string both = places::RepeatedTimeMessage(place.timeZone, local, answer);
      if (first.row >= 0 && first.row == second.row && first.dst != second.dst) {
        return {first.row, std::nullopt,
                both + " Zone set to " + RowText(first.row) + "; tick Daylight Saving Time for the " +
                    (first.dst ? "first" : "second") + ", clear it for the " + (first.dst ? "second." : "first.")};
      }
      return {-1, std::nullopt, both + kLeftAsTheyWere};
    }
  }
  return {};
}

}  // namespace orbisca::ui
