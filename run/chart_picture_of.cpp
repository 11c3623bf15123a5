#include "run/chart_picture_of.h"

#include <cstdio>

namespace orbisca {

ChartPicture PictureOfChart(const Birth& b, const Chart& chart, const std::string& placeName) {
  ChartPicture p;
  for (const ZodiacSign& s : kZodiacSigns) p.signNames[static_cast<std::size_t>(s.number - 1)] = s.sanskrit;
  p.name = b.name;
  char local[48];
  std::snprintf(local, sizeof local, "%04d-%02d-%02d %02d:%02d", b.year, b.month, b.day, b.hour, b.minute);
  p.localDateTime = std::string(local) + (b.dst ? " DST" : "");
  if (!placeName.empty()) p.placeLines.push_back(placeName);
  p.placeLines.push_back(PlaceCoordinates(b));
  p.marks.push_back({std::string(kAscendantAbbreviation), chart.ascendant.where.sign,
                     FormatInSign(chart.ascendant.where), true});
  for (const BodyPosition& x : chart.bodies)
    p.marks.push_back({std::string(Abbreviation(x.body)), x.where.sign, FormatInSign(x.where), false});
  return p;
}

}  // namespace orbisca
