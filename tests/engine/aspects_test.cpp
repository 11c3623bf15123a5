#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "aspects/aspects.h"
#include "aspects/interpretation.h"

namespace orbisca {
namespace {

// A planet table with the given bodies placed; the others stand anywhere,
// and only entries between placed bodies are kept by Between().
PlanetTable Table(std::initializer_list<std::pair<Body, double>> placed) {
  PlanetTable t;
  t.BodyNames = kSlotNames;
  for (std::size_t i = 0; i < kBodyCount; ++i) t.BodyLongitudes[i] = 3.7 * static_cast<double>(i) + 180.0;
  for (const auto& [body, longitude] : placed) t.BodyLongitudes[Index(body)] = longitude;
  return t;
}

std::vector<AspectEntry> Between(const std::vector<AspectEntry>& all, std::initializer_list<Body> bodies) {
  const auto in = [&](Body b) { return std::find(bodies.begin(), bodies.end(), b) != bodies.end(); };
  std::vector<AspectEntry> kept;
  for (const AspectEntry& e : all) {
    if (in(e.first) && in(e.second)) kept.push_back(e);
  }
  return kept;
}

TEST(Separation, RoundingEdgesOfTheWindows) {
  struct Row {
    const char* name;
    double difference;
    std::optional<AspectKind> kind;
  };
  using enum AspectKind;
  const Row rows[] = {
      {"10.5 rounds to 10", 10.5, Conjunction},
      {"-10.5 rounds to -10", -10.5, Conjunction},
      {"11.5 rounds to 12", 11.5, std::nullopt},
      {"10.4", 10.4, Conjunction},
      {"27.5 rounds to 28", 27.5, SemiSextile},
      {"32.5 rounds to 32", 32.5, SemiSextile},
      {"33.5 rounds to 34", 33.5, std::nullopt},
      {"55.5 rounds to 56", 55.5, Sextile},
      {"64.5 rounds to 64", 64.5, Sextile},
      {"81.5 rounds to 82", 81.5, Square},
      {"98.5 rounds to 98", 98.5, Square},
      {"113.5 rounds to 114", 113.5, Trine},
      {"126.5 rounds to 126", 126.5, Trine},
      {"146.5 rounds to 146", 146.5, std::nullopt},
      {"146.6 rounds to 147", 146.6, Quincunx},
      {"153.5 rounds to 154", 153.5, std::nullopt},
      {"169.5 rounds to 170", 169.5, Opposition},
      {"190.5 rounds to 190", 190.5, Opposition},
      {"-90: the other order", -90.0, std::nullopt},
      {"-120", -120.0, std::nullopt},
  };
  for (const Row& r : rows) {
    // Longitudes chosen so the difference is exact in binary.
    const double first = 200.0 + r.difference;
    EXPECT_EQ(KindOf(Separation(first, 200.0)), r.kind) << r.name;
  }
}

TEST(Separation, AcrossZeroDegrees) {
  // Regression: the signed difference was neither folded nor wrapped, so
  // bodies either side of 0 degrees showed no aspect.
  struct Row {
    const char* name;
    double first, second;
    int separation;
  };
  const Row rows[] = {
      {"Sun 355 Moon 3", 355.0, 3.0, -8},
      {"Moon 3 Sun 355", 3.0, 355.0, 8},
      {"60 leads 300 by 120", 60.0, 300.0, 120},
      {"300 trails 60", 300.0, 60.0, -120},
      {"190 stays 190", 200.0, 10.0, 190},
      {"191 becomes -169", 201.0, 10.0, -169},
      {"-191 becomes 169", 10.0, 201.0, 169},
      {"Mars 350 Saturn 175", 350.0, 175.0, 175},
      {"360 and 0 are one point", 360.0, 0.0, 0},
  };
  for (const Row& r : rows) EXPECT_EQ(Separation(r.first, r.second), r.separation) << r.name;
}

TEST(FindAspects, LoopOrderAndListing) {
  using enum Body;
  using enum AspectKind;
  struct Row {
    const char* name;
    PlanetTable table;
    std::initializer_list<Body> placed;
    std::vector<AspectEntry> expected;
  };
  const Row rows[] = {
      {"conjunction listed in both orders", Table({{Sun, 20.4}, {Moon, 10.0}}), {Sun, Moon},
       {{Conjunction, Sun, Moon, 10}, {Conjunction, Moon, Sun, -10}}},
      {"square only from the leading body", Table({{Sun, 100.0}, {Moon, 10.0}}), {Sun, Moon},
       {{Square, Sun, Moon, 90}}},
      {"conjunction across 0 degrees", Table({{Sun, 355.0}, {Moon, 3.0}}), {Sun, Moon},
       {{Conjunction, Sun, Moon, -8}, {Conjunction, Moon, Sun, 8}}},
      {"trine across 0 degrees, leader first", Table({{Sun, 300.0}, {Moon, 60.0}}), {Sun, Moon},
       {{Trine, Moon, Sun, 120}}},
      {"opposition from the larger longitude", Table({{Mars, 350.0}, {Saturn, 175.0}}), {Mars, Saturn},
       {{Opposition, Mars, Saturn, 175}}},
      {"order by first body, then second", Table({{Moon, 50.0}, {Sun, 10.0}, {Pluto, 40.0}}), {Sun, Moon, Pluto},
       {{Conjunction, Moon, Pluto, 10}, {SemiSextile, Pluto, Sun, 30}, {Conjunction, Pluto, Moon, -10}}},
      {"no pair in any window", Table({{Sun, 0.0}, {Moon, 45.0}}), {Sun, Moon}, {}},
  };
  for (const Row& r : rows) EXPECT_EQ(Between(FindAspects(r.table), r.placed), r.expected) << r.name;
}

TEST(FindAspects, EveryOrderedPairVisitedOnce) {
  // All ten bodies on one point: 90 ordered pairs, every one a conjunction.
  PlanetTable t;
  t.BodyNames = kSlotNames;
  t.BodyLongitudes.fill(123.0);
  const std::vector<AspectEntry> all = FindAspects(t);
  ASSERT_EQ(all.size(), 90u);
  std::size_t k = 0;
  for (Body a : kAllBodies) {
    for (Body b : kAllBodies) {
      if (a == b) continue;
      EXPECT_EQ(all[k].first, a);
      EXPECT_EQ(all[k].second, b);
      ++k;
    }
  }
}

TEST(KindTexts, EachEntryInItsKindInListOrder) {
  using enum Body;
  using enum AspectKind;
  const std::string trine(GetInterpretation(Trine, Sun, Moon));
  const std::string square(GetInterpretation(Square, Mars, Venus));
  const std::string p(GetInterpretation(Conjunction, Sun, Moon));
  const auto texts = KindTexts({{Conjunction, Sun, Moon, 3}, {Trine, Sun, Moon, 120}, {Square, Mars, Venus, 90},
                                {Conjunction, Moon, Sun, -3}});
  EXPECT_EQ(texts[Index(Trine)], "Sun-Moon  In Trine Aspect\r\n" + trine + "\r\n\r\n");
  EXPECT_EQ(texts[Index(Square)], "Mars-Venus  In Square Aspect\r\n" + square + "\r\n\r\n");
  EXPECT_EQ(texts[Index(Conjunction)],
            "Sun-Moon  In Conjunction Aspect\r\n" + p + "\r\n\r\nMoon-Sun  In Conjunction Aspect\r\n" + p + "\r\n\r\n");
  for (AspectKind k : {SemiSextile, Sextile, Quincunx, Opposition}) EXPECT_TRUE(texts[Index(k)].empty());
  const auto found = KindsFound({{Trine, Sun, Moon, 120}, {Square, Mars, Venus, 90}});
  EXPECT_EQ(found, (std::array<bool, kAspectKindCount>{false, false, false, true, true, false, false}));
}

TEST(HeadingLine, LaidOutForEveryKindAndPair) {
  // The headings and paragraphs are laid out end to end at compile time; a
  // wrong offset would show as a neighbour's text or a cut line.
  using enum Body;
  using enum AspectKind;
  struct Row {
    AspectEntry entry;
    std::string_view heading;
  };
  const Row rows[] = {
      {{Conjunction, Sun, Moon, 0}, "Sun-Moon  In Conjunction Aspect\r\n"},
      {{SemiSextile, Mercury, Jupiter, 30}, "Mercury-Jupiter  In Semi-Sextile Aspect\r\n"},
      {{Opposition, Pluto, Neptune, 180}, "Pluto-Neptune  In Opposition Aspect\r\n"},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(HeadingLine(r.entry), r.heading);
    EXPECT_EQ(Heading(r.entry), r.heading.substr(0, r.heading.size() - 2));
  }
  for (const AspectKindInfo& info : kAspectKinds) {
    for (Body a : kAllBodies) {
      for (Body b : kAllBodies) {
        const AspectEntry e{info.kind, a, b, 0};
        const std::string heading =
            std::string(BodyName(a)) + "-" + std::string(BodyName(b)) + std::string(info.headingSuffix) + "\r\n";
        EXPECT_EQ(HeadingLine(e), heading);
        EXPECT_EQ(InterpretationEntry(info.kind, a, b), std::string(GetInterpretation(info.kind, a, b)) + "\r\n\r\n")
            << info.caption << " " << BodyName(a) << "-" << BodyName(b);
      }
    }
  }
}

}  // namespace
}  // namespace orbisca
