#pragma once

#include <optional>
#include <string>

#include "places/atlas.h"
#include "places/zone_facts.h"

namespace orbisca::ui {

// A zone row's UTC offset in minutes east: the negative of the correction the
// row keeps, which turns local time into universal time.
int RowOffsetMinutes(int row);

// What the zone list and the Daylight Saving Time box should show for a place
// at a local date and time, and the one-line note that says what was done.
struct ZoneSetting {
  int row = -1;             // the zone row to select; -1: see `atlasEntry`
  std::optional<bool> dst;  // the box's new state; empty leaves it as it is
  std::string note;
  // When no row carries the offset: the extra entry after the rows, its text
  // ("From the atlas: UTC+5:45 (Asia/Kathmandu)") and its offset in minutes east.
  std::string atlasEntry;
  int atlasOffsetMinutes = 0;
  // A time the clocks skipped: why Proceed refuses it. Empty otherwise.
  std::string refusal;
};

// The text of the zone list's extra entry: "From the atlas: UTC+5:45
// (Asia/Kathmandu)", without the parenthesis when the zone name is empty.
std::string AtlasEntryText(int offsetMinutes, const std::string& zoneName);

// `again` says that the date or time changed after the place was chosen.
// The row carries the standard offset with the box ticked when the clocks
// were an hour ahead of it; otherwise the row of the whole offset, box
// cleared; with no such row, the atlas's own offset (to the minute) as the
// extra entry, box cleared. A repeated time takes the first of its two
// offsets; a skipped one sets nothing and gives the refusal.
ZoneSetting ZoneSettingFor(const places::Place& place, const places::LocalDateTime& local, bool again);

}  // namespace orbisca::ui
