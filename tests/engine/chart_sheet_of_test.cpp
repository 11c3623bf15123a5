// The chart sheet and the varga pictures filled from a computed chart: the
// birth data as given, every body, node and the lagna with its navamsa, the
// nine mahadashas, every aspect, whatever the chart was computed with.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "run/chart_picture_of.h"
#include "run/chart_sheet_of.h"
#include "tests/support/births.h"

namespace orbisca {
namespace {

// The navamsa of a longitude the short way: D9 is 9 x the longitude, read as a rasi.
int NavamsaByNine(double longitude) {
  const double arcSeconds = static_cast<double>(ArcSecondsOf(longitude));
  return static_cast<int>(std::fmod(std::floor(arcSeconds * 9.0 / 108000.0), 12.0)) + 1;
}

Birth Mumbai1990() {
  Birth b = NewYork1976("Mumbai");
  b.year = 1990;
  b.month = 1;
  b.day = 26;
  b.hour = 23;
  b.minute = 50;
  b.zone = ZoneOffset{330, "Asia/Kolkata"};
  b.dst = false;
  b.lonDegrees = 72;
  b.lonMinutes = 50;
  b.east = true;
  b.latDegrees = 18;
  b.latMinutes = 58;
  return b;
}

TEST(ChartSheetOf, BirthLinesGiveDateZoneOffsetPlaceAndCoordinates) {
  struct Case {
    Birth birth;
    std::string place;
    std::vector<std::string> lines;
  };
  Birth bare = Mumbai1990();
  bare.zone = ZoneOffset{-210, {}};
  bare.south = true;
  const Case cases[] = {
      {NewYork1976("Test Person"),
       "New York",
       {"Born 1976-07-04 10:15 local time, daylight saving", "Zone Eastern Standard Time, clock at UTC-4:00",
        "Place New York, 40\u00B043\u2032N 74\u00B000\u2032W"}},
      {Mumbai1990(),
       "Mumbai, Maharashtra, India",
       {"Born 1990-01-26 23:50 local time", "Zone Asia/Kolkata, clock at UTC+5:30",
        "Place Mumbai, Maharashtra, India, 18\u00B058\u2032N 72\u00B050\u2032E"}},
      {bare, "", {"Born 1990-01-26 23:50 local time", "Clock at UTC-3:30", "Place 18\u00B058\u2032S 72\u00B050\u2032E"}},
  };
  for (const Case& c : cases) {
    const Chart chart = ComputeChart(c.birth);
    const ChartSheet sheet = ChartSheetOf(c.birth, chart, c.place, ChartStyle::North);
    EXPECT_EQ(sheet.name, c.birth.name);
    EXPECT_EQ(sheet.birthLines, c.lines);
    EXPECT_EQ(sheet.instantLine, InstantLine(chart.instant));
    EXPECT_EQ(sheet.style, ChartStyle::North);
  }
}

// The choices the chart was computed with are printed with it.
TEST(ChartSheetOf, ParticularsNameTheNodeAndTheDashaYear) {
  const Birth birth = NewYork1976();
  ChartOptions options;
  options.nodeKind = NodeKind::True;
  options.dashaYear = DashaYear::Savana;
  const ChartSheet sheet = ChartSheetOf(birth, ComputeChart(birth, options), "", ChartStyle::South);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"Lagna", "Simha (Leo) 14°40′"}, {"Rasi", "Kanya (Virgo)"}, {"Nakshatra", "Hasta, pada 3"},
      {"Weekday", "Sunday"}, {"Vara", "Ravivara from sunrise 05:30"}, {"Tithi", "8, Shukla Ashtami"},
      {"Yoga", "19, Parigha"}, {"Karana", "15, Vishti"}, {"Nodes", "true node"}, {"Dasha year", "360 days (savana)"}};
  EXPECT_EQ(sheet.particulars, expected);
}

// Computed with or without the vargas and the periods, the sheet is the same
// and whole: 13 positions with the navamsa of 9 x the longitude, nine
// mahadashas that follow each other from the balance's lord, every aspect.
TEST(ChartSheetOf, WholeWhateverTheChartWasComputedWith) {
  const char* const kNames[] = {"Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn",
                                "Uranus", "Neptune", "Pluto", "Rahu", "Ketu", "Lagna"};
  for (const Birth& birth : {NewYork1976(), Mumbai1990()}) {
    const Chart full = ComputeChart(birth);
    ChartOptions lean;
    lean.vargas = false;
    lean.dashaLevels = 0;
    const ChartSheet sheet = ChartSheetOf(birth, full, "", ChartStyle::South);
    const ChartSheet leanSheet = ChartSheetOf(birth, ComputeChart(birth, lean), "", ChartStyle::South);
    EXPECT_EQ(leanSheet.positions, sheet.positions);
    EXPECT_EQ(leanSheet.mahadashas, sheet.mahadashas);
    EXPECT_EQ(ChartPictureSvg(leanSheet.navamsa), ChartPictureSvg(sheet.navamsa));

    ASSERT_EQ(sheet.positions.size(), 13u);
    std::vector<double> longitudes;
    for (const BodyPosition& b : full.bodies) longitudes.push_back(b.longitude);
    for (const NodePosition& n : full.nodes) longitudes.push_back(n.longitude);
    longitudes.push_back(full.ascendant.longitude);
    for (std::size_t i = 0; i < 13; ++i) {
      SCOPED_TRACE(kNames[i]);
      EXPECT_EQ(sheet.positions[i][0], kNames[i]);
      EXPECT_EQ(sheet.positions[i][1], SignName(ZodiacPositionOf(longitudes[i]).sign));
      EXPECT_EQ(sheet.positions[i][5], SignName(NavamsaByNine(longitudes[i])));
    }

    ASSERT_EQ(sheet.mahadashas.size(), 9u);
    DashaLord lord = full.dasha.balance.lord;
    EXPECT_EQ(sheet.mahadashas[0][0], LordName(lord));
    for (std::size_t i = 1; i < 9; ++i) {
      lord = NextLord(lord);
      EXPECT_EQ(sheet.mahadashas[i][0], LordName(lord));
      EXPECT_EQ(sheet.mahadashas[i][1], sheet.mahadashas[i - 1][2]) << "each starts where the one before ends";
    }

    std::size_t lines = 0;
    for (const ChartSheet::AspectKind& kind : sheet.aspects) {
      EXPECT_FALSE(kind.lines.empty()) << kind.heading;
      lines += kind.lines.size();
    }
    EXPECT_EQ(lines, full.aspects.size());
  }
}

// Every varga's picture puts each mark in the sign the varga gives its
// longitude, from the chart's table or, without it, from the longitudes.
TEST(PictureOfVarga, EachMarkInItsVargaSign) {
  const Birth birth = Mumbai1990();
  const Chart full = ComputeChart(birth);
  ChartOptions lean;
  lean.vargas = false;
  const Chart withoutVargas = ComputeChart(birth, lean);
  const ChartPicture rasi = PictureOfChart(birth, full, "Mumbai");
  for (const VargaRow& row : kVargas) {
    SCOPED_TRACE(row.name);
    const ChartPicture p = PictureOfVarga(birth, full, "Mumbai", row.varga);
    ASSERT_EQ(p.marks.size(), rasi.marks.size());
    for (std::size_t i = 0; i < p.marks.size(); ++i) {
      const double longitude = i == 0 ? full.ascendant.longitude
                               : i <= kBodyCount ? full.bodies[i - 1].longitude
                                                 : full.nodes[i - 1 - kBodyCount].longitude;
      EXPECT_EQ(p.marks[i].letters, rasi.marks[i].letters);
      EXPECT_EQ(p.marks[i].sign, VargaSign(row.varga, longitude)) << p.marks[i].letters;
      EXPECT_EQ(p.marks[i].lagna, i == 0);
    }
    const ChartPicture lean2 = PictureOfVarga(birth, withoutVargas, "Mumbai", row.varga);
    for (std::size_t i = 0; i < p.marks.size(); ++i) EXPECT_EQ(lean2.marks[i].sign, p.marks[i].sign);
  }
  EXPECT_EQ(PictureOfVarga(birth, full, "Mumbai", Varga::D9).chartName, "Navamsa (D9) chart");
  const ChartPicture d1 = PictureOfVarga(birth, full, "Mumbai", Varga::D1);
  EXPECT_EQ(d1.chartName, rasi.chartName);
  EXPECT_EQ(ChartPictureSvg(d1), ChartPictureSvg(rasi)) << "the rasi picture keeps its bytes";
  for (ChartStyle style : {ChartStyle::South, ChartStyle::North})
    EXPECT_EQ(VargaPictureSvg(birth, full, "Mumbai", Varga::D9, style),
              ChartPictureSvg(PictureOfVarga(birth, full, "Mumbai", Varga::D9), style));
}

}  // namespace
}  // namespace orbisca
