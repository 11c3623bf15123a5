#pragma once

// Angles compared across the 0/360 wrap; a failure reports the error in
// arc-seconds against a named limit.

#include <gtest/gtest.h>

#include <cmath>

namespace orbisca {

// Difference of two angles in arc-seconds, taken the short way round.
inline double AngleErrorArcsec(double a, double b) {
  double d = std::fmod(a - b, 360.0);
  if (d > 180.0) d -= 360.0;
  if (d < -180.0) d += 360.0;
  return std::fabs(d) * 3600.0;
}

#define EXPECT_ANGLE(actual, expected, limitArcsec)                                   \
  do {                                                                                \
    const double a_ = (actual);                                                       \
    ASSERT_FALSE(std::isnan(a_)) << #actual;                                           \
    EXPECT_LE(AngleErrorArcsec(a_, (expected)), (limitArcsec))                         \
        << #actual << " = " << a_ << ", expected " << (expected) << " (error "          \
        << AngleErrorArcsec(a_, (expected)) << "\" over the limit " << (limitArcsec) << "\")"; \
  } while (0)

}  // namespace orbisca
