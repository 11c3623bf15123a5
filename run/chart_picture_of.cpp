#include "run/chart_picture_of.h"

#include "run/vedic_text.h"

namespace orbisca {

ChartPicture PictureOfChart(const Birth& b, const Chart& chart, const std::string& placeName) {
  ChartPicture p;
  for (const ZodiacSign& s : kZodiacSigns) p.signNames[static_cast<std::size_t>(s.number - 1)] = s.sanskrit;
  p.name = b.name;
  p.localDateTime = BirthClockText(b) + (b.dst ? " DST" : "");
  if (!placeName.empty()) p.placeLines.push_back(placeName);
  p.placeLines.push_back(PlaceCoordinates(b));
  p.marks.push_back({std::string(kAscendantAbbreviation), chart.ascendant.where.sign,
                     FormatInSign(chart.ascendant.where), true});
  for (const BodyPosition& x : chart.bodies)
    p.marks.push_back({std::string(Abbreviation(x.body)), x.where.sign, FormatInSign(x.where), false});
  for (const NodePosition& x : chart.nodes)
    p.marks.push_back({std::string(kNodes[static_cast<std::size_t>(x.node)].letters), x.where.sign,
                       FormatInSign(x.where), false});
  return p;
}

std::array<int, kVargaPointCount> VargaSignsOf(const Chart& chart, Varga varga) {
  const std::array<int, kVargaPointCount>& stored = chart.vargas.Of(varga);
  if (stored[kVargaAscendant] != 0) return stored;
  // Computed without the vargas: the same whole seconds of arc give the same signs.
  std::array<int, kVargaPointCount> signs{};
  for (std::size_t i = 0; i < kBodyCount; ++i) signs[i] = VargaSign(varga, chart.bodies[i].longitude);
  signs[kVargaRahu] = VargaSign(varga, chart.nodes[0].longitude);
  signs[kVargaKetu] = VargaSign(varga, chart.nodes[1].longitude);
  signs[kVargaAscendant] = VargaSign(varga, chart.ascendant.longitude);
  return signs;
}

ChartPicture PictureOfVarga(const Birth& birth, const Chart& chart, const std::string& placeName, Varga varga) {
  ChartPicture p = PictureOfChart(birth, chart, placeName);
  if (varga == Varga::D1) return p;
  const std::array<int, kVargaPointCount> signs = VargaSignsOf(chart, varga);
  // PictureOfChart's marks: the lagna, the ten bodies, Rahu and Ketu.
  p.marks[0].sign = signs[kVargaAscendant];
  for (std::size_t i = 0; i < kBodyCount + 2; ++i) p.marks[i + 1].sign = signs[i];
  for (PictureMark& m : p.marks) m.degrees.clear();
  p.chartName = std::string(VargaRowOf(varga).name) + " (D" + std::to_string(Divisions(varga)) + ") chart";
  return p;
}

std::string VargaPictureSvg(const Birth& birth, const Chart& chart, const std::string& placeName, Varga varga,
                            ChartStyle style) {
  return ChartPictureSvg(PictureOfVarga(birth, chart, placeName, varga), style);
}

}  // namespace orbisca
