// The chart behind the aspects: sidereal time, obliquity, the ascendant, the
// sign and nakshatra of a longitude, and the chart picture's layout.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <string_view>

#include "astro/ascendant.h"
#include "astro/julian.h"
#include "astro/moon.h"
#include "astro/planet_position.h"
#include "astro/zodiac.h"
#include "report/chart_picture.h"
#include "svg_texts.h"

namespace orbisca {
namespace {

double ArcsecApart(double a, double b) {
  double d = std::fmod(a - b, 360.0);
  if (d > 180.0) d -= 360.0;
  if (d < -180.0) d += 360.0;
  return std::fabs(d) * 3600.0;
}

// Meeus, "Astronomical Algorithms", 2nd ed.: examples 12.a and 12.b (sidereal
// time at Greenwich) and 22.a (mean obliquity, 23°26'27.407").
TEST(SiderealTime, MeeusExamples) {
  EXPECT_LT(ArcsecApart(GreenwichMeanSiderealTime(2446895.5), 197.693195), 0.005);
  EXPECT_LT(ArcsecApart(GreenwichMeanSiderealTime(2446896.30625), 128.7378734), 0.005);
  EXPECT_NEAR(MeanObliquity(-0.127296372348) * 3600.0, 23 * 3600 + 26 * 60 + 27.407, 0.001);
}

// Tropical ascendants from tests/engine/reference/ascendant_reference.py: the
// IAU 1982 sidereal time in its original seconds form (Aoki et al. 1982) and
// the ascendant found by vectors, as the eastern end of the line where the
// horizon and ecliptic planes meet, not by the tangent formula. Swiss
// Ephemeris' swe_houses_armc gives the same ascendants for the polar rows.
TEST(Ascendant, MatchesTheVectorMethod) {
  struct Row {
    int y, mo, d, h, mi;
    double eastLon, lat, ascendant;
  };
  const Row rows[] = {
      {2000, 1, 1, 12, 0, 0.0, 0.0, 11.377876},
      {1987, 4, 10, 19, 21, 77.2, 0.0, 294.048792},
      {1943, 11, 30, 4, 5, -78.5, 0.0, 138.478737},
      {1965, 12, 21, 3, 40, -0.116667, 51.5, 218.167442},
      {2024, 6, 21, 15, 0, 7.0, 51.0, 216.941324},
      {1911, 2, 28, 23, 59, 30.5, 51.0, 249.777606},
      {1950, 3, 15, 22, 5, 149.133333, -35.283333, 19.399972},
      {2010, 9, 1, 6, 30, -58.0, -35.0, 91.980523},
      {1999, 8, 11, 11, 0, 25.0, 66.0, 212.359011},
      {1930, 1, 10, 1, 20, -18.0, 66.0, 191.487835},
      {2045, 10, 3, 17, 45, 25.0, 66.0, 103.380732},
      {2033, 12, 24, 9, 10, 15.0, 78.0, 21.677036},
      {1960, 6, 1, 16, 30, -60.0, -80.0, 188.932522},
      {1976, 7, 4, 14, 15, -74.0, 40.716667, 158.200406},
  };
  for (const Row& r : rows) {
    const double jd = kJulianDayJ2000 + DayNumberJ2000(r.y, r.mo, r.d, r.h, r.mi);
    const double asc = TropicalAscendant(jd, r.eastLon, r.lat);
    EXPECT_LT(ArcsecApart(asc, r.ascendant), 1.0) << r.y << "-" << r.mo << "-" << r.d << " lat " << r.lat << ": " << asc;
    EXPECT_GE(asc, 0.0);
    EXPECT_LT(asc, 360.0);
  }
}

double Dms(int d, int m, double s) { return d + m / 60.0 + s / 3600.0; }

TEST(Zodiac, SignAndSecondBoundaries) {
  struct Row {
    const char* what;
    double longitude;
    ZodiacPosition expected;
  };
  const Row rows[] = {
      {"29°59'59\"", Dms(29, 59, 59), {1, 29, 59, 59, 3, 1}},
      {"29°59'59.9\"", Dms(29, 59, 59.9), {1, 29, 59, 59, 3, 1}},
      {"30°00'00\"", 30.0, {2, 0, 0, 0, 3, 2}},
      {"30° written as minutes", Dms(29, 59, 60), {2, 0, 0, 0, 3, 2}},
      {"12°59'59.99\"", Dms(12, 59, 59.99), {1, 12, 59, 59, 1, 4}},
      {"359°59'", Dms(359, 59, 0), {12, 29, 59, 0, 27, 4}},
      {"359°59'59.9\"", Dms(359, 59, 59.9), {12, 29, 59, 59, 27, 4}},
      {"0°", 0.0, {1, 0, 0, 0, 1, 1}},
      {"360°", 360.0, {1, 0, 0, 0, 1, 1}},
      {"-0.5°", -0.5, {12, 29, 30, 0, 27, 4}},
      {"719°", 719.0, {12, 29, 0, 0, 27, 4}},
  };
  for (const Row& r : rows) EXPECT_EQ(ZodiacPositionOf(r.longitude), r.expected) << r.what;
}

// Each nakshatra spans 13°20', each pada 3°20': one second below every edge
// belongs to the part before it, the edge itself to the next.
TEST(Zodiac, EveryNakshatraAndPadaEdge) {
  for (int edge = 1; edge < 108; ++edge) {
    const int wholeMinutes = edge * 200;  // 3°20' = 200'
    const double at = wholeMinutes / 60.0;
    const double below = at - 1.0 / 3600.0;
    SCOPED_TRACE(edge);
    const ZodiacPosition before = ZodiacPositionOf(below);
    const ZodiacPosition after = ZodiacPositionOf(at);
    EXPECT_EQ(before.nakshatra, (edge - 1) / 4 + 1);
    EXPECT_EQ(before.pada, (edge - 1) % 4 + 1);
    EXPECT_EQ(after.nakshatra, edge / 4 + 1);
    EXPECT_EQ(after.pada, edge % 4 + 1);
    EXPECT_EQ(after.degrees * 60 + after.minutes, wholeMinutes % 1800);
    EXPECT_EQ(after.seconds, 0);
  }
}

TEST(Zodiac, Names) {
  for (std::size_t i = 0; i < kZodiacSigns.size(); ++i) EXPECT_EQ(kZodiacSigns[i].number, static_cast<int>(i) + 1);
  for (std::size_t i = 0; i < kNakshatras.size(); ++i) EXPECT_EQ(kNakshatras[i].number, static_cast<int>(i) + 1);
  EXPECT_EQ(SignName(1), "Mesha (Aries)");
  EXPECT_EQ(SignName(12), "Meena (Pisces)");
  EXPECT_EQ(NakshatraName(1), "Ashwini");
  EXPECT_EQ(NakshatraName(27), "Revati");
  EXPECT_EQ(FormatArcDms(-23.532879), "23\u00B031\u203258\u2033");
  EXPECT_EQ(FormatInSign(ZodiacPositionOf(Dms(48, 5, 59))), "18\u00B005\u2032");
}

// Row and column of each sign's cell in a South Indian chart, sign 1 first:
// Mesha second from the left on top, clockwise, Meena in the top-left corner.
constexpr int kRow[12] = {0, 0, 0, 1, 2, 3, 3, 3, 3, 2, 1, 0};
constexpr int kColumn[12] = {1, 2, 3, 3, 3, 3, 2, 1, 0, 0, 0, 0};

TEST(ChartPicture, EveryMarkInsideItsSignsCell) {
  ChartPicture p;
  p.name = "TEST";
  for (int sign = 1; sign <= 12; ++sign) {
    // One sign holds all eleven marks, one the eight of a great stellium.
    const int count = sign == 5 ? 11 : sign == 10 ? 8 : sign % 3;
    for (int k = 0; k < count; ++k)
      p.marks.push_back({"M" + std::to_string(sign) + "k" + std::to_string(k), sign, "29\u00B059\u2032", k == 0});
  }
  const std::vector<SvgText> texts = TextsOf(ChartPictureSvg(p));
  std::size_t marks = 0;
  for (const SvgText& t : texts) {
    if (t.cls.rfind("mark", 0) != 0) continue;
    ++marks;
    const int sign = std::stoi(t.text.substr(1));
    const double left = 100.0 * kColumn[sign - 1], top = 100.0 * kRow[sign - 1];
    const double width = t.size * ConservativeWidthEm(t.text, t.cls.find("lagna") != std::string::npos);
    SCOPED_TRACE(t.text);
    EXPECT_GE(t.x, left);
    EXPECT_LE(t.x + width, left + 100.0);
    EXPECT_GE(t.y - t.size, top);          // ascent at most one size
    EXPECT_LE(t.y + 0.25 * t.size, top + 100.0);  // descent at most a quarter
    EXPECT_GE(t.size, sign == 5 ? 5.5 : 8.0);
  }
  EXPECT_EQ(marks, p.marks.size());
}

// A long place is wrapped between words, never cut, and no text of the
// picture is smaller than the signs' names (9 units), so the window can size
// the picture to its body font from that smallest text.
TEST(ChartPicture, LongPlaceWrapsWithoutLosingWords) {
  ChartPicture p;
  p.name = "Ada Lovelace";
  p.localDateTime = "1815-12-10 13:00 UTC+0";
  p.placeLines = {"Llanfairpwllgwyngyll, Wales, United Kingdom of Great Britain", "53\u00B013\u2032N 4\u00B012\u2032W"};
  for (const ZodiacSign& s : kZodiacSigns) p.signNames[static_cast<std::size_t>(s.number - 1)] = s.sanskrit;
  std::string centre;
  double smallest = 1e9;
  for (const SvgText& t : TextsOf(ChartPictureSvg(p))) {
    smallest = std::min(smallest, t.size);
    if (t.cls == "centre") centre += t.text + "|";
  }
  EXPECT_EQ(centre, "1815-12-10 13:00 UTC+0|Llanfairpwllgwyngyll,|Wales, United Kingdom of|Great Britain|"
                    "53\u00B013\u2032N 4\u00B012\u2032W|");
  EXPECT_GE(smallest, 9.0);
}

// Where the centre's texts are drawn is checked by drawing them, with librsvg
// (chart_picture_render.sh) and Qt SVG (the chart tab's tests).
TEST(ChartPicture, HostileTextsStayEscaped) {
  ChartPicture p;
  p.name = "<script>&\"'" + std::string(49, 'W');
  ASSERT_EQ(p.name.size(), 60u);
  p.localDateTime = "1976-07-04 10:15";
  p.placeLines = {"</text><text>&amp;" + std::string(40, 'M'), "\x01\xff bad bytes"};
  p.marks = {{"As", 0, "1\u00B000\u2032", true}, {"Su", 13, "1\u00B000\u2032", false}};  // no such signs
  const std::string svg = ChartPictureSvg(p);
  EXPECT_EQ(svg.find("<script"), std::string::npos);
  EXPECT_EQ(svg.find("</text><text>&amp;"), std::string::npos);
  EXPECT_NE(svg.find("&lt;script&gt;&amp;&quot;&apos;WWW"), std::string::npos);
  EXPECT_NE(svg.find("\xEF\xBF\xBD bad bytes"), std::string::npos);
  EXPECT_EQ(svg.find('\x01'), std::string::npos);
  for (const SvgText& t : TextsOf(svg)) EXPECT_EQ(t.cls.rfind("mark", 0), std::string::npos) << "a mark without a sign";
}

// The houses of the North Indian chart in its 400-unit square, house 1 the
// top-centre diamond and the rest counted anticlockwise: 2 the top-left
// triangle, 4 the left diamond, 7 the bottom one, 10 the right one.
struct Corner {
  double x, y;
};
const std::vector<std::vector<Corner>> kNorthHouseFrames = {
    {{200, 0}, {300, 100}, {200, 200}, {100, 100}}, {{0, 0}, {200, 0}, {100, 100}},
    {{0, 0}, {100, 100}, {0, 200}},                 {{0, 200}, {100, 100}, {200, 200}, {100, 300}},
    {{0, 200}, {100, 300}, {0, 400}},               {{0, 400}, {100, 300}, {200, 400}},
    {{200, 200}, {300, 300}, {200, 400}, {100, 300}}, {{200, 400}, {300, 300}, {400, 400}},
    {{400, 200}, {400, 400}, {300, 300}},           {{200, 200}, {300, 100}, {400, 200}, {300, 300}},
    {{400, 0}, {400, 200}, {300, 100}},             {{200, 0}, {400, 0}, {300, 100}},
};

bool InsideConvex(const std::vector<Corner>& polygon, double x, double y) {
  bool positive = false, negative = false;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const Corner a = polygon[i], b = polygon[(i + 1) % polygon.size()];
    const double cross = (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x);
    positive |= cross > 1e-6;
    negative |= cross < -1e-6;
  }
  return !(positive && negative);
}

// A middle-anchored text's box, its ascent one size and its descent a quarter,
// lies inside the polygon.
bool TextInside(const SvgText& t, const std::vector<Corner>& polygon, bool bold) {
  const double half = t.size * ConservativeWidthEm(t.text, bold) / 2.0;
  for (double x : {t.x - half, t.x + half})
    for (double y : {t.y - t.size, t.y + 0.25 * t.size})
      if (!InsideConvex(polygon, x, y)) return false;
  return true;
}

// For every ascendant: each house carries the number of the sign that falls
// in it, and each mark sits in the house of its sign, counted from the
// ascendant's house, however many share it: the ten bodies and the two nodes
// in the second house, four in the fifth sign.
TEST(NorthChartPicture, EveryMarkInItsHouseForEveryAscendant) {
  for (int ascendant = 1; ascendant <= 12; ++ascendant) {
    SCOPED_TRACE("ascendant " + std::to_string(ascendant));
    ChartPicture p;
    p.name = "TEST";
    p.marks.push_back({"As", ascendant, "29\u00B059\u2032", true});
    for (int sign = 1; sign <= 12; ++sign) {
      const int count = sign == ascendant % 12 + 1 ? 12 : sign == 5 ? 4 : 1 + sign % 2;
      for (int k = 0; k < count; ++k)
        p.marks.push_back({"M" + std::to_string(sign) + "k" + std::to_string(k), sign, "28\u00B058\u2032", false});
    }
    std::size_t marks = 0, numbers = 0;
    for (const SvgText& t : TextsOf(ChartPictureSvg(p, ChartStyle::North))) {
      SCOPED_TRACE(t.text);
      const bool lagna = t.cls == "mark lagna";
      if (t.cls == "number") {
        const int sign = std::stoi(t.text);
        const int house = (sign - ascendant + 12) % 12 + 1;
        EXPECT_TRUE(TextInside(t, kNorthHouseFrames[static_cast<std::size_t>(house - 1)], false));
        ++numbers;
      } else if (t.cls == "mark" || lagna) {
        const int sign = lagna ? ascendant : std::stoi(t.text.substr(1));
        const int house = (sign - ascendant + 12) % 12 + 1;
        EXPECT_TRUE(TextInside(t, kNorthHouseFrames[static_cast<std::size_t>(house - 1)], lagna));
        EXPECT_GE(t.size, 3.0);
        ++marks;
      }
    }
    EXPECT_EQ(marks, p.marks.size());
    EXPECT_EQ(numbers, 12u);
  }
}

// Hostile texts are escaped and fitted under the square; marks without a sign
// are left out; a picture with nothing but the grid is the bare square.
TEST(NorthChartPicture, HostileTextsStayEscapedUnderTheSquare) {
  ChartPicture p;
  p.name = "<script>&\"'" + std::string(49, 'W');
  p.localDateTime = "1976-07-04 10:15";
  p.placeLines = {"</text><text>&amp;" + std::string(40, 'M'), "\x01\xff bad bytes"};
  p.marks = {{"As", 0, "1\u00B000\u2032", true}, {"Su", 13, "1\u00B000\u2032", false}};
  p.chartName = "Navamsa chart";
  const std::string svg = ChartPictureSvg(p, ChartStyle::North);
  EXPECT_EQ(svg.find("<script"), std::string::npos);
  EXPECT_EQ(svg.find("</text><text>&amp;"), std::string::npos);
  EXPECT_NE(svg.find("<title>Navamsa chart of &lt;script&gt;&amp;&quot;&apos;WWW"), std::string::npos);
  EXPECT_NE(svg.find("\xEF\xBF\xBD bad bytes"), std::string::npos);
  EXPECT_EQ(svg.find('\x01'), std::string::npos);
  std::size_t legend = 0;
  for (const SvgText& t : TextsOf(svg)) {
    SCOPED_TRACE(t.text);
    EXPECT_EQ(t.cls.rfind("mark", 0), std::string::npos) << "a mark without a sign";
    if (t.cls.rfind("legend", 0) != 0) continue;
    ++legend;
    const double half = t.size * ConservativeWidthEm(Unescaped(t.text), t.cls == "legend name") / 2.0;
    EXPECT_GE(t.x - half, 0.0);
    EXPECT_LE(t.x + half, 400.0);
    EXPECT_GE(t.y - t.size, 400.0);
  }
  EXPECT_EQ(legend, 4u);
  EXPECT_NE(ChartPictureSvg(ChartPicture{}, ChartStyle::North).find("viewBox=\"0 0 400 400\""), std::string::npos);
}

}  // namespace
}  // namespace orbisca
