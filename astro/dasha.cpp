#include "astro/dasha.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "astro/zodiac.h"

namespace orbisca {
namespace {

constexpr double kNakshatraDegrees = 360.0 / 27.0;

// Sub-periods of `parent` in the parent's proportions, from the parent's own
// lord, to `depth` further levels. Each boundary is the parent's start plus
// its share of the parent's length; the last one is the parent's end itself,
// so that no rounding opens a gap or an overlap.
void Divide(DashaPeriod& parent, int depth) {
  if (depth <= 0) return;
  const double length = parent.end - parent.start;
  parent.periods.reserve(9);
  DashaLord lord = parent.lord;
  int yearsBefore = 0;
  double start = parent.start;
  for (int k = 0; k < 9; ++k, lord = NextLord(lord)) {
    yearsBefore += LordYears(lord);
    const double end = k == 8 ? parent.end : parent.start + length * yearsBefore / kVimshottariYears;
    parent.periods.push_back({lord, start, end, {}});
    Divide(parent.periods.back(), depth - 1);
    start = end;
  }
}

}  // namespace

DashaBalance VimshottariBalance(double moonLongitude) {
  if (!std::isfinite(moonLongitude)) throw std::invalid_argument("the Moon's longitude is not a number");
  double reduced = std::fmod(moonLongitude, 360.0);
  if (reduced < 0.0) reduced += 360.0;
  // The nakshatra the chart shows for this longitude, so that the dasha and
  // the positions table never name different ones at a boundary.
  const int nakshatra = ZodiacPositionOf(reduced).nakshatra;
  const double into = reduced - (nakshatra - 1) * kNakshatraDegrees;
  const double fraction = std::clamp(into / kNakshatraDegrees, 0.0, 1.0);
  const DashaLord lord = kVimshottariLords[static_cast<std::size_t>((nakshatra - 1) % 9)].lord;
  return {lord, fraction, (1.0 - fraction) * LordYears(lord)};
}

YearsMonthsDays SplitDashaYears(double years) {
  if (!std::isfinite(years) || years < 0.0) return {0, 0, 0};
  // Whole days of the 360-day count, rounded once, then cut.
  const long long days = std::llround(years * 360.0);
  return {static_cast<int>(days / 360), static_cast<int>(days % 360 / 30), static_cast<int>(days % 30)};
}

std::vector<DashaPeriod> VimshottariDasha(double birthJulianDay, double moonLongitude, double yearDays, int levels) {
  if (!std::isfinite(birthJulianDay)) throw std::invalid_argument("the birth's Julian day is not a number");
  if (!std::isfinite(yearDays) || yearDays <= 0.0) throw std::invalid_argument("the dasha year has no length");
  const DashaBalance balance = VimshottariBalance(moonLongitude);
  const int depth = std::clamp(levels, 1, 3);
  const double cycleStart = birthJulianDay - balance.elapsedFraction * LordYears(balance.lord) * yearDays;
  std::vector<DashaPeriod> mahadashas;
  mahadashas.reserve(9);
  DashaLord lord = balance.lord;
  int yearsBefore = 0;
  double start = cycleStart;
  for (int k = 0; k < 9; ++k, lord = NextLord(lord)) {
    yearsBefore += LordYears(lord);
    const double end = cycleStart + yearsBefore * yearDays;
    mahadashas.push_back({lord, start, end, {}});
    Divide(mahadashas.back(), depth - 1);
    start = end;
  }
  return mahadashas;
}

std::vector<const DashaPeriod*> PeriodsAt(const std::vector<DashaPeriod>& mahadashas, double julianDay) {
  std::vector<const DashaPeriod*> chain;
  const std::vector<DashaPeriod>* level = &mahadashas;
  while (!level->empty()) {
    const auto holder = std::find_if(level->begin(), level->end(), [julianDay](const DashaPeriod& p) {
      return p.start <= julianDay && julianDay < p.end;
    });
    if (holder == level->end()) break;
    chain.push_back(&*holder);
    level = &holder->periods;
  }
  return chain;
}

}  // namespace orbisca
