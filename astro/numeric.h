#pragma once

#include <cmath>

namespace orbisca {

// Rounds to the nearest integer, halves to the even one, whatever the
// floating-point environment's rounding mode: the rounding of the entry
// conversions and of the aspect separations.
inline double RoundHalfEven(double x) {
  const double r = std::round(x);  // halves away from zero
  if (std::fabs(x - std::trunc(x)) == 0.5) return 2.0 * std::round(x / 2.0);
  return r;
}

}  // namespace orbisca
