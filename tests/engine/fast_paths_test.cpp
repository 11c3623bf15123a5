// The quick forms of three steps give, to the bit, what the straightforward
// forms they replace give: the Moon's reduction into the circle, the rounding
// of a separation, and the aspect pass over the 90 ordered pairs.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <random>
#include <vector>

#include "aspects/aspects.h"
#include "astro/moon.h"
#include "astro/numeric.h"

namespace orbisca {
namespace {

// The reduction as the lunar step first wrote it.
double ReduceByLoops(double lambda) {
  while (lambda < 0.0) lambda += 360.0;
  while (lambda > 360.0) lambda -= 360.0;
  return lambda;
}

TEST(FastPaths, MoonReductionEqualsRepeatedTurns) {
  std::vector<double> values = {0.0, -0.0, 1e-20, -1e-20, 360.0, -360.0, 720.0, -720.0, 359.99999999999994,
                                481267.88134236 + 218.3164591, -481267.88134236 + 218.3164591};
  for (int k = -1400; k <= 1400; ++k) {
    const double turn = 360.0 * k;
    values.insert(values.end(), {turn, std::nextafter(turn, -1e9), std::nextafter(turn, 1e9), turn + 0.5});
  }
  std::mt19937_64 random(11);
  std::uniform_real_distribution<double> across(-482000.0, 482000.0);
  for (int i = 0; i < 200000; ++i) values.push_back(across(random));
  for (double x : values) {
    const double expected = ReduceByLoops(x);
    const double got = ReduceLongitudeKeeping360(x);
    ASSERT_EQ(std::signbit(got), std::signbit(expected)) << x;
    ASSERT_EQ(got, expected) << std::hexfloat << x;
  }
}

TEST(FastPaths, RoundingEqualsRoundHalfEven) {
  std::vector<double> values;
  for (int k = -400; k <= 400; ++k) {
    const double half = k + 0.5;
    values.insert(values.end(), {double(k), half, std::nextafter(half, -1e9), std::nextafter(half, 1e9), -half});
  }
  std::mt19937_64 random(12);
  std::uniform_real_distribution<double> across(-360.0, 360.0);
  for (int i = 0; i < 200000; ++i) values.push_back(across(random));
  for (double x : values) ASSERT_EQ(RoundHalfEvenToInt(x), static_cast<int>(RoundHalfEven(x))) << std::hexfloat << x;
}

// The aspect pass as the definition reads: every ordered pair in turn, the
// windows tested in kind order.
std::vector<AspectEntry> AspectsByDefinition(const PlanetTable& table) {
  std::vector<AspectEntry> entries;
  for (Body first : kAllBodies) {
    for (Body second : kAllBodies) {
      if (first == second) continue;
      int s = static_cast<int>(RoundHalfEven(table.Longitude(first) - table.Longitude(second)));
      if (s > 190) s -= 360;
      if (s < -190) s += 360;
      for (const AspectKindInfo& info : kAspectKinds) {
        if (s >= info.low && s <= info.high) {
          entries.push_back({info.kind, first, second, s});
          break;
        }
      }
    }
  }
  return entries;
}

TEST(FastPaths, AspectPassEqualsTheDefinition) {
  std::mt19937_64 random(13);
  std::uniform_real_distribution<double> longitude(0.0, 360.0);
  std::uniform_int_distribution<int> halfDegree(0, 719);
  for (int i = 0; i < 20000; ++i) {
    PlanetTable table;
    for (std::size_t b = 0; b < kBodyCount; ++b) {
      // Every other chart on half degrees, where the rounding decides.
      table.BodyLongitudes[b] = i % 2 ? longitude(random) : halfDegree(random) * 0.5;
    }
    ASSERT_EQ(FindAspects(table), AspectsByDefinition(table)) << i;
  }
}

}  // namespace
}  // namespace orbisca
