#pragma once

// One chart through the engine's pure functions, in the two depths that the
// benchmarks time, and random births to time them on.

#include <cstdint>
#include <random>
#include <vector>

#include "aspects/aspects.h"
#include "astro/planet_position.h"
#include "run/chart_input.h"
#include "run/time_zones.h"

namespace orbisca {

// Births spread over the program's years, dates, clock times, zones and
// daylight saving, the same for the same seed.
inline std::vector<ChartInput> RandomBirths(std::size_t count, std::uint64_t seed) {
  std::mt19937_64 random(seed);
  const auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  std::vector<ChartInput> births(count);
  for (ChartInput& in : births) {
    in.BirthYear = static_cast<std::int16_t>(pick(1901, 2050));
    in.BirthMonth = static_cast<std::int16_t>(pick(1, 12));
    const bool leap = in.BirthYear % 4 == 0 && (in.BirthYear % 100 != 0 || in.BirthYear % 400 == 0);
    in.BirthDay = static_cast<std::int16_t>(pick(1, kDays[in.BirthMonth - 1] + (in.BirthMonth == 2 && leap)));
    in.BirthHour = static_cast<std::int16_t>(pick(0, 23));
    in.BirthMinute = static_cast<std::int16_t>(pick(0, 59));
    Zone_Calculation(pick(0, kTimeZoneCount - 1), in);
    in.IsDst = ToFlag(pick(0, 1) == 1);
  }
  return births;
}

// The ten sidereal longitudes.
inline PlanetTable Positions(const ChartInput& in) { return PositionsAt(InstantOf(in)).planets; }

// Positions and the aspect pass; returns the number of aspects found.
inline double PositionsAndAspectCount(const ChartInput& in) {
  return static_cast<double>(FindAspects(Positions(in)).size());
}

// The whole chart with its entries written (headings and paragraphs);
// returns the length of the text written.
inline double WholeChartLength(const ChartInput& in) {
  PlainResults results;
  WriteAspects(FindAspects(Positions(in)), results);
  std::size_t length = 0;
  for (const AspectKindInfo& info : kAspectKinds) length += results.Text(info.kind).size();
  return static_cast<double>(length);
}

}  // namespace orbisca
