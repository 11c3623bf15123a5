#include "aspects/interpretation.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <initializer_list>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "aspects/interpretation_table.h"

namespace orbisca {
namespace {

using enum Body;

constexpr AspectKind kHarmonious[] = {AspectKind::Conjunction, AspectKind::Sextile, AspectKind::Trine};
constexpr AspectKind kChallenging[] = {AspectKind::Square, AspectKind::Quincunx, AspectKind::Opposition};

std::string Name(AspectKind kind, Body a, Body b) {
  return std::string(Info(kind).caption) + " " + std::string(BodyName(a)) + "-" + std::string(BodyName(b));
}

// Every (kind, unordered pair) key's paragraph.
std::set<std::string_view> Paragraphs(std::initializer_list<AspectKind> kinds) {
  std::set<std::string_view> texts;
  for (AspectKind kind : kinds) {
    for (Body a : kAllBodies) {
      for (Body b : kAllBodies) {
        if (a < b) texts.insert(GetInterpretation(kind, a, b));
      }
    }
  }
  return texts;
}

std::vector<std::string> Sentences(std::string_view text) {
  std::vector<std::string> out;
  std::string current;
  for (std::size_t i = 0; i < text.size(); ++i) {
    current += text[i];
    const bool stop = text[i] == '.' || text[i] == '!' || text[i] == '?';
    if (stop && (i + 1 == text.size() || text[i + 1] == ' ')) {
      while (!current.empty() && current.front() == ' ') current.erase(0, 1);
      out.push_back(current);
      current.clear();
    }
  }
  while (!current.empty() && current.front() == ' ') current.erase(0, 1);
  if (!current.empty()) out.push_back(current);
  return out;
}

TEST(InterpretationGrid, DiagonalEmptySymmetricAndFilledElsewhere) {
  for (const AspectKindInfo& info : kAspectKinds) {
    for (Body a : kAllBodies) {
      EXPECT_TRUE(GetInterpretation(info.kind, a, a).empty()) << Name(info.kind, a, a);
      for (Body b : kAllBodies) {
        if (a == b) continue;
        SCOPED_TRACE(Name(info.kind, a, b));
        EXPECT_FALSE(GetInterpretation(info.kind, a, b).empty());
        EXPECT_EQ(GetInterpretation(info.kind, a, b), GetInterpretation(info.kind, b, a));
      }
    }
  }
}

TEST(InterpretationGrid, EachGridHoldsOneParagraphPerPair) {
  // 45 pairs per grid, each with a paragraph of its own, except that the
  // sextile and trine grids give Venus-Uranus the Venus-Saturn paragraph.
  for (const AspectKindInfo& info : kAspectKinds) {
    const bool borrows = info.kind == AspectKind::Sextile || info.kind == AspectKind::Trine;
    EXPECT_EQ(Paragraphs({info.kind}).size(), borrows ? 44u : 45u) << info.caption;
  }
}

TEST(InterpretationGrid, PoolsHoldTheirCountsAndShareNothing) {
  const auto harmonious = Paragraphs({AspectKind::Conjunction, AspectKind::Sextile, AspectKind::Trine});
  const auto challenging = Paragraphs({AspectKind::Square, AspectKind::Quincunx, AspectKind::Opposition});
  const auto semiSextile = Paragraphs({AspectKind::SemiSextile});
  EXPECT_EQ(harmonious.size(), 48u);
  EXPECT_EQ(challenging.size(), 48u);
  EXPECT_EQ(semiSextile.size(), 45u);
  std::set<std::string_view> all = harmonious;
  all.insert(challenging.begin(), challenging.end());
  all.insert(semiSextile.begin(), semiSextile.end());
  EXPECT_EQ(all.size(), 141u);
}

TEST(InterpretationTableRows, EveryRowIsDistinctAndReachable) {
  const InterpretationTable& table = GetInterpretationTable();
  std::set<std::string_view> rows;
  for (const InterpretationParagraph& p : table.paragraphs) {
    EXPECT_LT(p.first, p.second) << p.text;
    rows.insert(p.text);
  }
  EXPECT_EQ(rows.size(), table.paragraphs.size());
  std::set<std::string_view> looked_up;
  for (const AspectKindInfo& info : kAspectKinds) {
    const auto texts = Paragraphs({info.kind});
    looked_up.insert(texts.begin(), texts.end());
  }
  EXPECT_EQ(looked_up, rows);
}

TEST(InterpretationTableRows, RowsServeTheKindsOfTheirPool) {
  // A row whose pool field disagrees with the kinds that show it would mean
  // the grids picked a paragraph from the wrong pool.
  const InterpretationTable& table = GetInterpretationTable();
  for (const AspectKindInfo& info : kAspectKinds) {
    for (Body a : kAllBodies) {
      for (Body b : kAllBodies) {
        const std::uint8_t row = table.grids[Index(info.kind)][Index(a)][Index(b)];
        if (row == kNoParagraph) continue;
        EXPECT_EQ(table.paragraphs[row].pool, PoolOf(info.kind)) << Name(info.kind, a, b);
      }
    }
  }
}

bool IsExceptionPair(Body a, Body b) {
  const std::set<std::pair<Body, Body>> pairs = {{Venus, Uranus}, {Uranus, Neptune}, {Uranus, Pluto}, {Neptune, Pluto}};
  return pairs.count({a, b}) > 0;
}

TEST(InterpretationPools, OrdinaryPairsReadTheSameAcrossTheirPool) {
  for (Body a : kAllBodies) {
    for (Body b : kAllBodies) {
      if (!(a < b) || IsExceptionPair(a, b)) continue;
      SCOPED_TRACE(std::string(BodyName(a)) + "-" + std::string(BodyName(b)));
      const std::string_view easy = GetInterpretation(AspectKind::Conjunction, a, b);
      const std::string_view hard = GetInterpretation(AspectKind::Square, a, b);
      for (AspectKind k : kHarmonious) EXPECT_EQ(GetInterpretation(k, a, b), easy);
      for (AspectKind k : kChallenging) EXPECT_EQ(GetInterpretation(k, a, b), hard);
      const std::string_view semi = GetInterpretation(AspectKind::SemiSextile, a, b);
      EXPECT_NE(easy, hard);
      EXPECT_NE(semi, easy);
      EXPECT_NE(semi, hard);
    }
  }
}

// Within one pair, kinds with the same label share a paragraph and kinds with
// different labels do not. Labels follow the order of kAspectKinds:
// Conjunction, Semi-sextile, Sextile, Square, Trine, Quincunx, Opposition.
struct PairLayout {
  const char* name;
  Body first;
  Body second;
  const char* labels;
};

const PairLayout kPairLayouts[] = {
    {"ordinary pair Sun-Moon", Sun, Moon, "esehehh"},
    {"ordinary pair Mars-Saturn", Mars, Saturn, "esehehh"},
    {"Venus-Uranus: conjunction apart", Venus, Uranus, "xsvhvhh"},
    {"Uranus-Neptune A B B C D C", Uranus, Neptune, "AsBCBDC"},
    {"Uranus-Pluto A B B C D E", Uranus, Pluto, "AsBCBDE"},
    {"Neptune-Pluto A B B and one hard paragraph", Neptune, Pluto, "AsBhBhh"},
};

TEST(InterpretationPools, PairsShareParagraphsExactlyAsLaidOut) {
  for (const PairLayout& layout : kPairLayouts) {
    SCOPED_TRACE(layout.name);
    for (std::size_t i = 0; i < kAspectKindCount; ++i) {
      for (std::size_t j = i + 1; j < kAspectKindCount; ++j) {
        const AspectKind ki = kAspectKinds[i].kind;
        const AspectKind kj = kAspectKinds[j].kind;
        const bool same = GetInterpretation(ki, layout.first, layout.second) ==
                          GetInterpretation(kj, layout.first, layout.second);
        EXPECT_EQ(same, layout.labels[i] == layout.labels[j])
            << kAspectKinds[i].caption << " vs " << kAspectKinds[j].caption;
      }
    }
  }
}

struct SharedKey {
  const char* name;
  AspectKind kind1;
  Body a1;
  Body b1;
  AspectKind kind2;
  Body a2;
  Body b2;
  bool same;
};

const SharedKey kSharedKeys[] = {
    {"trine Sun-Moon in either order", AspectKind::Trine, Sun, Moon, AspectKind::Trine, Moon, Sun, true},
    {"trine Sun-Moon is the conjunction's", AspectKind::Trine, Moon, Sun, AspectKind::Conjunction, Sun, Moon, true},
    {"semi-sextile Sun-Neptune in either order", AspectKind::SemiSextile, Neptune, Sun, AspectKind::SemiSextile, Sun,
     Neptune, true},
    {"semi-sextile Sun-Neptune is not the trine's", AspectKind::SemiSextile, Sun, Neptune, AspectKind::Trine, Sun,
     Neptune, false},
    {"sextile Venus-Uranus borrows Venus-Saturn", AspectKind::Sextile, Venus, Uranus, AspectKind::Sextile, Venus,
     Saturn, true},
    {"trine Uranus-Venus borrows Venus-Saturn", AspectKind::Trine, Uranus, Venus, AspectKind::Conjunction, Saturn,
     Venus, true},
    {"conjunction Venus-Uranus is its own", AspectKind::Conjunction, Venus, Uranus, AspectKind::Conjunction, Venus,
     Saturn, false},
    {"square Venus-Uranus is not Venus-Saturn's", AspectKind::Square, Venus, Uranus, AspectKind::Square, Venus, Saturn,
     false},
    {"square and quincunx Uranus-Pluto differ", AspectKind::Square, Uranus, Pluto, AspectKind::Quincunx, Pluto, Uranus,
     false},
    {"quincunx and opposition Uranus-Pluto differ", AspectKind::Quincunx, Uranus, Pluto, AspectKind::Opposition,
     Uranus, Pluto, false},
    {"square and opposition Uranus-Neptune agree", AspectKind::Opposition, Neptune, Uranus, AspectKind::Square, Uranus,
     Neptune, true},
};

TEST(InterpretationPools, NamedKeysShareOrDiffer) {
  for (const SharedKey& k : kSharedKeys) {
    SCOPED_TRACE(k.name);
    const std::string_view one = GetInterpretation(k.kind1, k.a1, k.b1);
    const std::string_view two = GetInterpretation(k.kind2, k.a2, k.b2);
    ASSERT_FALSE(one.empty());
    EXPECT_EQ(one == two, k.same);
  }
}

TEST(InterpretationTexts, SunMoonParagraphsAreExact) {
  const std::string_view harmonious =
      "You will be confident and will know how to make things work for you and not against you. You are well "
      "balanced in body and mind and will be alert even in times of crisis. You will be focused in your goals and at "
      "the same time not ignorant of others' needs. You will be emotionally impulsive. You will also adhere to your "
      "habits.";
  const std::string_view challenging =
      "You will always struggle between what you need and what you desire. You may lack focus to concentrate on your "
      "goals. You will work too hard or be hardly motivated. You will be like both sides of a coin. You will be "
      "forever trying to make peace with your emotional side.";
  const std::string_view semiSextile =
      "You are highly aware of the need to make adjustments in life. You will need to find the right balance in life "
      "where you will not be in conflict with your inner self as well be able to fulfill other people's desires.";
  for (AspectKind k : kHarmonious) EXPECT_EQ(GetInterpretation(k, Sun, Moon), harmonious) << Info(k).caption;
  for (AspectKind k : kChallenging) EXPECT_EQ(GetInterpretation(k, Moon, Sun), challenging) << Info(k).caption;
  EXPECT_EQ(GetInterpretation(AspectKind::SemiSextile, Sun, Moon), semiSextile);
}

TEST(InterpretationTexts, QuotedOpeningsStartTheirParagraphs) {
  EXPECT_TRUE(GetInterpretation(AspectKind::Conjunction, Venus, Uranus)
                  .starts_with("You will be given to infatuations and attractions. "));
  for (AspectKind k : {AspectKind::Sextile, AspectKind::Trine}) {
    EXPECT_TRUE(GetInterpretation(k, Uranus, Venus)
                    .starts_with("You will need to learn to let go if you have to achieve anything. "))
        << Info(k).caption;
  }
}

TEST(InterpretationTexts, EveryParagraphKeepsTheForm) {
  std::size_t youWill = 0;
  for (const InterpretationParagraph& p : GetInterpretationTable().paragraphs) {
    SCOPED_TRACE(std::string(p.text.substr(0, 60)));
    EXPECT_GE(p.text.size(), 118u);
    EXPECT_LE(p.text.size(), 470u);
    EXPECT_EQ(p.text.find_first_of("\r\n"), std::string_view::npos);
    const std::size_t sentences = Sentences(p.text).size();
    EXPECT_GE(sentences, 2u);
    EXPECT_LE(sentences, 8u);
    if (p.text.starts_with("You will")) ++youWill;
  }
  EXPECT_GT(youWill * 2, kInterpretationParagraphCount);
}

TEST(InterpretationTexts, NoSentenceOrSentenceFrameIsRepeated) {
  // A frame is a sentence with the body names blanked out: two pairs that
  // share one were written by swapping names.
  std::string names;
  for (Body b : kAllBodies) names += (names.empty() ? "" : "|") + std::string(BodyName(b));
  const std::regex bodyName("\\b(" + names + ")\\b");
  std::map<std::string, std::string_view> seen;
  for (const InterpretationParagraph& p : GetInterpretationTable().paragraphs) {
    for (const std::string& sentence : Sentences(p.text)) {
      const std::string frame = std::regex_replace(sentence, bodyName, "#");
      const auto [it, inserted] = seen.emplace(frame, p.text);
      EXPECT_TRUE(inserted) << "\"" << sentence << "\" is in\n" << it->second << "\nand\n" << p.text;
    }
  }
}

TEST(InterpretationTexts, ParagraphsNameOnlyTheBodiesOfTheirPair) {
  std::size_t naming = 0;
  for (const InterpretationParagraph& p : GetInterpretationTable().paragraphs) {
    bool namesOwn = false;
    for (Body b : kAllBodies) {
      const std::regex word("\\b" + std::string(BodyName(b)) + "\\b");
      const bool named = std::regex_search(p.text.begin(), p.text.end(), word);
      if (b == p.first || b == p.second) {
        namesOwn = namesOwn || named;
      } else {
        EXPECT_FALSE(named) << BodyName(b) << " named in the paragraph of " << BodyName(p.first) << "-"
                            << BodyName(p.second) << ": " << p.text;
      }
    }
    if (namesOwn) ++naming;
  }
  EXPECT_GE(naming, 5u);
}

}  // namespace
}  // namespace orbisca
