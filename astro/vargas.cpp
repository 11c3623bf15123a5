#include "astro/vargas.h"

#include <stdexcept>
#include <string>

#include "astro/zodiac.h"

namespace orbisca {
namespace {

constexpr long long kArcSecondsPerCircle = 12 * kArcSecondsPerSign;

// Every row names its own varga once, and the two unequal divisions end at
// the end of the sign.
constexpr bool RowsAreWhole() {
  for (std::size_t i = 0; i < kVargas.size(); ++i) {
    for (std::size_t j = 0; j < i; ++j)
      if (kVargas[i].varga == kVargas[j].varga) return false;
    if (kVargas[i].rule == VargaRule::UnequalParts &&
        (kVargas[i].oddParts.back().endDegree != 30 || kVargas[i].evenParts.back().endDegree != 30))
      return false;
  }
  return true;
}
static_assert(RowsAreWhole());

int Wrapped(int sign) { return ((sign - 1) % 12 + 12) % 12 + 1; }

// Which entry of the row's `first` a sign takes.
std::size_t FirstIndex(FirstPartBy by, int sign) {
  switch (by) {
    case FirstPartBy::AnySign: return 0;
    case FirstPartBy::Parity: return sign % 2 == 1 ? 0 : 1;
    case FirstPartBy::Quality: return static_cast<std::size_t>((sign - 1) % 3);
    case FirstPartBy::Element: return static_cast<std::size_t>((sign - 1) % 4);
  }
  return 0;
}

}  // namespace

const VargaRow& VargaRowOf(Varga v) {
  for (const VargaRow& row : kVargas)
    if (row.varga == v) return row;
  throw std::out_of_range("no varga D" + std::to_string(Divisions(v)));
}

std::optional<Varga> VargaOfDivisions(int n) {
  for (const VargaRow& row : kVargas)
    if (Divisions(row.varga) == n) return row.varga;
  return std::nullopt;
}

int VargaSignOfArcSeconds(Varga v, long long arcSeconds) {
  const long long s = (arcSeconds % kArcSecondsPerCircle + kArcSecondsPerCircle) % kArcSecondsPerCircle;
  const int sign = static_cast<int>(s / kArcSecondsPerSign) + 1;
  const long long inSign = s % kArcSecondsPerSign;
  const VargaRow& row = VargaRowOf(v);
  if (row.rule == VargaRule::UnequalParts) {
    const std::span<const SignPart> parts = sign % 2 == 1 ? row.oddParts : row.evenParts;
    for (const SignPart& part : parts)
      if (inSign < part.endDegree * 3600LL) return part.sign;
    return parts.back().sign;  // not reached: the last part ends at 30°
  }
  // Integer arithmetic: the part changes exactly at the first whole second at
  // or past k * 30° / n.
  const int part = static_cast<int>(inSign * Divisions(v) / kArcSecondsPerSign);
  const int first = row.first[FirstIndex(row.by, sign)];
  const int firstSign = row.counted == CountedFrom::TheSign ? sign + first - 1 : first;
  return Wrapped(firstSign + row.step * part);
}

int VargaSign(Varga v, double siderealLongitude) { return VargaSignOfArcSeconds(v, ArcSecondsOf(siderealLongitude)); }

}  // namespace orbisca
