#include "run/records.h"

#include "aspects/aspects.h"
#include "astro/moon.h"
#include "astro/planet_position.h"

namespace orbisca {

ProgramRecords& Records() {
  static ProgramRecords records;
  return records;
}

void CalcSiderealShift() {
  ProgramRecords& r = Records();
  r.SiderealShift = SiderealShiftFor(InstantOf(r.Input));
}

void CalcMoonPosition() {
  ProgramRecords& r = Records();
  r.MoonLongitude = MoonSiderealLongitude(InstantOf(r.Input));
}

void CalcPlanetPositions() {
  ProgramRecords& r = Records();
  r.PlanetLongitudes = PlanetSiderealLongitudes(InstantOf(r.Input), r.SiderealShift);
  r.Planets = BuildPlanetTable(r.PlanetLongitudes, r.MoonLongitude);
}

std::vector<AspectEntry> CalcAspects(ResultsSink& sink) {
  std::vector<AspectEntry> aspects = FindAspects(Records().Planets);
  WriteAspects(aspects, sink);
  return aspects;
}

}  // namespace orbisca
