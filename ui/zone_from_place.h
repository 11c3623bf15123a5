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
  int row = -1;             // the zone row to select; -1 leaves the list as it is
  std::optional<bool> dst;  // the box's new state; empty leaves it as it is
  std::string note;
};

// `again` says that the date or time changed after the place was chosen.
// The row carries the standard offset with the box ticked when the clocks
// were an hour ahead of it; otherwise the row of the whole offset, box
// cleared; with no such row, the list is left as it is and the note names
// the nearest row.
ZoneSetting ZoneSettingFor(const places::Place& place, const places::LocalDateTime& local, bool again);

}  // namespace orbisca::ui
