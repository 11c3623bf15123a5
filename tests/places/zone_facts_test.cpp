// Clock offsets from the system's tz database, and a place text resolved to
// coordinates and offset. Each expected offset is read from the tz database's
// source files (tzdata's `asia`, `europe`, `northamerica`), quoted by the row.
#include <gtest/gtest.h>

#include <string>

#include "places/atlas.h"
#include "places/resolve.h"
#include "places/zone_facts.h"

namespace orbisca::places {
namespace {

struct HistoricalCase {
  const char* source;  // the tzdata line that gives the offset
  const char* zone;
  LocalDateTime local;
  int offsetSeconds;
  int standardOffsetSeconds;
  bool dst;
  const char* abbreviation;
  const char* standardAbbreviation;
  bool localMeanTime;
};

const HistoricalCase kHistoricalCases[] = {
    {"asia: Zone Asia/Kolkata ... 5:30 1:00 +0630 1942 May 15 / 5:30 - IST 1942 Sep / 5:30 1:00 +0630 1945 Oct 15",
     "Asia/Kolkata", {1943, 6, 1, 12, 0}, 6 * 3600 + 1800, 5 * 3600 + 1800, true, "+0630", "IST", false},
    {"northamerica: Rule US 1976-1986 Apr lastSun 2:00 1:00 D, Oct lastSun 2:00 0 S; Zone America/New_York -5:00 US E%sT",
     "America/New_York", {1976, 7, 4, 10, 15}, -4 * 3600, -5 * 3600, true, "EDT", "EST", false},
    {"europe: Rule GB-Eire 1944 Apr 2 2:00s 2:00 BDST (double summer time), 1944 Sep 17 2:00s 1:00 BST",
     "Europe/London", {1944, 6, 6, 12, 0}, 2 * 3600, 0, true, "BDST", "GMT", false},
    {"europe: Zone Europe/Berlin 0:53:28 - LMT 1893 Apr", "Europe/Berlin", {1879, 3, 1, 12, 0},
     53 * 60 + 28, 53 * 60 + 28, false, "LMT", "LMT", true},
    {"asia: Zone Asia/Kolkata ... 5:30 - IST (since 1945 Oct 15)", "Asia/Kolkata", {1990, 1, 1, 0, 0},
     5 * 3600 + 1800, 5 * 3600 + 1800, false, "IST", "IST", false},
    {"asia: Zone Asia/Yangon ... 6:30 - %z (since 1945 May 3)", "Asia/Yangon", {2000, 1, 1, 0, 0}, 6 * 3600 + 1800,
     6 * 3600 + 1800, false, "+0630", "+0630", false},
};

TEST(LookUpZone, GivesTheHistoricalOffsetsOfTheTzDatabase) {
  for (const HistoricalCase& c : kHistoricalCases) {
    SCOPED_TRACE(c.source);
    const ZoneLookup lookup = LookUpZone(c.zone, c.local);
    ASSERT_TRUE(lookup.answer) << lookup.error;
    EXPECT_EQ(lookup.answer->kind, LocalTimeKind::Unique);
    const ClockOffset& offset = lookup.answer->first;
    EXPECT_EQ(offset.offsetSeconds, c.offsetSeconds);
    EXPECT_EQ(offset.standardOffsetSeconds, c.standardOffsetSeconds);
    EXPECT_EQ(offset.dst, c.dst);
    EXPECT_EQ(offset.abbreviation, c.abbreviation);
    EXPECT_EQ(offset.standardAbbreviation, c.standardAbbreviation);
    EXPECT_EQ(offset.localMeanTime, c.localMeanTime);
  }
}

// northamerica: Rule US 2007 max Mar Sun>=8 2:00 1:00 D, Nov Sun>=1 2:00 0 S.
TEST(LookUpZone, RefusesTheSkippedHourAndGivesBothOffsetsOfTheRepeatedOne) {
  const LocalDateTime skipped{2021, 3, 14, 2, 30};
  const ZoneLookup spring = LookUpZone("America/New_York", skipped);
  ASSERT_TRUE(spring.answer);
  EXPECT_EQ(spring.answer->kind, LocalTimeKind::Skipped);
  EXPECT_EQ(SkippedTimeMessage("America/New_York", skipped, *spring.answer),
            "2021-03-14 02:30 did not happen in America/New_York: the clocks went forward from 02:00 EST "
            "(UTC\u22125) to 03:00 EDT (UTC\u22124).");

  const LocalDateTime repeated{2021, 11, 7, 1, 30};
  const ZoneLookup autumn = LookUpZone("America/New_York", repeated);
  ASSERT_TRUE(autumn.answer);
  EXPECT_EQ(autumn.answer->kind, LocalTimeKind::Repeated);
  EXPECT_EQ(autumn.answer->first.offsetSeconds, -4 * 3600);
  EXPECT_TRUE(autumn.answer->first.dst);
  EXPECT_EQ(autumn.answer->second.offsetSeconds, -5 * 3600);
  EXPECT_FALSE(autumn.answer->second.dst);
  EXPECT_EQ(RepeatedTimeMessage("America/New_York", repeated, *autumn.answer),
            "2021-11-07 01:30 happened twice in America/New_York: first EDT (UTC\u22124, daylight saving), "
            "then EST (UTC\u22125).");
}

TEST(LookUpZone, RefusesAnUnknownZoneAndADateThatDoesNotExist) {
  EXPECT_EQ(LookUpZone("Mars/Olympus_Mons", {2000, 1, 1, 0, 0}).error,
            "The time zone \"Mars/Olympus_Mons\" is not in the system's tz database");
  EXPECT_EQ(LookUpZone("Europe/Berlin", {2021, 2, 29, 12, 0}).error, "2021-02-29 12:00 is not a valid date and time");
  EXPECT_EQ(LookUpZone("Europe/Berlin", {2021, 2, 28, 24, 0}).error, "2021-02-28 24:00 is not a valid date and time");
}

TEST(FormatUtcOffset, WritesHoursThenMinutesAndSecondsOnlyWhenNeeded) {
  struct Row { int seconds; const char* text; };
  const Row rows[] = {{0, "UTC+0"}, {-4 * 3600, "UTC\u22124"}, {19800, "UTC+5:30"}, {-12600, "UTC\u22123:30"},
                      {3208, "UTC+0:53:28"}, {-(3600 + 5), "UTC\u22121:00:05"}};
  for (const Row& row : rows) EXPECT_EQ(FormatUtcOffset(row.seconds), row.text) << row.seconds;
}

TEST(MeanTimeNote, OffersThePlacesOwnMeanTimeOnlyBeforeStandardTime) {
  ClockOffset lmt;
  lmt.offsetSeconds = 3208;
  lmt.localMeanTime = true;
  // 13.41053° E × 240 s/° = 3218.5 s, to the second 3219 s = 0:53:39.
  EXPECT_EQ(MeanTimeNote("Europe/Berlin", lmt, "Berlin", 13.41053),
            "Before standard time, Europe/Berlin gives the local mean time of its main city, UTC+0:53:28; "
            "the mean time of Berlin itself (longitude \u00F7 15) is UTC+0:53:39.");
  lmt.localMeanTime = false;
  EXPECT_EQ(MeanTimeNote("Europe/Berlin", lmt, "Berlin", 13.41053), "");
  EXPECT_EQ(MeanTimeOffsetSeconds(-74.00597), -17761);  // New York City: -4 h 56 min 1 s
}

const Atlas& Fixture() {
  static const AtlasLoad load = Atlas::Load(AtlasFilesIn(ORBISCA_PLACES_FIXTURE));
  return *load.atlas;
}

TEST(ResolvePlaceAt, GivesCoordinatesAndTheOffsetInMinutes) {
  struct Row { const char* text; LocalDateTime local; DstChoice choice; std::int64_t id; int minutes; bool dst; };
  const Row rows[] = {
      {"New York, NY, US", {1976, 7, 4, 10, 15}, DstChoice::Unspecified, 5128581, -240, true},
      {"new york city", {1976, 1, 4, 10, 15}, DstChoice::NoDst, 5128581, -300, false},
      {"4250542", {1990, 1, 1, 0, 0}, DstChoice::Unspecified, 4250542, -360, false},  // Springfield, IL
      {"Kolkata", {1943, 6, 1, 12, 0}, DstChoice::Unspecified, 1275004, 390, true},
      {"New York", {2021, 11, 7, 1, 30}, DstChoice::Dst, 5128581, -240, true},
      {"New York", {2021, 11, 7, 1, 30}, DstChoice::NoDst, 5128581, -300, false},
      {"Kathmandu", {2000, 1, 1, 0, 0}, DstChoice::Unspecified, 1283240, 345, false},
      // Zone Europe/Berlin 0:53:28 LMT: 53.47 min, to the nearest minute 53.
      {"Berlin", {1879, 3, 1, 12, 0}, DstChoice::Unspecified, 2950159, 53, false},
  };
  for (const Row& row : rows) {
    const PlaceResolution r = ResolvePlaceAt(Fixture(), row.text, row.local, row.choice);
    ASSERT_TRUE(r.value) << row.text << ": " << r.error;
    EXPECT_EQ(r.value->place->geonameId, row.id) << row.text;
    EXPECT_EQ(r.value->offsetMinutes, row.minutes) << row.text;
    EXPECT_EQ(r.value->offset.dst, row.dst) << row.text;
    EXPECT_EQ(r.value->note.empty(), !r.value->offset.localMeanTime) << row.text;
  }
}

TEST(ResolvePlaceAt, RefusesWithTheReason) {
  struct Row { const char* text; LocalDateTime local; DstChoice choice; std::string error; };
  const Row rows[] = {
      {"Springfield, Ohio", {2021, 3, 14, 2, 30}, DstChoice::Unspecified,
       "2021-03-14 02:30 did not happen in America/New_York: the clocks went forward from 02:00 EST (UTC\u22125) "
       "to 03:00 EDT (UTC\u22124)."},
      {"New York", {2021, 11, 7, 1, 30}, DstChoice::Unspecified,
       "2021-11-07 01:30 happened twice in America/New_York: first EDT (UTC\u22124, daylight saving), then EST "
       "(UTC\u22125). Say which with --dst or --no-dst."},
      {"New York", {1976, 7, 4, 10, 15}, DstChoice::NoDst,
       "daylight saving was in force in America/New_York on 1976-07-04 10:15 (EDT, UTC\u22124); leave out --dst "
       "and --no-dst"},
      {"London", {2000, 1, 1, 0, 0}, DstChoice::Unspecified,
       "\"London\" is ambiguous; it names:\n  2643743  London, England, United Kingdom\n  6058560  London, "
       "Ontario, Canada\nNarrow it as \"City, State, Country\" or give the GeoNames id."},
      {"Atlantis", {2000, 1, 1, 0, 0}, DstChoice::Unspecified, "no place in the atlas matches \"Atlantis\""},
      {"999", {2000, 1, 1, 0, 0}, DstChoice::Unspecified, "no place in the atlas has the GeoNames id 999"},
  };
  for (const Row& row : rows) {
    const PlaceResolution r = ResolvePlaceAt(Fixture(), row.text, row.local, row.choice);
    EXPECT_FALSE(r.value) << row.text;
    EXPECT_EQ(r.error, row.error) << row.text;
  }
  // Eight Springfields, listed largest first, with their GeoNames ids.
  const std::string springfield = FindOnePlace(Fixture(), "Springfield").error;
  EXPECT_EQ(springfield.rfind("\"Springfield\" is ambiguous; it names:\n  4409896  Springfield, Missouri, United States\n", 0), 0u)
      << springfield;
}

}  // namespace
}  // namespace orbisca::places
