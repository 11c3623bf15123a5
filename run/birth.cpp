#include "run/birth.h"

#include "run/time_zones.h"

namespace orbisca {

ZoneCorrection CorrectionOf(const BirthZone& zone) {
  if (const ZoneOffset* offset = std::get_if<ZoneOffset>(&zone)) {
    // Local time minus the offset is universal time; hours and minutes share the sign.
    return {-offset->minutesEast / 60, -offset->minutesEast % 60};
  }
  const int row = std::get<ZoneRow>(zone).row;
  if (row < 0 || row >= kTimeZoneCount) return {};
  const TimeZoneRow& r = TimeZoneTable[static_cast<std::size_t>(row)];
  return {r.corrHours, r.corrMinutes};
}

double UniversalTimeHours(const Birth& b) {
  const ZoneCorrection c = CorrectionOf(b.zone);
  double ut = b.hour + b.minute / 60.0;
  if (b.dst) ut -= 1.0;
  return ut + c.hours + c.minutes / 60.0;
}

BirthInstant InstantOf(const Birth& b) { return {b.year, b.month, b.day, UniversalTimeHours(b)}; }

double EastLongitude(const Birth& b) {
  const double g = b.lonDegrees + b.lonMinutes / 60.0;
  return b.east ? g : -g;
}

double NorthLatitude(const Birth& b) {
  const double l = b.latDegrees + b.latMinutes / 60.0;
  return b.south ? -l : l;
}

std::optional<EntryRefusal> CheckBirth(const Birth& b) {
  const std::optional<short> year = ToInt16(b.year);
  return CheckReadEntries({TrimSpaces(b.name).empty(), double(b.lonDegrees), double(b.lonMinutes),
                           double(b.latDegrees), double(b.latMinutes), year, b.month - 1, b.day - 1});
}

std::variant<Birth, EntryRefusal> BirthFromEntries(const BirthEntries& e) {
  if (std::optional<EntryRefusal> refusal = CheckEntries(e)) return *refusal;
  // The checks passed, so every box below reads; the lists always have a
  // row selected and hold only numbers.
  const auto read = [](std::string_view text, int& field) {
    if (const std::optional<short> v = TextToInt16(text)) field = *v;
  };
  const auto readDegrees = [](std::string_view text, int& field) {
    if (const std::optional<double> degrees = DegreesValue(text))
      if (const std::optional<short> v = ToInt16(*degrees)) field = *v;
  };
  Birth b;
  b.name = e.name;
  if (e.zoneOffsetMinutes) {
    b.zone = ZoneOffset{*e.zoneOffsetMinutes, {}};
  } else {
    b.zone = ZoneRow{e.zoneIndex};
  }
  if (e.monthIndex >= 0) b.month = e.monthIndex + 1;
  read(e.dayText, b.day);
  read(e.yearText, b.year);
  read(e.hourText, b.hour);
  read(e.minuteText, b.minute);
  read(e.secondText, b.second);
  readDegrees(e.lonDeg, b.lonDegrees);
  read(e.lonMin, b.lonMinutes);
  readDegrees(e.latDeg, b.latDegrees);
  read(e.latMin, b.latMinutes);
  b.east = e.east;
  b.south = e.south;
  b.dst = e.dst;
  return b;
}

}  // namespace orbisca
