#include "run/records.h"

namespace orbisca {

ProgramRecords& Records() {
  static ProgramRecords records;
  return records;
}

void CalcSiderealShift() { Records().SiderealShift = ComputeChart(Records().Input).instant.siderealShift; }

void CalcMoonPosition() { Records().MoonLongitude = ComputeChart(Records().Input).planets.Longitude(Body::Moon); }

void CalcPlanetPositions() { Records().Planets = ComputeChart(Records().Input).planets; }

std::vector<AspectEntry> CalcAspects() { return ComputeChart(Records().Input).aspects; }

}  // namespace orbisca
