#pragma once

// One chart through the engine, in the two depths that the benchmarks time, and random births to time them on.

#include <cstdint>
#include <random>
#include <vector>

#include "aspects/aspects.h"
#include "astro/planet_position.h"
#include "run/chart.h"
#include "run/time_zones.h"

namespace orbisca {

// Births spread over the program's years, dates, clock times, zones and
// daylight saving, the same for the same seed.
inline std::vector<Birth> RandomBirths(std::size_t count, std::uint64_t seed) {
  std::mt19937_64 random(seed);
  const auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  std::vector<Birth> births(count);
  for (Birth& in : births) {
    in.year = pick(1901, 2050);
    in.month = pick(1, 12);
    const bool leap = in.year % 4 == 0 && (in.year % 100 != 0 || in.year % 400 == 0);
    in.day = pick(1, kDays[in.month - 1] + (in.month == 2 && leap));
    in.hour = pick(0, 23);
    in.minute = pick(0, 59);
    std::get<ZoneRow>(in.zone).row = pick(0, kTimeZoneCount - 1);
    in.dst = pick(0, 1) == 1;
  }
  return births;
}

// The ten sidereal longitudes.
inline PlanetTable Positions(const Birth& in) { return PositionsAt(InstantOf(in)).planets; }

// Positions and the aspect pass; returns the number of aspects found.
inline double PositionsAndAspectCount(const Birth& in) { return static_cast<double>(ComputeChart(in).aspects.size()); }

// The whole chart with its aspects' texts (headings and paragraphs); returns
// the length of the text.
inline double WholeChartLength(const Birth& in) {
  std::size_t length = 0;
  for (const std::string& text : KindTexts(ComputeChart(in).aspects)) length += text.size();
  return static_cast<double>(length);
}

}  // namespace orbisca
