// The AAF reader on a fixture written from the format's description, the
// Julian-day rule, and the chunks an export gives back.

#include <gtest/gtest.h>

#include "births/aaf.h"
#include "births/exchange.h"

namespace orbisca::births {
namespace {

std::string Fixture() {
  std::string error;
  const std::optional<std::string> text = ReadWholeFile(ORBISCA_BIRTHS_FIXTURE "/description.aaf", error);
  EXPECT_TRUE(text) << error;
  return text.value_or("");
}

struct Expected {
  std::size_t line;
  const char* name;
  int year, month, day, hour, minute, second;
  int zoneMinutes;
  bool dst;
  const char* lat;
  const char* lon;
  Kind kind;
  bool julianDayRuled;
};

// The births of description.aaf, by the line of their #A93.
constexpr Expected kExpected[] = {
    {3, "Ferber, Tobias", 1970, 9, 27, 11, 4, 0, 60, false, "49:05N", "8:11E", Kind::Male, false},
    // 5e27 is 21 min 48 s of mean time; the birth keeps 22 minutes.
    {8, "Cezanne, Paul", 1839, 1, 19, 1, 0, 0, 22, false, "43:31N", "5:27E", Kind::Male, false},
    {16, "Beispiel", 1983, 4, 20, 17, 9, 57, 60, true, "48:24N", "11:45E", Kind::Male, true},
    {19, "Shrestha, Maya", 1990, 5, 1, 6, 30, 0, 345, false, "27:42N", "85:19E", Kind::Female, false},
    {22, "Doe, Jane", 1976, 7, 4, 10, 15, 30, -300, true, "40:42N", "74:00W", Kind::Female, false},
    {25, "Australia Day", 1988, 1, 26, 12, 0, 0, 600, true, "33:52S", "151:12E", Kind::Event, false},
    {28, "Garms, Martin", 1958, 10, 11, 1, 10, 0, 60, false, "51:21N", "9:35E", Kind::Male, false},
    {31, "Clock, Wrong", 2000, 1, 1, 18, 0, 0, 0, false, "51:29N", "0:00E", Kind::Event, true},
    {34, "Derived, Zone", 2000, 1, 1, 17, 30, 0, 330, false, "28:36N", "77:12E", Kind::Female, false},
    {37, "Mean, Time", 1900, 1, 1, 12, 0, 0, 353, false, "22:34N", "88:22E", Kind::Unknown, false},
};

// The records that leave no birth, and why.
constexpr std::pair<std::size_t, const char*> kRefused[] = {
    {40, "the time is unknown"},
    {42, "the latitude is unknown"},
    {44, "the zone is unknown"},
    {47, "expected 7 fields"},
    {49, "the zone \"1hx00\""},
    {50, "31.2.1950 is not in the calendar"},
    {53, "the latitude \"92n31\""},
};

TEST(Aaf, FixtureGivesEveryFormItsBirth) {
  const ParsedBirths parsed = ParseBirths(Fixture(), FileFormat::Aaf);
  ASSERT_EQ(parsed.births.size(), std::size(kExpected));
  for (std::size_t i = 0; i < std::size(kExpected); ++i) {
    const Expected& e = kExpected[i];
    const Birth& b = parsed.births[i].birth;
    SCOPED_TRACE("line " + std::to_string(e.line));
    EXPECT_EQ(parsed.lines[i], e.line);
    EXPECT_EQ(b.name, e.name);
    EXPECT_EQ((std::array{b.year, b.month, b.day, b.hour, b.minute, b.second}),
              (std::array{e.year, e.month, e.day, e.hour, e.minute, e.second}));
    EXPECT_EQ(b.zone, BirthZone(ZoneOffset{e.zoneMinutes, ""}));
    EXPECT_EQ(b.dst, e.dst);
    EXPECT_EQ(LatText(b), e.lat);
    EXPECT_EQ(LonText(b), e.lon);
    EXPECT_EQ(parsed.births[i].kind, e.kind);
    const bool noted = std::any_of(parsed.notes.begin(), parsed.notes.end(), [&](const std::string& n) {
      return n.starts_with("line " + std::to_string(e.line) + ": the Julian day");
    });
    EXPECT_EQ(noted, e.julianDayRuled);
  }
  ASSERT_EQ(parsed.problems.size(), std::size(kRefused));
  for (std::size_t i = 0; i < std::size(kRefused); ++i) {
    EXPECT_TRUE(parsed.problems[i].starts_with("line " + std::to_string(kRefused[i].first) + ": "))
        << parsed.problems[i];
    EXPECT_NE(parsed.problems[i].find(kRefused[i].second), std::string::npos) << parsed.problems[i];
  }
  // The annotations and the place.
  const SavedBirth& cezanne = parsed.births[1];
  EXPECT_EQ(cezanne.note, "French painter.\nA second line of the comment, continued without '#'.");
  EXPECT_EQ(cezanne.source, "1*,Standesamt");
  EXPECT_EQ(cezanne.birth.place, (BirthPlace{0, "Aix-En-Provence, F"}));
  EXPECT_FALSE(parsed.births[9].birth.place);
}

TEST(Aaf, ExportGivesBackTheBirthsAndTheKeptChunks) {
  const ParsedBirths first = ParseBirths(Fixture(), FileFormat::Aaf);
  const std::string exported = ExportText(first.births, FileFormat::Aaf);
  for (const char* chunk : {"#ZNAM:LMT\n", "#VIA:Taeger-Archiv via GAQ-4\n", "#SRC:1*,Standesamt\n",
                            "#:The description's example record", "#A93:Ferber,Tobias,m,27.9.1970,11:04,Kandel/Pfalz,D\n",
                            "#B93:2440856.919444,49n05,8e11,1he00,0\n"}) {
    EXPECT_NE(exported.find(chunk), std::string::npos) << chunk;
  }
  // Nothing the standard chunks hold needs the extension chunk.
  EXPECT_EQ(exported.find("#ORBISCA"), std::string::npos) << exported;
  const ParsedBirths second = ParseBirths(exported, FileFormat::Aaf);
  EXPECT_TRUE(second.problems.empty()) << second.problems.front();
  ASSERT_EQ(second.births.size(), first.births.size());
  for (std::size_t i = 0; i < first.births.size(); ++i) {
    EXPECT_TRUE(second.births[i].SameBirth(first.births[i])) << first.births[i].birth.name;
  }
}

TEST(Aaf, ZoneForms) {
  const std::pair<const char*, std::optional<int>> cases[] = {
      {"1he00", 3600}, {"1he", 3600}, {"5h45", 20700}, {"10hw30", -37800}, {"0e21:48", 1308}, {"1", 3600},
      {"-5", -18000}, {"+5h30", 19800}, {"1hx00", std::nullopt}, {"1he60", std::nullopt},
      {"15he00", std::nullopt}, {"-5hw", std::nullopt}, {"", std::nullopt}, {"h", std::nullopt},
  };
  for (const auto& [text, seconds] : cases) EXPECT_EQ(ParseAafZone(text), seconds) << text;
  for (int s : {3600, 20700, -37800, 1308, 0, -1308}) EXPECT_EQ(ParseAafZone(FormatAafZone(s)), s) << s;
}

}  // namespace
}  // namespace orbisca::births
