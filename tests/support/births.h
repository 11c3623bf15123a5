#pragma once

// The births the tests share.

#include "run/birth.h"

namespace orbisca {

// 1976-07-04 10:15 Eastern Standard Time with daylight saving, 40°43'N
// 74°00'W: universal time 14:15.
inline Birth NewYork1976(std::string name = "TEST") {
  Birth b;
  b.name = std::move(name);
  b.year = 1976;
  b.month = 7;
  b.day = 4;
  b.hour = 10;
  b.minute = 15;
  b.zone = ZoneRow{27};
  b.dst = true;
  b.lonDegrees = 74;
  b.east = false;
  b.latDegrees = 40;
  b.latMinutes = 43;
  return b;
}

}  // namespace orbisca
