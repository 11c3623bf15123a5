#include "astro/planet_position.h"

#include <cmath>

#include "astro/julian.h"
#include "astro/orbital_elements.h"

namespace orbisca {

double PlanetSiderealCorrection(double T) {
  const double node = (933060.0 - 6962911.0 * T + 7.5 * T * T) / 3600.0;  // Moon's mean node
  const double twiceSun = (2013816.0 + 259205536.0 * T) / 3600.0;           // twice the Sun's mean longitude
  const double nutation = 1.27 * std::sin(twiceSun * kDegToRad) + 17.23 * std::sin(node * kDegToRad);
  const double precession = (5025.64 + 1.11 * T) * T;
  return (nutation - precession - 80861.27) / 3600.0;
}

double Centuries1900(const ChartInput& in) {
  const double jdn = JulianDayNumber(in.BirthMonth, in.BirthDay, in.BirthYear);
  return ((jdn - 2415020.0) + UniversalTimeHours(in) / 24.0 - 0.5) / 36525.0;
}

double SiderealShiftFor(const ChartInput& in) { return PlanetSiderealCorrection(Centuries1900(in)); }

namespace {

bool IsGregorianLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return (m == 2 && IsGregorianLeap(y)) ? 29 : kDays[static_cast<std::size_t>(m - 1)];
}

// Adds a number of minutes (of either sign, at most a few days' worth) to a
// calendar minute, carrying into day, month and year.
CalendarMinute AddMinutes(CalendarMinute t, int minutes) {
  int total = t.hour * 60 + t.minute + minutes;
  while (total < 0) {
    total += 24 * 60;
    if (--t.day < 1) {
      if (--t.month < 1) {
        t.month = 12;
        --t.year;
      }
      t.day = DaysInMonth(t.year, t.month);
    }
  }
  while (total >= 24 * 60) {
    total -= 24 * 60;
    if (++t.day > DaysInMonth(t.year, t.month)) {
      t.day = 1;
      if (++t.month > 12) {
        t.month = 1;
        ++t.year;
      }
    }
  }
  t.hour = total / 60;
  t.minute = total % 60;
  return t;
}

}  // namespace

CalendarMinute UniversalDateTime(const ChartInput& in) {
  CalendarMinute t{in.BirthYear, in.BirthMonth, in.BirthDay, in.BirthHour, in.BirthMinute};
  if (IsSet(in.IsDst)) t = AddMinutes(t, -60);
  t = AddMinutes(t, in.ZoneCorrHours * 60);
  return AddMinutes(t, in.ZoneCorrMinutes);
}

double PrecessionSinceJ2000(double T) { return (5028.796195 * T + 1.1054348 * T * T) / 3600.0; }

std::array<double, 9> PlanetSiderealLongitudes(double d, double siderealShift) {
  // The orbital elements give longitudes on the fixed J2000 equinox; the
  // ayanamsa is counted from the equinox of date, so precess first.
  const double precession = PrecessionSinceJ2000(d / 36525.0);
  const EclipticXY earth = EarthPosition(d);
  std::array<double, 9> out{};
  for (std::size_t i = 0; i < out.size(); ++i) {
    double s = GeocentricLongitude(i, d, earth) + precession - std::fabs(siderealShift);
    while (s < 0.0) s += 360.0;
    while (s >= 360.0) s -= 360.0;
    out[i] = s;
  }
  return out;
}

PlanetTable BuildPlanetTable(const std::array<double, 9>& p, double moonLongitude) {
  PlanetTable table;
  table.BodyNames = kSlotNames;
  // Computation order is Mercury, Venus, Sun(Earth), Mars, ... Pluto.
  table.BodyLongitudes[Index(Body::Sun)] = p[2];
  table.BodyLongitudes[Index(Body::Moon)] = moonLongitude;
  table.BodyLongitudes[Index(Body::Mercury)] = p[0];
  table.BodyLongitudes[Index(Body::Venus)] = p[1];
  for (std::size_t k = 3; k < 9; ++k) table.BodyLongitudes[k + 1] = p[k];
  return table;
}

void CalcSiderealShift() {
  ProgramRecords& r = Records();
  r.SiderealShift = SiderealShiftFor(r.Input);
}

void CalcPlanetPositions() {
  ProgramRecords& r = Records();
  const CalendarMinute ut = UniversalDateTime(r.Input);
  const double d = DayNumberJ2000(ut.year, ut.month, ut.day, ut.hour, ut.minute);
  r.PlanetLongitudes = PlanetSiderealLongitudes(d, r.SiderealShift);
  r.Planets = BuildPlanetTable(r.PlanetLongitudes, r.MoonLongitude);
}

}  // namespace orbisca
