// The sixteen vargas against tables written from Brihat Parashara Hora
// Shastra ch. 6 in R. Santhanam's translation, at every boundary of every
// part, and against worked examples published by others.
#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "astro/vargas.h"
#include "astro/zodiac.h"

namespace orbisca {
namespace {

constexpr long long kSign = 30 * 3600;  // seconds of arc

int SignOf(const std::string& abbreviation) {
  static const std::string kNames[] = {"Ar", "Ta", "Ge", "Cn", "Le", "Vi", "Li", "Sc", "Sg", "Cp", "Aq", "Pi"};
  for (int i = 0; i < 12; ++i)
    if (kNames[i] == abbreviation) return i + 1;
  ADD_FAILURE() << "no sign " << abbreviation;
  return 0;
}

// Each varga's parts, read off the translation by hand: for each sign from
// Mesha, the signs of its parts separated by '|'. Where a group lists fewer
// signs than there are parts, the text counts on in the order of the signs
// from the last one listed ("regularly distributed").
struct WrittenVarga {
  Varga varga;
  const char* parts;
};
const WrittenVarga kWritten[] = {
    {Varga::D1, "Ar|Ta|Ge|Cn|Le|Vi|Li|Sc|Sg|Cp|Aq|Pi"},
    // 1st, 5th and 9th from the sign (Parashara; not the later cyclic drekkana).
    {Varga::D3, "Ar Le Sg|Ta Vi Cp|Ge Li Aq|Cn Sc Pi|Le Sg Ar|Vi Cp Ta|Li Aq Ge|Sc Pi Cn|Sg Ar Le|Cp Ta Vi|Aq Ge Li|Pi Cn Sc"},
    // The four kendras from the sign.
    {Varga::D4, "Ar Cn Li Cp|Ta Le Sc Aq|Ge Vi Sg Pi|Cn Li Cp Ar|Le Sc Aq Ta|Vi Sg Pi Ge|Li Cp Ar Cn|Sc Aq Ta Le|"
                "Sg Pi Ge Vi|Cp Ar Cn Li|Aq Ta Le Sc|Pi Ge Vi Sg"},
    {Varga::D7, "Ar|Sc|Ge|Cp|Le|Pi|Li|Ta|Sg|Cn|Aq|Vi"},   // odd: itself; even: the 7th
    {Varga::D9, "Ar|Cp|Li|Cn|Ar|Cp|Li|Cn|Ar|Cp|Li|Cn"},   // movable itself, fixed the 9th, dual the 5th
    {Varga::D10, "Ar|Cp|Ge|Pi|Le|Ta|Li|Cn|Sg|Vi|Aq|Sc"},  // odd: itself; even: the 9th
    {Varga::D12, "Ar|Ta|Ge|Cn|Le|Vi|Li|Sc|Sg|Cp|Aq|Pi"},
    {Varga::D16, "Ar|Le|Sg|Ar|Le|Sg|Ar|Le|Sg|Ar|Le|Sg"},  // movable Mesha, fixed Simha, dual Dhanu
    {Varga::D20, "Ar|Sg|Le|Ar|Sg|Le|Ar|Sg|Le|Ar|Sg|Le"},  // movable Mesha, fixed Dhanu, dual Simha
    {Varga::D24, "Le|Cn|Le|Cn|Le|Cn|Le|Cn|Le|Cn|Le|Cn"},  // odd Simha, even Karka
    {Varga::D27, "Ar|Cn|Li|Cp|Ar|Cn|Li|Cp|Ar|Cn|Li|Cp"},  // fiery Mesha, earthy Karka, airy Tula, watery Makara
    {Varga::D40, "Ar|Li|Ar|Li|Ar|Li|Ar|Li|Ar|Li|Ar|Li"},  // odd Mesha, even Tula
    {Varga::D45, "Ar|Le|Sg|Ar|Le|Sg|Ar|Le|Sg|Ar|Le|Sg"},  // movable Mesha, fixed Simha, dual Dhanu
    {Varga::D60, "Ar|Ta|Ge|Cn|Le|Vi|Li|Sc|Sg|Cp|Aq|Pi"},
};

// The unequal divisions: for odd and even signs, the degree each part ends at
// and its sign.
struct WrittenPart {
  int endDegree;
  const char* sign;
};
struct WrittenUnequal {
  Varga varga;
  std::vector<WrittenPart> odd, even;
};
const WrittenUnequal kWrittenUnequal[] = {
    // The Sun's hora is Simha, the Moon's Karka; odd signs begin with the Sun's.
    {Varga::D2, {{15, "Le"}, {30, "Cn"}}, {{15, "Cn"}, {30, "Le"}}},
    // Mars, Saturn, Jupiter, Mercury, Venus for 5, 5, 8, 7, 5 degrees in odd
    // signs, reversed in even ones.
    {Varga::D30,
     {{5, "Ar"}, {10, "Aq"}, {18, "Sg"}, {25, "Ge"}, {30, "Li"}},
     {{5, "Ta"}, {12, "Vi"}, {20, "Pi"}, {25, "Cp"}, {30, "Sc"}}},
};

// The signs of every part of one sign, from its written group.
std::vector<int> PartsOf(const std::string& group, int divisions) {
  std::istringstream in(group);
  std::vector<int> parts;
  for (std::string name; in >> name;) parts.push_back(SignOf(name));
  while (static_cast<int>(parts.size()) < divisions) parts.push_back(parts.back() % 12 + 1);
  return parts;
}

// The sign at a second of arc through both entries: the whole seconds and the
// longitude in degrees, which must not lose a second on the way.
void ExpectSignAt(Varga v, long long seconds, int expected, const char* what) {
  EXPECT_EQ(VargaSignOfArcSeconds(v, seconds), expected) << what;
  EXPECT_EQ(VargaSign(v, static_cast<double>(seconds) / 3600.0), expected) << what << " (from degrees)";
}

TEST(Vargas, TableCoversTheSixteenOnce) {
  ASSERT_EQ(kVargas.size(), 16u);
  EXPECT_EQ(std::size(kWritten) + std::size(kWrittenUnequal), 16u);
  for (const VargaRow& row : kVargas) {
    EXPECT_EQ(&VargaRowOf(row.varga), &row);
    EXPECT_EQ(VargaOfDivisions(Divisions(row.varga)), row.varga);
    EXPECT_FALSE(row.name.empty());
    EXPECT_FALSE(row.text.empty());
  }
  for (int n : {0, 5, 8, 11, 61, -9}) EXPECT_FALSE(VargaOfDivisions(n).has_value()) << n;
}

// For every equal part of every sign: its first and its last second, which
// are the first of the next part less one. The saptamsa's edges (k * 4°17′8.57″)
// fall between seconds: the part begins at the next whole second.
TEST(Vargas, EveryEqualPartAtBothEnds) {
  for (const WrittenVarga& w : kWritten) {
    const int n = Divisions(w.varga);
    std::istringstream groups(w.parts);
    std::string group;
    for (int sign = 1; std::getline(groups, group, '|'); ++sign) {
      const std::vector<int> parts = PartsOf(group, n);
      ASSERT_EQ(static_cast<int>(parts.size()), n) << "D" << n << " sign " << sign;
      const long long signStart = (sign - 1) * kSign;
      for (int k = 0; k < n; ++k) {
        const long long first = (k * kSign + n - 1) / n;            // ceil(k * 30° / n)
        const long long next = ((k + 1) * kSign + n - 1) / n;
        SCOPED_TRACE("D" + std::to_string(n) + " sign " + std::to_string(sign) + " part " + std::to_string(k + 1));
        ExpectSignAt(w.varga, signStart + first, parts[static_cast<std::size_t>(k)], "first second");
        ExpectSignAt(w.varga, signStart + next - 1, parts[static_cast<std::size_t>(k)], "last second");
      }
    }
  }
  // The saptamsa's first edge written out: 4°17′8″ is the first part, 4°17′9″ the second.
  EXPECT_EQ(VargaSign(Varga::D7, 4 + 17 / 60.0 + 8 / 3600.0), 1);
  EXPECT_EQ(VargaSign(Varga::D7, 4 + 17 / 60.0 + 9 / 3600.0), 2);
}

TEST(Vargas, EveryUnequalPartAtBothEnds) {
  for (const WrittenUnequal& w : kWrittenUnequal) {
    for (int sign = 1; sign <= 12; ++sign) {
      const std::vector<WrittenPart>& parts = sign % 2 == 1 ? w.odd : w.even;
      long long begin = (sign - 1) * kSign;
      for (const WrittenPart& p : parts) {
        const long long end = (sign - 1) * kSign + p.endDegree * 3600LL;
        SCOPED_TRACE("D" + std::to_string(Divisions(w.varga)) + " sign " + std::to_string(sign) + " to " +
                     std::to_string(p.endDegree));
        ExpectSignAt(w.varga, begin, SignOf(p.sign), "first second");
        ExpectSignAt(w.varga, end - 1, SignOf(p.sign), "last second");
        begin = end;
      }
    }
  }
}

// The navamsa is the 108-fold division of the circle counted from Mesha: the
// sign of 9 x longitude. Every second of arc of the circle.
TEST(Vargas, NavamsaIsNineTimesTheLongitude) {
  constexpr long long kCircle = 12 * kSign;
  int wrong = 0;
  for (long long s = 0; s < kCircle; ++s)
    if (VargaSignOfArcSeconds(Varga::D9, s) != static_cast<int>(s * 9 % kCircle / kSign) + 1) ++wrong;
  EXPECT_EQ(wrong, 0);
}

// Longitudes outside one circle, and not finite, are reduced as the rasi is.
TEST(Vargas, ReducedLikeTheRasi) {
  for (const VargaRow& row : kVargas) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(VargaSign(row.varga, -0.5), VargaSign(row.varga, 359.5));
    EXPECT_EQ(VargaSign(row.varga, 720.25), VargaSign(row.varga, 0.25));
    EXPECT_EQ(VargaSignOfArcSeconds(row.varga, -1), VargaSignOfArcSeconds(row.varga, 12 * kSign - 1));
    EXPECT_EQ(VargaSign(row.varga, std::numeric_limits<double>::quiet_NaN()), VargaSign(row.varga, 0.0));
  }
  // 29°59′59.9″ of Mesha stays in Mesha's last navamsa (Dhanu), as the rasi stays Mesha.
  EXPECT_EQ(ZodiacPositionOf(29 + 59 / 60.0 + 59.9 / 3600).sign, 1);
  EXPECT_EQ(VargaSign(Varga::D9, 29 + 59 / 60.0 + 59.9 / 3600), 9);
  EXPECT_EQ(VargaSign(Varga::D1, 134.67), ZodiacPositionOf(134.67).sign);
}

// Worked examples published by others, each with its source.
TEST(Vargas, PublishedWorkedExamples) {
  struct Example {
    Varga varga;
    const char* sign;
    int degrees, minutes;
    const char* expected;
    const char* source;
  };
  const Example examples[] = {
      // astrologicallyexplained.com, "Cracking the Navamsha - 4: An example" (2016):
      // the ascendant at 9°03′ Cancer, Mars at 18°35′ Taurus.
      {Varga::D9, "Cn", 9, 3, "Vi", "astrologicallyexplained ascendant"},
      {Varga::D9, "Ta", 18, 35, "Ge", "astrologicallyexplained Mars"},
      // gitudivinetouch.com, "Method to calculate Navamsh of the planets".
      {Varga::D9, "Pi", 5, 0, "Le", "gitudivinetouch Moon"},
      {Varga::D9, "Cn", 20, 55, "Cp", "gitudivinetouch 20°55' Cancer"},
      // prachinaastrology.com, "How to Calculate Dashamsha (D10)?" (2020): the
      // ascendant at 3°23′ Aries, Rahu at 9°53′ Virgo, Venus at 20°27′ Libra.
      {Varga::D10, "Ar", 3, 23, "Ta", "prachinaastrology ascendant"},
      {Varga::D10, "Vi", 9, 53, "Le", "prachinaastrology Rahu"},
      {Varga::D10, "Li", 20, 27, "Ar", "prachinaastrology Venus"},
      // shakerastroguide.com, "How to create the D-10 Varga chakra": a lagna at
      // 13° of Leo falls in Dhanu.
      {Varga::D10, "Le", 13, 0, "Sg", "shakerastroguide lagna"},
  };
  for (const Example& e : examples) {
    const double longitude = (SignOf(e.sign) - 1) * 30.0 + e.degrees + e.minutes / 60.0;
    EXPECT_EQ(VargaSign(e.varga, longitude), SignOf(e.expected)) << e.source;
  }
}

}  // namespace
}  // namespace orbisca
