#include "ui/zone_from_place.h"

#include <cmath>
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

// The offset's row and box, or, with no row for it, the atlas's own offset to
// the minute as the extra entry; `note` says what was set.
ZoneSetting Chosen(const places::Place& place, const ClockOffset& offset, std::string note) {
  const RowAndDst choice = RowForOffset(offset);
  if (choice.row >= 0) return {choice.row, choice.dst, std::move(note), {}, 0, {}};
  ZoneSetting setting;
  setting.dst = false;  // the atlas's offset has any daylight saving in it
  setting.atlasOffsetMinutes = static_cast<int>(std::lround(offset.offsetSeconds / 60.0));
  setting.atlasEntry = AtlasEntryText(setting.atlasOffsetMinutes, place.timeZone);
  setting.note = std::move(note) + ". No zone in the list has " + places::FormatUtcOffset(offset.offsetSeconds) +
                 ": the zone is \u201C" + setting.atlasEntry + "\u201D" +
                 (offset.offsetSeconds % 60 != 0 ? ", rounded to the minute." : ".");
  return setting;
}

ZoneSetting Unique(const places::Place& place, const places::LocalDateTime& local, const ClockOffset& offset,
                   bool again) {
  ZoneSetting setting = Chosen(place, offset,
                               std::string(again ? "Date or time changed: zone and daylight saving set again from "
                                                 : "Zone and daylight saving set from ") +
                                   Source(place, local) + ": " + offset.abbreviation + ", " +
                                   places::FormatUtcOffset(offset.offsetSeconds));
  const std::string meanTime = places::MeanTimeNote(place.timeZone, offset, place.name, place.longitude);
  if (!meanTime.empty()) setting.note += (setting.atlasEntry.empty() ? ". " : " ") + meanTime;
  return setting;
}

}  // namespace

std::string AtlasEntryText(int offsetMinutes, const std::string& zoneName) {
  std::string text = "From the atlas: " + places::FormatUtcOffset(offsetMinutes * 60);
  return zoneName.empty() ? text : text + " (" + zoneName + ")";
}

int RowOffsetMinutes(int row) {
  const TimeZoneRow& zone = TimeZoneTable[static_cast<std::size_t>(row)];
  return -(zone.corrHours * 60 + zone.corrMinutes);  // the correction turns local time into UT
}

ZoneSetting ZoneSettingFor(const places::Place& place, const places::LocalDateTime& local, bool again) {
  const places::ZoneLookup lookup = places::LookUpZone(place.timeZone, local);
  if (!lookup.answer) {
    ZoneSetting unknown;
    unknown.note = lookup.error + "." + kLeftAsTheyWere;
    return unknown;
  }
  const places::ZoneAnswer& answer = *lookup.answer;
  switch (answer.kind) {
    case places::LocalTimeKind::Unique:
      return Unique(place, local, answer.first, again);
    case places::LocalTimeKind::Skipped: {
      // Nothing set: Proceed refuses the time until it or the zone changes.
      const std::string why = places::SkippedTimeMessage(place.timeZone, local, answer);
      ZoneSetting setting;
      setting.note = why + " Proceed refuses it until the time or the zone is changed.";
      setting.refusal = why + " Enter a time the clocks showed, before or after the skipped one, or set the zone "
                              "and Daylight Saving Time by hand.";
      return setting;
    }
    case places::LocalTimeKind::Repeated: {
      const RowAndDst first = RowForOffset(answer.first), second = RowForOffset(answer.second);
      const std::string both = places::RepeatedTimeMessage(place.timeZone, local, answer);
      // The first of the two offsets is the one set, until the user says otherwise.
      if (first.row >= 0 && first.row == second.row && first.dst != second.dst) {
        return {first.row, first.dst,
                both + " Zone set to " + RowText(first.row) + "; tick Daylight Saving Time for the " +
                    (first.dst ? "first" : "second") + ", clear it for the " + (first.dst ? "second." : "first."),
                {}, 0, {}};
      }
      return Chosen(place, answer.first, both + " Zone set for the first");
    }
  }
  return {};
}

}  // namespace orbisca::ui
