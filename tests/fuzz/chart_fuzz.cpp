// Whole charts for any birth the form accepts: every longitude is finite and
// in [0, 360); every aspect listed lies inside its kind's window, and the list
// is exactly the pairs whose separation falls in a window (a conjunction in
// both orders, any other kind once, no pair under two kinds, no ordered pair
// twice); and the same instant told as the clock time of another zone, with
// or without daylight saving, gives the same chart.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "aspects/aspects.h"
#include "astro/planet_position.h"
#include "run/birth.h"
#include "run/time_zones.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using namespace orbisca;

// Days from 1970-01-01 of a proleptic Gregorian date, and back (H. Hinnant,
// "chrono-Compatible Low-Level Date Algorithms").
long DaysFromCivil(long y, int m, int d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yoe = y - era * 400;
  const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

struct Civil {
  long year;
  int month, day;
};
Civil CivilFromDays(long z) {
  z += 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const long doe = z - era * 146097;
  const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {era * 400 + yoe + (m <= 2), m, d};
}

int DaysInMonth(long year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

// A birth as the form gives it: list positions and the list texts.
struct FormBirth {
  long year;
  int month, day, hour, minute, zone;
  bool dst;
};

Birth InputOf(const FormBirth& b) {
  BirthEntries e;
  e.name = "FUZZ";
  e.monthIndex = b.month - 1;
  e.dayIndex = b.day - 1;
  e.dayText = std::to_string(b.day);
  e.yearText = std::to_string(b.year);
  e.hourText = std::to_string(b.hour);
  e.minuteText = std::to_string(b.minute);
  e.zoneIndex = b.zone;
  e.dst = b.dst;
  e.lonDeg = e.lonMin = e.latDeg = e.latMin = "0";
  const std::variant<Birth, EntryRefusal> read = BirthFromEntries(e);
  FUZZ_CHECK(std::holds_alternative<Birth>(read), "a real date with list values passes the checks");
  return std::get<Birth>(read);
}

// Universal time in minutes from 1970: local clock time, less an hour under
// daylight saving, plus the zone's signed correction.
long UniversalMinutes(const FormBirth& b) {
  const TimeZoneRow& z = TimeZoneTable[static_cast<std::size_t>(b.zone)];
  return DaysFromCivil(b.year, b.month, b.day) * 1440 + b.hour * 60 + b.minute - (b.dst ? 60 : 0) +
         z.corrHours * 60 + z.corrMinutes;
}

// The same instant as the clock time of another zone; nothing when that
// falls outside the form's years.
std::optional<FormBirth> Retold(const FormBirth& b, int zone, bool dst) {
  const TimeZoneRow& z = TimeZoneTable[static_cast<std::size_t>(zone)];
  const long local = UniversalMinutes(b) - (z.corrHours * 60 + z.corrMinutes) + (dst ? 60 : 0);
  const long days = local >= 0 ? local / 1440 : -((-local + 1439) / 1440);
  const long minutes = local - days * 1440;
  const Civil c = CivilFromDays(days);
  if (c.year < 1901 || c.year > 2050) return std::nullopt;
  return FormBirth{c.year, c.month, c.day, static_cast<int>(minutes / 60), static_cast<int>(minutes % 60), zone, dst};
}

// The aspect expected for a pair: the short way round between the two
// longitudes after rounding their difference half to even, and the window of
// a kind that holds it.
std::optional<AspectKind> ExpectedKind(double a, double b) {
  double d = std::fabs(std::nearbyint(a - b));
  if (d > 180) d = 360 - d;
  for (const AspectKindInfo& k : kAspectKinds) {
    const double low = k.low < 0 ? 0 : k.low;  // the conjunction's window is -10..10
    if (d >= low && d <= k.high) return k.kind;
  }
  return std::nullopt;
}

void CheckChart(const ChartPositions& p, const std::vector<AspectEntry>& aspects) {
  FUZZ_CHECK(std::isfinite(p.siderealShift), "the sidereal shift is finite");
  for (Body body : kAllBodies) {
    const double lon = p.planets.Longitude(body);
    FUZZ_CHECK(std::isfinite(lon) && lon >= 0 && lon < 360, "every longitude is finite and in [0, 360)");
  }
  std::set<std::pair<Body, Body>> ordered;
  std::map<std::pair<Body, Body>, std::vector<AspectKind>> byPair;
  for (const AspectEntry& a : aspects) {
    FUZZ_CHECK(a.first != a.second, "no body in aspect with itself");
    const AspectKindInfo& k = Info(a.kind);
    FUZZ_CHECK(a.separation >= k.low && a.separation <= k.high, "every separation lies in its kind's window");
    FUZZ_CHECK(ordered.insert({a.first, a.second}).second, "no ordered pair is listed twice");
    byPair[std::minmax(a.first, a.second)].push_back(a.kind);
  }
  for (std::size_t i = 0; i < kAllBodies.size(); ++i) {
    for (std::size_t j = i + 1; j < kAllBodies.size(); ++j) {
      const Body a = kAllBodies[i], b = kAllBodies[j];
      const std::optional<AspectKind> expected = ExpectedKind(p.planets.Longitude(a), p.planets.Longitude(b));
      const auto found = byPair.find(std::minmax(a, b));
      if (!expected) {
        FUZZ_CHECK(found == byPair.end(), "a pair outside every window is not listed");
        continue;
      }
      FUZZ_CHECK(found != byPair.end(), "a pair inside a window is listed");
      const std::vector<AspectKind>& kinds = found->second;
      const std::size_t times = *expected == AspectKind::Conjunction ? 2 : 1;
      FUZZ_CHECK(kinds.size() == times, "a conjunction is listed in both orders, any other kind once");
      for (AspectKind k : kinds) FUZZ_CHECK(k == *expected, "a pair is listed under its one kind");
    }
  }
}

bool SameAngle(double a, double b) {
  const double d = std::fabs(a - b);
  return std::min(d, 360 - d) < 1e-7;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  FormBirth b{};
  b.year = in.ConsumeIntegralInRange<long>(1901, 2050);
  b.month = in.ConsumeIntegralInRange(1, 12);
  b.day = in.ConsumeIntegralInRange(1, DaysInMonth(b.year, b.month));
  b.hour = in.ConsumeIntegralInRange(0, 23);
  b.minute = in.ConsumeIntegralInRange(0, 59);
  b.zone = in.ConsumeIntegralInRange(0, kTimeZoneCount - 1);
  b.dst = in.ConsumeBool();
  const int otherZone = in.ConsumeIntegralInRange(0, kTimeZoneCount - 1);
  const bool otherDst = in.ConsumeBool();

  const Birth input = InputOf(b);
  const ChartPositions p = PositionsAt(InstantOf(input));
  const std::vector<AspectEntry> aspects = FindAspects(p.planets);
  CheckChart(p, aspects);

  const std::optional<FormBirth> other = Retold(b, otherZone, otherDst);
  if (!other) return 0;
  FUZZ_CHECK(UniversalMinutes(*other) == UniversalMinutes(b), "the retold birth is the same instant");
  const ChartPositions q = PositionsAt(InstantOf(InputOf(*other)));
  FUZZ_CHECK(SameAngle(p.siderealShift, q.siderealShift), "one instant, one sidereal shift");
  for (Body body : kAllBodies) {
    FUZZ_CHECK(SameAngle(p.planets.Longitude(body), q.planets.Longitude(body)), "one instant, one longitude");
  }
  FUZZ_CHECK(FindAspects(q.planets) == aspects, "one instant, one list of aspects");
  return 0;
}
