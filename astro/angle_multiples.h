#pragma once

// The sines and cosines of an angle's whole multiples from one sine and one
// cosine: the lunar series evaluate each term's argument as a product of
// these instead of calling sin and cos once per term.

#include <array>
#include <cmath>

namespace orbisca {

// cos and sin of one angle; the product of two is the sum of the angles.
struct Turn {
  double c, s;
};
inline Turn operator*(Turn a, Turn b) { return {a.c * b.c - a.s * b.s, a.s * b.c + a.c * b.s}; }

// The multiples -n..n of an angle in radians: entry n + k holds k times the
// angle.
template <int n>
std::array<Turn, 2 * n + 1> Multiples(double angle) {
  std::array<Turn, 2 * n + 1> m{};
  m[n] = {1.0, 0.0};
  m[n + 1] = {std::cos(angle), std::sin(angle)};
  for (int k = 2; k <= n; ++k) m[n + k] = m[n + k - 1] * m[n + 1];
  for (int k = 1; k <= n; ++k) m[n - k] = {m[n + k].c, -m[n + k].s};
  return m;
}

}  // namespace orbisca
