#include "astro/zodiac.h"

#include <cmath>

namespace orbisca {
namespace {

constexpr long long kSecondsPerCircle = 360LL * 3600;
constexpr long long kSecondsPerSign = kArcSecondsPerSign;
constexpr long long kSecondsPerNakshatra = 13LL * 3600 + 20 * 60;
constexpr long long kSecondsPerPada = kSecondsPerNakshatra / 4;

// Whole seconds of arc below a non-negative angle. A value that lies within a
// millionth of a second below a whole second is taken as that second, so
// that 30° written as 29 + 59/60 + 60/3600 in binary does not lose a second.
long long WholeSeconds(double degrees) {
  return static_cast<long long>(std::floor(degrees * 3600.0 + 1e-6));
}

// Built in place: "0" + std::to_string(n) makes g++ 12 at -O3 warn of a
// memcpy overlap that cannot happen (-Wrestrict, a known false positive).
std::string TwoDigits(long long n) {
  std::string text = std::to_string(n);
  if (n < 10) text.insert(text.begin(), '0');
  return text;
}

}  // namespace

long long ArcSecondsOf(double longitude) {
  double reduced = std::isfinite(longitude) ? std::fmod(longitude, 360.0) : 0.0;
  if (reduced < 0.0) reduced += 360.0;
  return WholeSeconds(reduced) % kSecondsPerCircle;
}

ZodiacPosition ZodiacPositionOf(double longitude) {
  const long long s = ArcSecondsOf(longitude);
  const long long inSign = s % kSecondsPerSign;
  ZodiacPosition p;
  p.sign = static_cast<int>(s / kSecondsPerSign) + 1;
  p.degrees = static_cast<int>(inSign / 3600);
  p.minutes = static_cast<int>(inSign % 3600 / 60);
  p.seconds = static_cast<int>(inSign % 60);
  p.nakshatra = static_cast<int>(s / kSecondsPerNakshatra) + 1;
  p.pada = static_cast<int>(s % kSecondsPerNakshatra / kSecondsPerPada) + 1;
  return p;
}

std::string SignName(int sign) {
  const ZodiacSign& z = kZodiacSigns.at(static_cast<std::size_t>(sign - 1));
  return std::string(z.sanskrit) + " (" + std::string(z.english) + ")";
}

std::string_view NakshatraName(int nakshatra) {
  return kNakshatras.at(static_cast<std::size_t>(nakshatra - 1)).name;
}

std::string FormatArcDms(double degrees) {
  const long long s = WholeSeconds(std::fabs(degrees));
  return std::to_string(s / 3600) + "\u00B0" + TwoDigits(s % 3600 / 60) + "\u2032" + TwoDigits(s % 60) + "\u2033";
}

std::string FormatInSign(const ZodiacPosition& p) {
  return std::to_string(p.degrees) + "\u00B0" + TwoDigits(p.minutes) + "\u2032";
}

}  // namespace orbisca
