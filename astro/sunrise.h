#pragma once

// Sunrise at a place, and the Vedic day (vara) that runs from one sunrise to
// the next.

namespace orbisca {

enum class SunriseKind {
  Rises,       // the upper limb crosses the horizon that local day
  PolarDay,    // the Sun stays above the horizon: no sunrise that day
  PolarNight,  // the Sun stays below the horizon: no sunrise that day
};

struct Sunrise {
  SunriseKind kind;
  double julianDay;  // universal time of the sunrise; 0 unless kind is Rises
};

// The sunrise on a local civil date: the moment the Sun's upper limb meets
// the sea-level horizon, with 34' of refraction and a 16' semi-diameter
// (altitude of the centre -0°50'), as the U.S. Naval Observatory defines it
// and Meeus computes it ("Astronomical Algorithms" 2nd ed., ch. 15, with the
// Sun of ch. 25 and the sidereal time of eq. 12.4). offsetHours is the local
// clock's offset from universal time (east positive), which fixes the date's
// 24 hours; longitude east positive, latitude north positive, in degrees.
// A sunrise that would fall outside the date's 24 hours (only next to polar
// day or night) counts as none, by the Sun's altitude at local noon.
Sunrise SunriseOn(int year, int month, int day, double offsetHours, double eastLongitude, double latitude);

struct Vara {
  int weekday;           // 0 = Sunday .. 6 = Saturday
  int year, month, day;  // the local civil date whose sunrise starts the Vedic day
  Sunrise sunrise;       // that sunrise; when the Sun does not rise that day the
                         // vara is the civil weekday, and kind says why
};

// The Vedic day of an instant (Julian day, universal time) at a place: a
// moment before the local date's sunrise belongs to the day before.
Vara VaraAt(double julianDay, double offsetHours, double eastLongitude, double latitude);

}  // namespace orbisca
