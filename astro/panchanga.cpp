#include "astro/panchanga.h"

#include <cmath>
#include <cstddef>
#include <stdexcept>

#include "astro/zodiac.h"

namespace orbisca {
namespace {

double Reduce(double x) {
  double r = std::isfinite(x) ? std::fmod(x, 360.0) : 0.0;
  if (r < 0.0) r += 360.0;
  return r >= 360.0 ? 0.0 : r;
}

// The part of a circle of `count` equal parts that holds the angle, 1..count.
int PartOf(double reduced, int count) {
  const int part = static_cast<int>(std::floor(reduced * count / 360.0)) + 1;
  return part > count ? count : part;
}

}  // namespace

Particulars ParticularsOf(double sunLongitude, double moonLongitude) {
  const double elongation = Reduce(moonLongitude - sunLongitude);
  const double sum = Reduce(sunLongitude + moonLongitude);
  const ZodiacPosition moon = ZodiacPositionOf(moonLongitude);
  Particulars p{};
  p.tithi = PartOf(elongation, 30);
  p.paksha = p.tithi <= 15 ? Paksha::Shukla : Paksha::Krishna;
  p.yoga = PartOf(sum, 27);
  p.karana = PartOf(elongation, 60);
  p.nakshatra = moon.nakshatra;
  p.pada = moon.pada;
  return p;
}

std::string_view TithiName(int tithi) {
  if (tithi < 1 || tithi > 30) throw std::out_of_range("tithi outside 1..30");
  if (tithi == 30) return kNewMoonTithi;
  return kTithis.at(static_cast<std::size_t>((tithi - 1) % 15)).name;
}

std::string_view PakshaName(Paksha p) { return p == Paksha::Shukla ? "Shukla" : "Krishna"; }

std::string_view YogaName(int yoga) { return kYogas.at(static_cast<std::size_t>(yoga - 1)).name; }

std::string_view KaranaName(int karana) {
  if (karana < 1 || karana > 60) throw std::out_of_range("karana outside 1..60");
  if (karana == 1) return kKaranas[10].name;
  if (karana >= 58) return kKaranas.at(static_cast<std::size_t>(karana - 58 + 7)).name;
  return kKaranas.at(static_cast<std::size_t>((karana - 2) % 7)).name;
}

}  // namespace orbisca
