// `orbisca-chart births ...`: each subcommand and its exit status, and an
// exported library charted by the batch mode.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "run_command.h"

namespace orbisca::testing_cli {
namespace {

namespace fs = std::filesystem;

class BirthsCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::path(::testing::TempDir()) / ("births_command_" + std::to_string(::getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  std::string PathOf(const char* name) const { return (folder_ / name).string(); }
  // The command on this test's library, with the test atlas.
  Outcome Births(std::vector<std::string> args) const {
    args.insert(args.begin(), "births");
    return RunChart(args, "ORBISCA_LIBRARY=" + Quote(PathOf("lib.sqlite")) + " ORBISCA_ATLAS_DIR=" +
                              Quote(ORBISCA_PLACES_FIXTURE) + " ");
  }
  fs::path folder_;
};

TEST_F(BirthsCommand, EachSubcommandAndItsStatus) {
  const std::vector<std::string> ada = {"add", "--name", "Ada, \"the\" first", "--date", "1976-07-04", "--time",
                                        "10:15", "--zone", "EST", "--lon", "74:00W", "--lat", "40:42N", "--dst",
                                        "--kind", "female", "--tags", "family;日本"};
  std::ofstream(PathOf("bad.csv")) << "name,date,time,zone,dst,lon,lat\nB,1970-01-01,12:00,GMT,false,0:00E,0:00N\n"
                                      "C,1970-02-30,12:00,GMT,false,0:00E,0:00N\n";
  const struct {
    std::vector<std::string> args;
    int status;
    const char* out;  // what standard output holds
    const char* err;  // what standard error holds
  } steps[] = {
      {{"list"}, 0, "", ""},  // no library yet: an empty one
      {ada, 0, "1\n", ""},
      {{"add", "--name", "Kath", "--date", "1990-05-01", "--time", "06:30", "--place", "Kathmandu"}, 0, "2\n", ""},
      {{"add", "--date", "1990-05-01", "--time", "06:30", "--zone", "GMT", "--lat", "91:00N"}, 1, "", "Degree of Latitude"},
      {{"add", "--date", "1990-05-01", "--time", "06:30"}, 2, "", "--zone (or --place) is required"},
      {{"add", "--date", "1990-05-01", "--time", "06:30", "--zone", "GMT", "--kind", "cat"}, 2, "", "--kind expects"},
      {{"list"}, 0, "1\tAda, \"the\" first\t1976-07-04 10:15\t\tfamily;日本\n2\tKath\t", ""},
      {{"list", "--search", "KATH"}, 0, "2\tKath\t1990-05-01 06:30\tKathmandu", ""},
      {{"show", "2"}, 0, "zone: UTC+05:45\ndst: false\nlon: 85:19E\nlat: 27:42N\n", ""},
      {{"show", "7"}, 1, "", "no birth has the id 7"},
      {{"export", PathOf("all.csv")}, 0, "", ""},
      {{"export", PathOf("all.aaf")}, 0, "", ""},
      {{"export", PathOf("all.txt")}, 2, "", "give the format with --format"},
      {{"remove", "2"}, 0, "", ""},
      {{"remove", "2"}, 1, "", "no birth has the id 2"},
      {{"import", PathOf("all.aaf")}, 0, "", "2 births added, 0 records skipped, 1 given a new id"},
      {{"import", PathOf("bad.csv")}, 1, "", "line 3: date expects a calendar date"},
      {{"import", PathOf("bad.csv"), "--skip-bad"}, 1, "", "1 births added, 1 records skipped"},
      {{"import", PathOf("missing.csv")}, 2, "", "cannot read"},
      {{"list", "--json", "--search", "kath"}, 0, "\"place\": \"Kathmandu", ""},
      {{"frobnicate"}, 2, "", "Run with --help"},
  };
  for (const auto& step : steps) {
    const Outcome o = Births(step.args);
    SCOPED_TRACE(step.args.front() + " " + (step.args.size() > 1 ? step.args[1] : ""));
    EXPECT_EQ(o.status, step.status) << o.err;
    EXPECT_NE(o.out.find(step.out), std::string::npos) << o.out;
    EXPECT_NE(o.err.find(step.err), std::string::npos) << o.err;
  }
  // The JSON list: an array of objects with every key a program needs.
  const nlohmann::json list = nlohmann::json::parse(Births({"list", "--json"}).out);
  ASSERT_EQ(list.size(), 4u);
  for (const char* key : {"id", "name", "date", "time", "zone", "dst", "lat", "lon", "place"}) {
    EXPECT_TRUE(list[0].contains(key)) << key;
  }
  // The exported library charts in the batch mode as it is, in both forms.
  const Outcome batch = RunChart({"--batch", PathOf("all.csv"), "--format", "csv"});
  EXPECT_EQ(batch.status, 0) << batch.err;
  EXPECT_NE(batch.out.find("\n2,\"Ada, \"\"the\"\" first\",Conjunction,Sun,Venus,"), std::string::npos) << batch.out;
  EXPECT_NE(batch.err.find("2 rows read, 2 charted"), std::string::npos) << batch.err;
  ASSERT_EQ(Births({"export", PathOf("all.jsonl")}).status, 0);
  const Outcome lines = RunChart({"--batch", PathOf("all.jsonl")});
  EXPECT_EQ(lines.status, 0) << lines.err;
  EXPECT_NE(lines.err.find("4 rows read, 4 charted"), std::string::npos) << lines.err;
}

// --search finds the births where each word starts a word of the name,
// place, tags or note, case and accents ignored; the text is never search
// syntax, and a text without a word lists all.
TEST_F(BirthsCommand, SearchFindsWordStartsOfPlainText) {
  const std::vector<std::string> where = {"--date", "1970-01-01", "--time", "12:00", "--zone", "GMT", "--lon", "0:00E",
                                          "--lat", "51:30N"};
  for (std::vector<std::string> add : {std::vector<std::string>{"add", "--name", "Ada \"the\" first", "--tags", "family;日本"},
                                       std::vector<std::string>{"add", "--name", "Émile", "--note", "met in Kathmandu"}}) {
    add.insert(add.end(), where.begin(), where.end());
    ASSERT_EQ(Births(add).status, 0);
  }
  const struct {
    const char* search;
    const char* ids;  // the first column of the lines, in order
  } cases[] = {
      {"ADA", "1"},         {"emi", "2"},       {"mile", ""},     {"\"the\"", "1"},     {"the OR emile", ""},
      {"日本", "1"},        {"fam*", "1"},      {"NEAR(ada", ""}, {"ada:", "1"},        {"kathmandu MET", "2"},
      {"-", "1 2"},         {"", "1 2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.search);
    const Outcome o = Births({"list", "--search", c.search});
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.err, "");
    std::istringstream lines(o.out);
    std::string ids, line;
    while (std::getline(lines, line)) ids += (ids.empty() ? "" : " ") + line.substr(0, line.find('\t'));
    EXPECT_EQ(ids, c.ids) << o.out;
  }
}

// --birth charts a saved birth exactly as the same birth typed as options:
// an atlas offset (Kathmandu's UTC+05:45) and the seconds included. The batch
// charts the whole library by id. A birth the library keeps but the chart's
// checks refuse (before 1901) is a refused record: exit status 1.
TEST_F(BirthsCommand, SavedBirthsChartAsTyped) {
  ASSERT_EQ(Births({"add", "--name", "Kath", "--date", "1990-05-01", "--time", "06:30:40", "--place", "Kathmandu"}).out,
            "1\n");
  ASSERT_EQ(Births({"add", "--name", "Ada \"Q\"", "--date", "1976-07-04", "--time", "10:15", "--zone", "EST", "--lon",
                    "74:00W", "--lat", "40:42N", "--dst"})
                .out,
            "2\n");
  std::ofstream(PathOf("old.csv")) << "name,date,time,zone,dst,lon,lat\nOld,1850-03-01,12:00,GMT,false,0:00E,0:00N\n";
  ASSERT_EQ(Births({"import", PathOf("old.csv")}).status, 0);
  const std::string library = PathOf("lib.sqlite");
  const std::vector<std::string> kath = {"--name", "Kath", "--date", "1990-05-01", "--time", "06:30:40", "--zone",
                                         "UTC+05:45", "--lon", "85:19E", "--lat", "27:42N"};
  const std::vector<std::string> ada = {"--name", "Ada \"Q\"", "--date", "1976-07-04", "--time", "10:15", "--zone",
                                        "EST", "--lon", "74:00W", "--lat", "40:42N", "--dst"};
  const struct {
    std::vector<std::string> typed;
    const char* id;
    std::vector<std::string> output;
  } cases[] = {
      {kath, "1", {}},
      {kath, "1", {"--json", "--node", "true", "--dasha-levels", "3"}},
      {kath, "1", {"--report"}},
      {ada, "2", {"--json"}},
      {ada, "2", {"--svg", PathOf("chart.svg")}},
      {kath, "1", {"--svg", PathOf("chart.svg"), "--varga", "9", "--style", "north"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed[1] + " " + (c.output.empty() ? "" : c.output[0]));
    std::vector<std::string> typed = c.typed, saved = {"--birth", c.id, "--library", library};
    typed.insert(typed.end(), c.output.begin(), c.output.end());
    saved.insert(saved.end(), c.output.begin(), c.output.end());
    const Outcome want = RunChart(typed);
    ASSERT_EQ(want.status, 0) << want.err;
    const std::string picture = c.output.empty() || c.output[0] != "--svg" ? "" : PathOf("chart.svg");
    const auto file = [&picture] {
      std::ifstream in(picture);
      return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const std::string wantPicture = picture.empty() ? "" : file();
    const Outcome got = RunChart(saved);
    EXPECT_EQ(got.status, 0) << got.err;
    EXPECT_EQ(got.out, want.out);
    if (!picture.empty()) {
      EXPECT_EQ(file(), wantPicture);
    }
  }
  // The library by id, each row the single chart's with "id" first.
  const Outcome all = RunChart({"--batch", "--library", library});
  EXPECT_EQ(all.status, 1);
  EXPECT_EQ(all.err, "orbisca-chart: 3 births read, 2 charted, 1 refused\n");
  std::vector<nlohmann::ordered_json> rows;
  std::istringstream lines(all.out);
  for (std::string line; std::getline(lines, line);) rows.push_back(nlohmann::ordered_json::parse(line));
  ASSERT_EQ(rows.size(), 3u);
  for (std::size_t i = 0; i < 2; ++i) {
    nlohmann::ordered_json single =
        nlohmann::ordered_json::parse(RunChart({"--birth", std::to_string(i + 1), "--library", library, "--json"}).out);
    single["dasha"].erase("periods");
    single.erase("vargas");
    for (auto& aspect : single["aspects"]) aspect.erase("paragraph");
    EXPECT_EQ(rows[i].dump(), "{\"id\":" + std::to_string(i + 1) + "," + single.dump().substr(1));
  }
  EXPECT_EQ(rows[2].dump(), R"({"id":3,"error":"the year must be 1901 to 2050"})");
  // The same through the default library, and as CSV with the refusal on standard error.
  const Outcome byDefault =
      RunChart({"--batch", "--library", "--format", "csv"}, "ORBISCA_LIBRARY=" + Quote(library) + " ");
  EXPECT_EQ(byDefault.status, 1);
  EXPECT_EQ(byDefault.out.substr(0, 37), "id,name,kind,first,second,separation\n");
  EXPECT_NE(byDefault.out.find("\n2,\"Ada \"\"Q\"\"\",Conjunction,Sun,Venus,"), std::string::npos) << byDefault.out;
  EXPECT_NE(byDefault.err.find("orbisca-chart: id 3: the year must be 1901 to 2050\n"), std::string::npos)
      << byDefault.err;

  // Exit statuses and messages.
  const struct {
    std::vector<std::string> args;
    int status;
    std::string err;
  } uses[] = {
      {{"--birth", "3", "--library", library}, 1, "the year must be 1901 to 2050"},
      {{"--birth", "9", "--library", library}, 2, "--birth: no birth has the id 9 in " + library},
      {{"--birth", "1", "--library", PathOf("none.sqlite")}, 2, "there is no library at " + PathOf("none.sqlite")},
      {{"--birth", "1", "--library", library, "--zone", "EST"}, 2, "--zone is not used with --birth"},
      {{"--birth", "x", "--library", library}, 2, "--birth"},
      {{"--batch", "--library", PathOf("none.sqlite")}, 2, "there is no library at"},
      {{"--batch", PathOf("old.csv"), "--library", library}, 2, "not both"},
      {{"--batch"}, 2, "--batch needs a value"},
      {{"--library", library, "--date", "1990-05-01", "--time", "06:30", "--zone", "GMT"}, 2,
       "--library is used only with --birth or --batch"},
  };
  for (const auto& u : uses) {
    const Outcome o = RunChart(u.args);
    SCOPED_TRACE(u.args[0] + (u.args.size() > 1 ? " " + u.args[1] : ""));
    EXPECT_EQ(o.status, u.status) << o.err;
    EXPECT_NE(o.err.find(u.err), std::string::npos) << o.err;
    EXPECT_TRUE(o.out.empty());
  }
}

TEST_F(BirthsCommand, LibraryThatIsNotOneIsLeftAlone) {
  std::ofstream(PathOf("lib.sqlite")) << "not a database\n";
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"list"}, {"add", "--date", "1990-05-01", "--time", "06:30", "--zone", "GMT"}}) {
    const Outcome o = Births(args);
    EXPECT_EQ(o.status, 2);
    EXPECT_NE(o.err.find("is not an SQLite file"), std::string::npos) << o.err;
  }
  std::ifstream in(PathOf("lib.sqlite"));
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "not a database\n");
}

}  // namespace
}  // namespace orbisca::testing_cli
