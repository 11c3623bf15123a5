// Writes chart sheet pages for the rendering test: DIR/sheet-1.svg and
// DIR/sheet-2.svg for a whole chart in the South Indian style, DIR/north-1.svg
// for the same in the North Indian style without aspects, and
// DIR/hostile-1.svg, DIR/hostile-2.svg for hostile texts and far too many
// aspect lines. The mahadasha rows are sample text: the sheet takes them as
// given. With a second argument, also the whole chart's sheet as a PDF there,
// through the PDF module; a failure is reported with status 1.
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "astro/vargas.h"
#include "report/chart_sheet.h"
#include "report/pdf/pdf_file.h"
#include "run/chart.h"
#include "run/chart_picture_of.h"
#include "tests/support/births.h"

namespace {

using orbisca::ChartSheet;

bool WritePages(const std::string& prefix, const std::vector<std::string>& pages) {
  bool ok = true;
  for (std::size_t i = 0; i < pages.size(); ++i) {
    std::ofstream out(prefix + "-" + std::to_string(i + 1) + ".svg", std::ios::binary);
    out << pages[i];
    ok &= static_cast<bool>(out.flush());
  }
  return ok;
}

// The navamsa picture of a rasi picture's chart: each mark moved to the sign
// its longitude takes in D9.
orbisca::ChartPicture Navamsa(orbisca::ChartPicture rasi, const orbisca::Chart& chart) {
  for (orbisca::PictureMark& m : rasi.marks) {
    double longitude = chart.ascendant.longitude;
    for (const orbisca::BodyPosition& b : chart.bodies)
      if (m.letters == orbisca::Abbreviation(b.body)) longitude = b.longitude;
    for (const orbisca::NodePosition& n : chart.nodes)
      if (m.letters == orbisca::kNodes[static_cast<std::size_t>(n.node)].letters) longitude = n.longitude;
    m.sign = orbisca::VargaSign(orbisca::Varga::D9, longitude);
    m.degrees.clear();
  }
  rasi.chartName = "Navamsa chart";
  return rasi;
}

ChartSheet WholeSheet() {
  const orbisca::Birth in = orbisca::NewYork1976("Test Person");
  const orbisca::Chart facts = orbisca::ComputeChart(in);
  ChartSheet sheet;
  sheet.name = "Test Person";
  sheet.birthLines = {"Born 1976-07-04 10:15 local time (daylight-saving)", "Zone Eastern, UTC\u221204:00",
                      "New York, 40\u00B043\u2032N 74\u00B000\u2032W"};
  sheet.instantLine = orbisca::InstantLine(facts.instant);
  for (const orbisca::BodyPosition& b : facts.bodies) {
    const orbisca::ZodiacPosition& w = b.where;
    sheet.positions.push_back({std::string(orbisca::BodyName(b.body)), orbisca::SignName(w.sign),
                               orbisca::FormatInSign(w), std::string(orbisca::NakshatraName(w.nakshatra)),
                               std::to_string(w.pada),
                               orbisca::SignName(orbisca::VargaSign(orbisca::Varga::D9, b.longitude))});
  }
  const orbisca::ZodiacPosition& a = facts.ascendant.where;
  sheet.positions.push_back({"Lagna", orbisca::SignName(a.sign), orbisca::FormatInSign(a),
                             std::string(orbisca::NakshatraName(a.nakshatra)), std::to_string(a.pada),
                             orbisca::SignName(orbisca::VargaSign(orbisca::Varga::D9, facts.ascendant.longitude))});
  sheet.particulars = {{"Lagna", orbisca::SignName(a.sign)},
                       {"Rasi", orbisca::SignName(facts.bodies[1].where.sign)},
                       {"Nakshatra", std::string(orbisca::NakshatraName(facts.bodies[1].where.nakshatra)) + ", pada " +
                                         std::to_string(facts.bodies[1].where.pada)}};
  sheet.rasi = PictureOfChart(in, facts, "New York");
  sheet.rasi.name = "Rasi";  // the sheet names the person above; the centre names the chart
  sheet.rasi.localDateTime.clear();
  sheet.rasi.placeLines.clear();
  sheet.navamsa = Navamsa(sheet.rasi, facts);
  sheet.navamsa.name = "Navamsa";
  sheet.dashaBalance = "Balance at birth: sample 3 y 4 m 12 d";
  for (const char* lord : {"Moon", "Mars", "Rahu", "Jupiter", "Saturn", "Mercury", "Ketu", "Venus", "Sun"})
    sheet.mahadashas.push_back({lord, "1976-07-04", "1986-07-04"});
  sheet.aspects = {{"Conjunction", {"Sun conjunct Mercury 1\u00B012\u2032", "Moon conjunct Pluto 1\u00B056\u2032"}},
                   {"Trine", {"Mars trine Saturn 4\u00B052\u2032"}}};
  return sheet;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::cerr << "usage: chart_sheet_dump DIR [PDF]\n";
    return 2;
  }
  const std::string dir = argv[1];
  ChartSheet sheet = WholeSheet();
  if (argc == 3) {
    if (const auto failure = orbisca::pdf::WritePdf(argv[2], orbisca::ChartSheetSvgPages(sheet))) {
      std::cerr << *failure << "\n";
      return 1;
    }
  }
  bool ok = WritePages(dir + "/sheet", orbisca::ChartSheetSvgPages(sheet));
  sheet.style = orbisca::ChartStyle::North;
  sheet.aspects.clear();
  ok &= WritePages(dir + "/north", orbisca::ChartSheetSvgPages(sheet));

  ChartSheet hostile = WholeSheet();
  hostile.name = "<script>&\"'" + std::string(80, 'W');
  hostile.birthLines = {"</text>&amp; " + std::string(120, 'm'), "\x01\xff bad bytes"};
  hostile.positions.front()[3] = std::string(60, 'M');
  hostile.aspects = {{std::string(90, 'W'), std::vector<std::string>(300, std::string(70, 'm'))}};
  ok &= WritePages(dir + "/hostile", orbisca::ChartSheetSvgPages(hostile));
  return ok ? 0 : 1;
}
