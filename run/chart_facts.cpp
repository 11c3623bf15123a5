#include "run/chart_facts.h"

#include <cstdio>

namespace orbisca {

double EastLongitude(const ChartInput& in) {
  const double g = in.LonDeg + in.LonMin / 60.0;
  return IsSet(in.IsEast) ? g : -g;
}

double NorthLatitude(const ChartInput& in) {
  const double l = in.LatDeg + in.LatMin / 60.0;
  return IsSet(in.IsSouth) ? -l : l;
}

ChartFacts ComputeChartFacts(const ChartInput& in) {
  return ChartFactsAt(InstantOf(in), EastLongitude(in), NorthLatitude(in));
}

std::string PlaceCoordinates(const ChartInput& in) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%d\u00B0%02d\u2032%s %d\u00B0%02d\u2032%s", in.LatDeg, in.LatMin,
                IsSet(in.IsSouth) ? "S" : "N", in.LonDeg, in.LonMin, IsSet(in.IsEast) ? "E" : "W");
  return buffer;
}

ChartPicture PictureOfChart(const ChartInput& in, const ChartFacts& facts, const std::string& placeName) {
  ChartPicture p;
  for (const ZodiacSign& s : kZodiacSigns) p.signNames[static_cast<std::size_t>(s.number - 1)] = s.sanskrit;
  p.name = in.PersonName;
  char local[48];
  std::snprintf(local, sizeof local, "%04d-%02d-%02d %02d:%02d", in.BirthYear, in.BirthMonth, in.BirthDay,
                in.BirthHour, in.BirthMinute);
  p.localDateTime = std::string(local) + (IsSet(in.IsDst) ? " DST" : "");
  if (!placeName.empty()) p.placeLines.push_back(placeName);
  p.placeLines.push_back(PlaceCoordinates(in));
  p.marks.push_back({std::string(kAscendantAbbreviation), facts.ascendantWhere.sign,
                     FormatInSign(facts.ascendantWhere), true});
  for (const BodyPosition& b : facts.bodies)
    p.marks.push_back({std::string(Abbreviation(b.body)), b.where.sign, FormatInSign(b.where), false});
  return p;
}

}  // namespace orbisca
