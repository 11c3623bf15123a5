#pragma once

// The chart of one birth, computed once and read by every view: the tabs,
// the report, the Chart tab, the picture, --json and the listing.

#include <array>
#include <string>
#include <vector>

#include "aspects/aspects.h"
#include "astro/body.h"
#include "astro/dasha.h"
#include "astro/julian.h"
#include "astro/nodes.h"
#include "astro/panchanga.h"
#include "astro/planet_table.h"
#include "astro/sunrise.h"
#include "astro/vargas.h"
#include "astro/zodiac.h"
#include "run/birth.h"

namespace orbisca {

// What the chart may compute besides the positions and the aspects. The
// divisional charts add their switches here as they join the chart.
struct ChartOptions {
  NodeKind nodeKind = NodeKind::Mean;  // the usual Vedic practice; the true node is a choice
  DashaYear dashaYear = DashaYear::Julian;
  // Levels of the dasha's periods: 1 the mahadashas, 2 with the antardashas,
  // 3 with the pratyantardashas; 0 the balance at birth alone (the batch).
  int dashaLevels = 3;
  // The sixteen divisional charts; the batch leaves them out unless asked.
  bool vargas = true;
};

// The instant the positions were computed for.
struct ChartInstant {
  double universalHours;     // on the local calendar date (UniversalTimeHours)
  CalendarMinute universal;  // the same, carried into the calendar
  double julianDay;          // of that instant, universal time
  double siderealShift;      // as the positions use it (negative)
  double clockOffsetHours;   // the birth's local clock minus universal time, daylight saving included
};

struct BodyPosition {
  Body body;
  double longitude;  // sidereal, degrees
  ZodiacPosition where;
};

struct NodePosition {
  Node node;
  double longitude;  // sidereal, degrees
  ZodiacPosition where;
};

// The birth particulars: the civil weekday of the local date, the Vedic day
// (vara, from sunrise to sunrise at the birth place) and the day's tithi,
// yoga, karana and the Moon's nakshatra and pada.
struct ChartParticulars {
  int weekday;  // 0 = Sunday .. 6 = Saturday
  Vara vara;
  Particulars day;
};

struct ChartDasha {
  DashaYear year;
  DashaBalance balance;
  std::vector<DashaPeriod> periods;  // the nine mahadashas, as deep as asked; none at level 0
};

// A point a varga places: the ten bodies in their order, then Rahu, Ketu and
// the ascendant.
inline constexpr std::size_t kVargaPointCount = kBodyCount + 3;
inline constexpr std::size_t kVargaRahu = kBodyCount, kVargaKetu = kBodyCount + 1, kVargaAscendant = kBodyCount + 2;

// The sign (1..12) of every point in every varga, in the order of kVargas;
// all zero when the chart was computed without them.
struct ChartVargas {
  std::array<std::array<int, kVargaPointCount>, kVargas.size()> signs{};
  const std::array<int, kVargaPointCount>& Of(Varga v) const;
};

struct AscendantPosition {
  double longitude;  // sidereal, degrees
  ZodiacPosition where;
};

struct Chart {
  ChartInstant instant;
  PlanetTable planets;  // the table the aspects are found in
  std::array<BodyPosition, kBodyCount> bodies;
  AscendantPosition ascendant;
  // Every ordered pair in an aspect, in the order the tabs list them.
  std::vector<AspectEntry> aspects;
  // Rahu and Ketu, never in the aspect pass: its ten bodies stay as they are.
  NodeKind nodeKind;
  std::array<NodePosition, 2> nodes;
  ChartParticulars particulars;
  ChartDasha dasha;
  ChartVargas vargas;
};

// The chart of a birth. Pure: the same birth gives the same chart.
Chart ComputeChart(const Birth& birth, const ChartOptions& options = {});

// "Universal time 1976-07-04 14:15, Julian day 2442964.09375, sidereal shift 23°31′58″".
std::string InstantLine(const ChartInstant& instant);

// "40°42′N 74°00′W".
std::string PlaceCoordinates(const Birth& birth);

}  // namespace orbisca
