#!/usr/bin/env python3
"""Reference ascendants for the engine tests, computed another way than the
engine does.

- Julian day: Meeus, "Astronomical Algorithms", 2nd ed., eq. 7.1.
- Sidereal time: the IAU 1982 expression in its original form (Aoki et al.
  1982, A&A 105, 359): GMST at 0h UT in seconds, 24110.54841 + 8640184.812866 Tu
  + 0.093104 Tu^2 - 6.2e-6 Tu^3, plus the elapsed universal time times the
  ratio of sidereal to solar time 1.002737909350795 + 5.9006e-11 Tu - 5.9e-15 Tu^2.
- Obliquity: Lieske et al. 1977, 84381.448" - 46.8150" T - 0.00059" T^2 + 0.001813" T^3.
- Ascendant: by vectors, not by the tangent formula. The line where the
  horizon plane meets the ecliptic plane is the cross product of the zenith
  and the ecliptic pole; of its two ends the ascendant is the one on the
  eastern side. Its ecliptic longitude comes from rotating it by the obliquity.

Prints one C++ table row per case: year, month, day, hour, minute, east
longitude, latitude, tropical ascendant in degrees.
"""
import math


def julian_day(y, m, d, hour, minute):
    if m <= 2:
        y, m = y - 1, m + 12
    a = y // 100
    b = 2 - a + a // 4
    day = d + (hour + minute / 60.0) / 24.0
    return math.floor(365.25 * (y + 4716)) + math.floor(30.6001 * (m + 1)) + day + b - 1524.5


def gmst_degrees(jd):
    jd0 = math.floor(jd - 0.5) + 0.5
    tu = (jd0 - 2451545.0) / 36525.0
    seconds = 24110.54841 + 8640184.812866 * tu + 0.093104 * tu ** 2 - 6.2e-6 * tu ** 3
    ratio = 1.002737909350795 + 5.9006e-11 * tu - 5.9e-15 * tu ** 2
    seconds += (jd - jd0) * 86400.0 * ratio
    return (seconds / 240.0) % 360.0


def obliquity(jd):
    t = (jd - 2451545.0) / 36525.0
    return (84381.448 - 46.8150 * t - 0.00059 * t ** 2 + 0.001813 * t ** 3) / 3600.0


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def ascendant(jd, east_lon, lat):
    theta = math.radians(gmst_degrees(jd) + east_lon)
    phi = math.radians(lat)
    eps = math.radians(obliquity(jd))
    zenith = (math.cos(phi) * math.cos(theta), math.cos(phi) * math.sin(theta), math.sin(phi))
    east = (-math.sin(theta), math.cos(theta), 0.0)
    pole = (0.0, -math.sin(eps), math.cos(eps))
    line = cross(zenith, pole)
    if sum(l * e for l, e in zip(line, east)) < 0:
        line = tuple(-c for c in line)
    x = line[0]
    y = line[1] * math.cos(eps) + line[2] * math.sin(eps)
    return math.degrees(math.atan2(y, x)) % 360.0


CASES = [
    # the equator
    (2000, 1, 1, 12, 0, 0.0, 0.0),
    (1987, 4, 10, 19, 21, 77.2, 0.0),
    (1943, 11, 30, 4, 5, -78.5, 0.0),
    # 51 degrees north
    (1965, 12, 21, 3, 40, -0.116667, 51.5),
    (2024, 6, 21, 15, 0, 7.0, 51.0),
    (1911, 2, 28, 23, 59, 30.5, 51.0),
    # 35 degrees south
    (1950, 3, 15, 22, 5, 149.133333, -35.283333),
    (2010, 9, 1, 6, 30, -58.0, -35.0),
    # 66 degrees north
    (1999, 8, 11, 11, 0, 25.0, 66.0),
    (1930, 1, 10, 1, 20, -18.0, 66.0),
    (2045, 10, 3, 17, 45, 25.0, 66.0),
    # within the polar circles, where the tangent formula's usual quadrant
    # gives the western point at these times (Swiss Ephemeris' swe_houses_armc
    # gives the eastern one, as here)
    (2033, 12, 24, 9, 10, 15.0, 78.0),
    (1960, 6, 1, 16, 30, -60.0, -80.0),
    # a birth of the position tests: 1976-07-04 14:15 UT at 40 deg 43' N, 74 deg W
    (1976, 7, 4, 14, 15, -74.0, 40.716667),
]

if __name__ == "__main__":
    for y, m, d, h, mi, lon, lat in CASES:
        jd = julian_day(y, m, d, h, mi)
        print(f"    {{{y}, {m}, {d}, {h}, {mi}, {lon}, {lat}, {ascendant(jd, lon, lat):.6f}}},  // JD {jd}")
