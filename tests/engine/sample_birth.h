#pragma once

// The birth the picture and sheet tests draw: 1976-07-04 10:15 daylight-saving
// time, zone 5 h west, 40°43′N 74°00′W (New York).

#include <string>

#include "run/records.h"

namespace orbisca {

inline ChartInput SampleBirth(const std::string& name) {
  ChartInput in;
  in.PersonName = name;
  in.BirthYear = 1976;
  in.BirthMonth = 7;
  in.BirthDay = 4;
  in.BirthHour = 10;
  in.BirthMinute = 15;
  in.ZoneHours = 5;
  in.ZoneCorrHours = 5;
  in.LonDeg = 74;
  in.LatDeg = 40;
  in.LatMin = 43;
  in.IsDst = kTrue;
  return in;
}

}  // namespace orbisca
