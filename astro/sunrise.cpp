#include "astro/sunrise.h"

#include <cmath>

#include "astro/civil_day.h"
#include "astro/julian.h"
#include "astro/orbital_elements.h"

namespace orbisca {
namespace {

constexpr double kRiseAltitude = -50.0 / 60.0;  // 34' refraction + 16' semi-diameter
constexpr double kSiderealDegreesPerDay = 360.98564736629;

double Wrap180(double x) {
  double r = std::fmod(x, 360.0);
  if (r > 180.0) r -= 360.0;
  if (r <= -180.0) r += 360.0;
  return r;
}

struct Equatorial {
  double rightAscension, declination;  // degrees
};

// The Sun's apparent right ascension and declination, Meeus ch. 25 "with a
// lower accuracy" (0.01°, a few seconds of rising time).
Equatorial SunAt(double julianDay) {
  const double T = (julianDay - 2451545.0) / 36525.0;
  const double L0 = 280.46646 + T * (36000.76983 + 0.0003032 * T);
  const double M = (357.52911 + T * (35999.05029 - 0.0001537 * T)) * kDegToRad;
  const double C = (1.914602 - T * (0.004817 + 0.000014 * T)) * std::sin(M) +
                   (0.019993 - 0.000101 * T) * std::sin(2.0 * M) + 0.000289 * std::sin(3.0 * M);
  const double omega = (125.04 - 1934.136 * T) * kDegToRad;
  const double lambda = (L0 + C - 0.00569 - 0.00478 * std::sin(omega)) * kDegToRad;
  const double epsilon =
      (23.0 + 26.0 / 60.0 + 21.448 / 3600.0 - T * 46.8150 / 3600.0 + 0.00256 * std::cos(omega)) * kDegToRad;
  return {std::atan2(std::cos(epsilon) * std::sin(lambda), std::cos(lambda)) / kDegToRad,
          std::asin(std::sin(epsilon) * std::sin(lambda)) / kDegToRad};
}

// Greenwich mean sidereal time in degrees, Meeus eq. 12.4.
double SiderealTime(double julianDay) {
  const double T = (julianDay - 2451545.0) / 36525.0;
  return 280.46061837 + kSiderealDegreesPerDay * (julianDay - 2451545.0) + T * T * (0.000387933 - T / 38710000.0);
}

// The Sun's hour angle at the place, -180..180 degrees.
double HourAngle(double julianDay, double eastLongitude, const Equatorial& sun) {
  return Wrap180(SiderealTime(julianDay) + eastLongitude - sun.rightAscension);
}

// cos of the hour angle at which the Sun's centre stands at the rising
// altitude; beyond -1 the Sun never sets, beyond 1 it never rises.
double CosRiseHourAngle(double latitude, double declination) {
  const double phi = latitude * kDegToRad, delta = declination * kDegToRad;
  return (std::sin(kRiseAltitude * kDegToRad) - std::sin(phi) * std::sin(delta)) / (std::cos(phi) * std::cos(delta));
}

SunriseKind NoRiseKind(double localNoon, double eastLongitude, double latitude) {
  const Equatorial sun = SunAt(localNoon);
  const double phi = latitude * kDegToRad, delta = sun.declination * kDegToRad;
  const double h = HourAngle(localNoon, eastLongitude, sun) * kDegToRad;
  const double sinAltitude = std::sin(phi) * std::sin(delta) + std::cos(phi) * std::cos(delta) * std::cos(h);
  return sinAltitude > std::sin(kRiseAltitude * kDegToRad) ? SunriseKind::PolarDay : SunriseKind::PolarNight;
}

// The rising nearest to a first guess: step to where the hour angle is minus
// the rising one, the Sun re-read each time. Returns false where the Sun
// does not reach the rising altitude.
bool RisingNear(double& t, double eastLongitude, double latitude) {
  for (int round = 0; round < 10; ++round) {
    const Equatorial sun = SunAt(t);
    const double c = CosRiseHourAngle(latitude, sun.declination);
    if (c < -1.0 || c > 1.0) return false;
    const double step = Wrap180(-std::acos(c) / kDegToRad - HourAngle(t, eastLongitude, sun)) / kSiderealDegreesPerDay;
    t += step;
    if (std::fabs(step) < 1e-7) break;
  }
  return true;
}

}  // namespace

Sunrise SunriseOn(int year, int month, int day, double offsetHours, double eastLongitude, double latitude) {
  const double dayStart = JulianDayNumber(month, day, year) - 0.5 - offsetHours / 24.0;  // local 0h, in UT
  // The place's apparent noon within the date, near enough: the clock's noon
  // moved by the gap between the zone and the place's mean solar time.
  const double solarNoon = dayStart + 0.5 + (offsetHours - eastLongitude / 15.0) / 24.0;
  // A zone far from the place's solar time can hold the sunrise of the solar
  // day before or after: try the three.
  for (const double shift : {0.0, -1.0, 1.0}) {
    double t = solarNoon - 0.25 + shift;
    if (!RisingNear(t, eastLongitude, latitude)) continue;
    if (t >= dayStart && t < dayStart + 1.0) return {SunriseKind::Rises, t};
  }
  return {NoRiseKind(solarNoon, eastLongitude, latitude), 0.0};
}

Vara VaraAt(double julianDay, double offsetHours, double eastLongitude, double latitude) {
  CalendarMinute local = CalendarMinuteOfJulianDay(julianDay + offsetHours / 24.0);
  Sunrise rise = SunriseOn(local.year, local.month, local.day, offsetHours, eastLongitude, latitude);
  if (rise.kind == SunriseKind::Rises && julianDay < rise.julianDay) {
    // Before this date's sunrise: the Vedic day began at the previous one.
    local = CalendarMinuteOfJulianDay(julianDay + offsetHours / 24.0 - 1.0);
    rise = SunriseOn(local.year, local.month, local.day, offsetHours, eastLongitude, latitude);
  }
  return {WeekdayOf(local.year, local.month, local.day), local.year, local.month, local.day, rise};
}

}  // namespace orbisca
