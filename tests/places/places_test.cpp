// The atlas: loading, folding and search, over a fixture of real GeoNames rows
// (fixture/README) and, where Debian's libtimezonemap-data is installed, the
// full list.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "places/atlas.h"
#include "places/atlas_loader.h"
#include "places/fold.h"

namespace orbisca::places {
namespace {

const Atlas& Fixture() {
  static const AtlasLoad load = Atlas::Load(AtlasFilesIn(ORBISCA_PLACES_FIXTURE));
  if (!load.atlas) ADD_FAILURE() << load.error;
  return *load.atlas;
}

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> Names(const std::vector<const Place*>& places) {
  std::vector<std::string> names;
  for (const Place* p : places) names.push_back(DisplayName(*p));
  return names;
}

TEST(FoldForSearch, LowersAndDropsAccentsAndSpaces) {
  struct Row { std::string in, out; };
  const Row rows[] = {
      {"São Paulo", "sao paulo"},      {"ŁÓDŹ", "lodz"},        {"Straße", "strasse"},
      {"  New \t York  ", "new york"}, {"Kraków", "krakow"},     {"Île-de-France", "ile-de-france"},
      {"Hawai\u02BBi", "hawai'i"},     {"Москва", "Москва"},    {"a\xC3", "a\xC3"},  // cut sequence kept
      {"Øresund Æble", "oresund aeble"},
      // Decomposed letters fold as the precomposed ones; a mark after a
      // letter of another script stays, as that letter does.
      {"Zu\u0308rich", "zurich"},     {"SA\u0303O Paulo", "sao paulo"}, {"E\u0301\u0300", "e"},
      {"\u0438\u0306", "\u0438\u0306"}, {" \u0301x", "\u0301x"},
  };
  for (const Row& row : rows) EXPECT_EQ(FoldForSearch(row.in), row.out) << row.in;
  EXPECT_EQ(Names(Fixture().Search("Sa\u0303o Paulo")), Names(Fixture().Search("São Paulo")));
  EXPECT_FALSE(Fixture().Search("Sa\u0303o Paulo").empty());
}

TEST(Atlas, LoadsTheFixtureLargestFirstWithStateAndCountryNames) {
  const Atlas& atlas = Fixture();
  EXPECT_EQ(atlas.size(), 28u);
  const Place* chennai = atlas.FindById(1264527);
  ASSERT_NE(chennai, nullptr);
  EXPECT_EQ(DisplayName(*chennai), "Chennai, Tamil Nadu, India");
  EXPECT_EQ(chennai->timeZone, "Asia/Kolkata");
  EXPECT_NEAR(chennai->latitude, 13.08784, 1e-9);
  EXPECT_NEAR(chennai->longitude, 80.27847, 1e-9);
  // A state named like its city is not repeated.
  EXPECT_EQ(DisplayName(*atlas.FindById(2950159)), "Berlin, Germany");
  EXPECT_EQ(atlas.FindById(42), nullptr);
}

TEST(Atlas, SearchMatchesPrefixesWithoutAccentsAndNarrowsByStateAndCountry) {
  struct Row { const char* query; std::vector<std::string> expected; };
  const Row rows[] = {
      {"Sao Paulo", {"São Paulo, Brazil"}},
      {"SÃO paulo", {"São Paulo, Brazil"}},
      {"lodz", {"Łódź, Łódź Voivodeship, Poland"}},
      {"Łódź", {"Łódź, Łódź Voivodeship, Poland"}},
      // Ranked by population: 7.5 M, 472 k, 347 k.
      {"Lon", {"London, England, United Kingdom", "Londrina, Paraná, Brazil", "London, Ontario, Canada"}},
      {"Springfield, IL", {"Springfield, Illinois, United States"}},
      {"springfield, mass", {"Springfield, Massachusetts, United States"}},
      {"Springfield, Missouri, US", {"Springfield, Missouri, United States"}},
      {"Springfield, Missouri, France", {}},
      // Two parts: the second may be a country as well as a state.
      {"Dublin, US", {"Dublin, California, United States", "Dublin, Ohio, United States",
                      "Dublin, Georgia, United States"}},
      {"Dublin, Ireland", {"Dublin, Leinster, Ireland"}},
      {"Paris, Île", {"Paris, Île-de-France, France"}},
      {"New York", {"New York City, New York, United States"}},
      {"York", {}},
      {"", {}},
      {" , IL", {}},
  };
  for (const Row& row : rows) EXPECT_EQ(Names(Fixture().Search(row.query)), row.expected) << row.query;
}

TEST(Atlas, SearchRanksEveryMatchByPopulationAndHonoursTheLimit) {
  const std::vector<std::string> springfields = Names(Fixture().Search("Springfield"));
  ASSERT_EQ(springfields.size(), 8u);
  // Populations from the fixture: MO 159,498; MA 153,060; IL 116,250; OH 60,608;
  // OR 59,403; VA 30,484; PA 23,363; TN 16,440.
  const char* states[] = {"Missouri", "Massachusetts", "Illinois", "Ohio", "Oregon", "Virginia", "Pennsylvania",
                          "Tennessee"};
  for (std::size_t i = 0; i < 8; ++i) EXPECT_NE(springfields[i].find(states[i]), std::string::npos) << i;
  EXPECT_EQ(Fixture().Search("Springfield", 3).size(), 3u);
  EXPECT_EQ(Names(Fixture().Search("s", 2)), (std::vector<std::string>{"São Paulo, Brazil",
                                                                        "Santos, São Paulo, Brazil"}));
}

class BrokenAtlas : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("orbisca_atlas_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
    for (const char* file : {"cities15000.txt", "admin1Codes.txt", "countryInfo.txt"}) {
      std::filesystem::copy_file(std::filesystem::path(ORBISCA_PLACES_FIXTURE) / file, folder_ / file);
    }
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::filesystem::path folder_;
};

TEST_F(BrokenAtlas, AMissingFileIsNamedWithTheReason) {
  std::filesystem::remove(folder_ / "admin1Codes.txt");
  const AtlasLoad load = Atlas::Load(AtlasFilesIn(folder_.string()));
  EXPECT_EQ(load.atlas, nullptr);
  EXPECT_EQ(load.error, "Cannot read the atlas file " + (folder_ / "admin1Codes.txt").string() +
                            ": No such file or directory");
}

// What is not a regular file is refused before it is read: a folder read as a
// huge size (std::bad_alloc), a FIFO blocked the open for ever. A file whose
// line breaks were lost is damaged, not a list of one odd place.
TEST_F(BrokenAtlas, WhatIsNotAListOfLinesIsRefused) {
  const std::filesystem::path fixture(ORBISCA_PLACES_FIXTURE);
  for (const char* file : {"cities15000.txt", "admin1Codes.txt", "countryInfo.txt"}) {
    SCOPED_TRACE(file);
    const std::string path = (folder_ / file).string();
    std::string text = ReadText(fixture / file);
    std::erase(text, '\n');
    const std::size_t columns = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\t')) + 1;
    const std::string oneLine = text.starts_with('#') ? "The atlas file " + path + " lists nothing"
                                                     : "The atlas file " + path + " is damaged at line 1: expected " +
                                                           (std::string(file) == "admin1Codes.txt" ? "4" : "19") +
                                                           " columns, found " + std::to_string(columns);
    const struct {
      const char* what;
      std::function<void()> damage;
      std::string error;
    } rows[] = {
        {"a folder", [&] { std::filesystem::create_directory(path); }, "Cannot read the atlas file " + path + ": is a directory"},
        {"a FIFO", [&] { ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); },
         "Cannot read the atlas file " + path + ": is not a regular file"},
        {"no line breaks", [&] { std::ofstream(path) << text; }, oneLine},
    };
    for (const auto& row : rows) {
      SCOPED_TRACE(row.what);
      std::filesystem::remove(path);
      row.damage();
      const AtlasLoad load = Atlas::Load(AtlasFilesIn(folder_.string()));
      EXPECT_EQ(load.atlas, nullptr);
      EXPECT_EQ(load.error, row.error);
    }
    std::filesystem::remove(path);
    std::filesystem::copy_file(fixture / file, path);
  }
}

TEST_F(BrokenAtlas, ADamagedCityLineIsNamedAndNothingLoads) {
  struct Row { const char* line; const char* what; };
  const Row rows[] = {
      {"1\tShort\tShort\n", "expected 19 columns, found 3"},
      {"1\tX\tX\t\t91.0\t0\tP\tPPL\tUS\t\tNY\t\t\t\t100\t\t1\tAmerica/New_York\t2020-01-01\n", "bad latitude"},
      {"1\tX\tX\t\t1.0\teast\tP\tPPL\tUS\t\tNY\t\t\t\t100\t\t1\tAmerica/New_York\t2020-01-01\n", "bad longitude"},
  };
  for (const Row& row : rows) {
    std::ofstream(folder_ / "cities15000.txt", std::ios::app) << row.line;
    const AtlasLoad load = Atlas::Load(AtlasFilesIn(folder_.string()));
    EXPECT_EQ(load.atlas, nullptr);
    EXPECT_EQ(load.error, "The atlas file " + (folder_ / "cities15000.txt").string() + " is damaged at line 29: " +
                              row.what);
    std::filesystem::copy_file(std::filesystem::path(ORBISCA_PLACES_FIXTURE) / "cities15000.txt",
                               folder_ / "cities15000.txt", std::filesystem::copy_options::overwrite_existing);
  }
}

TEST(AtlasLoader, LoadsOnceOffTheCallingThreadForEveryCaller) {
  std::atomic<int> readyCalls{0};
  std::atomic<bool> readyBeforeCall{false};
  AtlasLoader* self = nullptr;
  AtlasLoader loader(AtlasFilesIn(ORBISCA_PLACES_FIXTURE), [&] {
    readyBeforeCall = self->IsReady();
    ++readyCalls;
  });
  self = &loader;
  EXPECT_FALSE(loader.IsReady());
  loader.Start();
  const Atlas* seen[2] = {};
  std::thread other([&] { seen[0] = loader.Wait().atlas.get(); });
  seen[1] = loader.Wait().atlas.get();
  other.join();
  EXPECT_TRUE(loader.IsReady());
  ASSERT_NE(seen[1], nullptr);
  EXPECT_EQ(seen[0], seen[1]);
  EXPECT_EQ(seen[1]->size(), 28u);
  loader.Start();
  while (readyCalls == 0) std::this_thread::yield();
  EXPECT_EQ(readyCalls, 1);
  EXPECT_TRUE(readyBeforeCall);  // a search started from the call does not wait
}

TEST(AtlasLoader, ReportsAFailedLoad) {
  AtlasLoader loader(AtlasFilesIn("/nonexistent-atlas"));
  const AtlasLoad& load = loader.Wait();  // without Start: Wait starts it
  EXPECT_EQ(load.atlas, nullptr);
  EXPECT_EQ(load.error, "Cannot read the atlas file /nonexistent-atlas/admin1Codes.txt: No such file or directory");
}

TEST(InstalledAtlas, FindsTheCitiesOfTheFullList) {
  const std::string folder = "/usr/share/libtimezonemap/ui";
  if (!std::filesystem::exists(folder + "/cities15000.txt")) {
    GTEST_SKIP() << "libtimezonemap-data is not installed: no " << folder << "/cities15000.txt";
  }
  const AtlasLoad load = Atlas::Load(AtlasFilesIn(folder));
  ASSERT_NE(load.atlas, nullptr) << load.error;
  EXPECT_GT(load.atlas->size(), 20000u);  // 23,461 in GeoNames' list of 2019
  EXPECT_EQ(DisplayName(*load.atlas->Search("Sao Paulo", 1).at(0)), "São Paulo, Brazil");
  EXPECT_EQ(DisplayName(*load.atlas->Search("Chennai", 1).at(0)), "Chennai, Tamil Nadu, India");
  EXPECT_EQ(load.atlas->Search("Springfield, IL").size(), 1u);
  EXPECT_EQ(load.atlas->Search("New York, NY, US").at(0)->geonameId, 5128581);
}

}  // namespace
}  // namespace orbisca::places
