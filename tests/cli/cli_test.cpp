// The command as a user runs it: output, messages and exit status.
#include <gtest/gtest.h>

#include <cmath>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <nlohmann/json.hpp>
#include <string>

#include "report/rtf.h"
#include "run_command.h"

namespace {

using orbisca::testing_cli::Outcome;
using orbisca::testing_cli::Quote;
using orbisca::testing_cli::RunChart;

// A new empty folder of this test's own, removed at the end of the test:
// ctest -j runs tests side by side.
class TempFolder {
 public:
  explicit TempFolder(const std::string& label) : path(testing::TempDir() + "orbisca-" + label + "-XXXXXX") {
    if (mkdtemp(path.data()) == nullptr) ADD_FAILURE() << "mkdtemp " << path;
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string path;
};

// The 1976 New York birth of the engine's position tests; the longitudes the
// command prints are that chart's regression values (tests/engine/positions_test.cpp).
const std::vector<std::string> kNewYork1976 = {"--date", "1976-07-04", "--time", "10:15", "--zone", "EST",
                                               "--lon",  "74:00W",     "--lat",  "40:42N", "--dst"};

TEST(Command, TextChartListsBodiesAndEntries) {
  const Outcome o = RunChart(kNewYork1976);
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_TRUE(o.err.empty());
  EXPECT_NE(o.out.find("Sun        79.1783  Gemini      19\u00B010\u2032"), std::string::npos) << o.out;
  EXPECT_NE(o.out.find("Moon      167.4042  Virgo       17\u00B024\u2032"), std::string::npos) << o.out;
  EXPECT_NE(o.out.find("Sun        79.1783  Gemini      19\u00B010\u2032  Ardra, pada 4\n"), std::string::npos);
  EXPECT_NE(o.out.find("\nAsc       134.6641  Leo         14\u00B039\u2032  Purva Phalguni, pada 1\n"), std::string::npos);
  EXPECT_NE(o.out.find("Sun-Venus  In Conjunction Aspect\n"), std::string::npos);
  EXPECT_EQ(o.out.find('\r'), std::string::npos);
}

TEST(Command, JsonCarriesTheChart) {
  std::vector<std::string> args = kNewYork1976;
  args.push_back("--json");
  const Outcome o = RunChart(args);
  ASSERT_EQ(o.status, 0) << o.err;
  const nlohmann::json chart = nlohmann::json::parse(o.out);
  EXPECT_DOUBLE_EQ(chart["universal_time_hours"].get<double>(), 14.25);
  EXPECT_NEAR(chart["sidereal_shift"].get<double>(), -23.532879, 1e-6);
  ASSERT_EQ(chart["bodies"].size(), 10u);
  const char* names[] = {"Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto"};
  const double expected[] = {79.1783, 167.4042, 66.4700, 83.6991, 125.0396, 29.2212, 99.9126, 189.5212, 228.2545, 165.4718};
  for (std::size_t i = 0; i < 10; ++i) {
    EXPECT_EQ(chart["bodies"][i]["name"], names[i]);
    EXPECT_NEAR(chart["bodies"][i]["longitude"].get<double>(), expected[i], 0.00006) << names[i];
  }
  // Every entry is consistent with the longitudes it names.
  ASSERT_FALSE(chart["aspects"].empty());
  for (const auto& a : chart["aspects"]) {
    EXPECT_TRUE(a.contains("paragraph"));
    EXPECT_TRUE(a["separation"].is_number_integer());
  }
  EXPECT_EQ(chart["aspects"][0]["kind"], "Conjunction");
  EXPECT_EQ(chart["aspects"][0]["first"], "Sun");
  EXPECT_EQ(chart["aspects"][0]["second"], "Venus");
  EXPECT_EQ(chart["aspects"][0]["separation"], -5);
}

// The chart's signs, nakshatras and ascendant sit beside the keys above, which
// keep their order.
TEST(Command, JsonCarriesSignsNakshatrasAndTheAscendant) {
  std::vector<std::string> args = kNewYork1976;
  args.push_back("--json");
  const Outcome o = RunChart(args);
  ASSERT_EQ(o.status, 0) << o.err;
  const nlohmann::ordered_json chart = nlohmann::ordered_json::parse(o.out);
  std::vector<std::string> keys;
  for (const auto& item : chart.items()) keys.push_back(item.key());
  EXPECT_EQ(keys, (std::vector<std::string>{"universal_time_hours", "sidereal_shift", "julian_day", "bodies",
                                            "ascendant", "aspects", "nodes", "particulars", "dasha", "vargas"}));
  EXPECT_DOUBLE_EQ(chart["julian_day"].get<double>(), 2442964.09375);  // 1976-07-04 14:15 UT
  // Each body's sign (30°), nakshatra (13°20′) and pada (3°20′) from its longitude.
  for (const auto& body : chart["bodies"]) {
    const double lon = body["longitude"].get<double>();
    SCOPED_TRACE(body["name"].get<std::string>());
    EXPECT_EQ(body["sign"].get<int>(), static_cast<int>(lon / 30.0) + 1);
    EXPECT_EQ(body["nakshatra"].get<int>(), static_cast<int>(lon * 3.0 / 40.0) + 1);
    EXPECT_EQ(body["pada"].get<int>(), static_cast<int>(lon * 3.0 / 10.0) % 4 + 1);
  }
  EXPECT_EQ(chart["bodies"][0]["sign_name"], "Mithuna (Gemini)");
  EXPECT_EQ(chart["bodies"][0]["nakshatra_name"], "Ardra");
  // 158.196963° tropical at 40°42′N 74°00′W by the vector method of
  // tests/engine/reference/ascendant_reference.py, less the shift 23.532879°.
  EXPECT_NEAR(chart["ascendant"]["longitude"].get<double>(), 158.196963 - 23.532879, 1.0 / 3600.0);
  EXPECT_EQ(chart["ascendant"]["sign_name"], "Simha (Leo)");
  EXPECT_EQ(chart["ascendant"]["nakshatra_name"], "Purva Phalguni");
  EXPECT_EQ(chart["ascendant"]["pada"], 1);
}

// The listing's nodes come after Pluto and before the ascendant, then the
// particulars and the mahadashas on the birth's clock (EDT, UTC-4:00).
TEST(Command, TextChartListsTheNodesParticularsAndMahadashas) {
  const Outcome o = RunChart(kNewYork1976);
  ASSERT_EQ(o.status, 0) << o.err;
  for (const char* line : {
           "Pluto     165.4718  Virgo       15\u00B028\u2032  Hasta, pada 2\n"
           "Rahu      195.9031  Libra       15\u00B054\u2032  Swati, pada 3\n"
           "Ketu       15.9031  Aries       15\u00B054\u2032  Bharani, pada 1\n"
           "Asc ",
           "\nBorn on a Sunday; vara Sunday (Ravivara) from sunrise 1976-07-04 05:30; tithi 8 (Shukla Ashtami); yoga "
           "19 (Parigha); karana 15 (Vishti); Moon in Hasta, pada 3\n",
           "Vimshottari dasha, years of 365.25 days, dates on the birth's clock (UTC-4:00)\n"
           "Born in Moon dasha, balance 4 y 5 m 11 d\n"
           "Moon     1970-12-15 03:22 to 1980-12-14 15:22  began before birth\n"
           "Mars     1980-12-14 15:22 to 1987-12-15 09:22  from age 4 y 5 m\n",
           "Sun      2084-12-14 15:22 to 2090-12-15 03:22  from age 108 y 5 m\n\nSun-Venus  In Conjunction Aspect\n"}) {
    EXPECT_NE(o.out.find(line), std::string::npos) << line << "\n---\n" << o.out;
  }
}

// The nodes, the particulars and the dasha in --json, under each choice of
// node, year and depth.
// "vargas": the sixteen divisional charts in Parashara's order, each with
// the ten bodies, Rahu, Ketu and the ascendant by the names the rest of the
// object gives them. D1 is each point's own sign, and D9 the sign of nine
// times its longitude (each navamsa is 3°20′, and the nine of a sign run on
// from the last of the sign before).
TEST(Command, JsonCarriesTheVargas) {
  std::vector<std::string> args = kNewYork1976;
  args.push_back("--json");
  const Outcome o = RunChart(args);
  ASSERT_EQ(o.status, 0) << o.err;
  const nlohmann::ordered_json chart = nlohmann::ordered_json::parse(o.out);
  const nlohmann::ordered_json& vargas = chart["vargas"];
  std::vector<std::string> keys;
  for (const auto& item : vargas.items()) keys.push_back(item.key());
  EXPECT_EQ(keys, (std::vector<std::string>{"D1", "D2", "D3", "D4", "D7", "D9", "D10", "D12", "D16", "D20", "D24",
                                            "D27", "D30", "D40", "D45", "D60"}));
  // The points: name, sign and longitude as the object lists them.
  struct Point {
    std::string name;
    int sign;
    double longitude;
  };
  std::vector<Point> points;
  for (const char* list : {"bodies", "nodes"}) {
    for (const auto& p : chart[list]) points.push_back({p["name"], p["sign"], p["longitude"]});
  }
  points.push_back({"Ascendant", chart["ascendant"]["sign"], chart["ascendant"]["longitude"]});
  ASSERT_EQ(points.size(), 13u);
  for (const auto& [key, varga] : vargas.items()) {
    SCOPED_TRACE(key);
    std::vector<std::string> names;
    for (const auto& item : varga.items()) {
      names.push_back(item.key());
      EXPECT_GE(item.value().get<int>(), 1);
      EXPECT_LE(item.value().get<int>(), 12);
    }
    ASSERT_EQ(names.size(), points.size());
    for (std::size_t i = 0; i < points.size(); ++i) EXPECT_EQ(names[i], points[i].name);
  }
  for (const Point& p : points) {
    SCOPED_TRACE(p.name);
    EXPECT_EQ(vargas["D1"][p.name], p.sign);
    EXPECT_EQ(vargas["D9"][p.name], static_cast<int>(std::floor(9 * p.longitude / 30)) % 12 + 1);
  }
}

TEST(Command, JsonCarriesTheNodesParticularsAndDasha) {
  const struct {
    std::vector<std::string> options;
    double rahu;       // sidereal degrees
    double yearDays;
    int levels;
    const char* secondStart;  // the Mars mahadasha's start, UTC
  } rows[] = {
      // The mean node of Meeus eq. 47.7 with the chart's shift.
      {{}, 195.9031, 365.25, 2, "1980-12-14T19:22Z"},
      {{"--dasha-levels", "1"}, 195.9031, 365.25, 1, "1980-12-14T19:22Z"},
      // 4.4469 years left of the Moon's from the birth at 14:15 UT: 360-day years end
      // them 23.3 days earlier, 365.2422-day ones 50 minutes earlier.
      {{"--dasha-levels", "3", "--dasha-year", "360"}, 195.9031, 360.0, 3, "1980-11-21T11:04Z"},
      // The true node, 1.03° from the mean one that day.
      {{"--node", "true", "--dasha-year", "365.2422"}, 196.9349, 365.2422, 2, "1980-12-14T18:32Z"},
  };
  for (const auto& row : rows) {
    std::vector<std::string> args = kNewYork1976;
    args.push_back("--json");
    args.insert(args.end(), row.options.begin(), row.options.end());
    SCOPED_TRACE(args.back());
    const Outcome o = RunChart(args);
    ASSERT_EQ(o.status, 0) << o.err;
    const nlohmann::ordered_json chart = nlohmann::ordered_json::parse(o.out);
    const auto& nodes = chart["nodes"];
    ASSERT_EQ(nodes.size(), 2u);
    EXPECT_EQ(nodes[0]["name"], "Rahu");
    EXPECT_EQ(nodes[1]["name"], "Ketu");
    EXPECT_NEAR(nodes[0]["longitude"].get<double>(), row.rahu, 0.00006);
    EXPECT_NEAR(nodes[1]["longitude"].get<double>(), row.rahu - 180.0, 0.00006);
    for (const auto& node : nodes) {
      std::vector<std::string> keys, bodyKeys;
      for (const auto& item : node.items()) keys.push_back(item.key());
      for (const auto& item : chart["bodies"][0].items()) bodyKeys.push_back(item.key());
      EXPECT_EQ(keys, bodyKeys);
    }
    EXPECT_EQ(chart["particulars"].dump(),
              R"({"weekday":"Sunday","vara":"Sunday","sunrise":"1976-07-04T09:30Z","tithi":8,"tithi_name":"Ashtami",)"
              R"("paksha":"Shukla","yoga":19,"yoga_name":"Parigha","karana":15,"karana_name":"Vishti"})");
    const auto& dasha = chart["dasha"];
    EXPECT_EQ(dasha["year_days"].get<double>(), row.yearDays);
    EXPECT_EQ(dasha["balance"]["lord"], "Moon");
    EXPECT_NEAR(dasha["balance"]["years"].get<double>(), 4.4469, 0.0001);
    ASSERT_EQ(dasha["periods"].size(), 9u);
    EXPECT_EQ(dasha["periods"][1]["lord"], "Mars");
    EXPECT_EQ(dasha["periods"][1]["start"], row.secondStart);
    // Each level as deep as asked, each starting where its parent starts and
    // each period where the one before it ends.
    const nlohmann::ordered_json* level = &dasha["periods"];
    for (int depth = 1; depth <= 3; ++depth) {
      const nlohmann::ordered_json& first = (*level)[0];
      EXPECT_EQ(first.contains("periods"), depth < row.levels) << depth;
      for (std::size_t i = 1; i < level->size(); ++i) EXPECT_EQ((*level)[i]["start"], (*level)[i - 1]["end"]);
      if (!first.contains("periods")) break;
      EXPECT_EQ(first["periods"][0]["lord"], first["lord"]);
      EXPECT_EQ(first["periods"][0]["start"], first["start"]);
      EXPECT_EQ(first["periods"].back()["end"], first["end"]);
      level = &first["periods"];
    }
  }
}

// Where the Sun does not rise (78°N at the solstices) the vara is the civil
// day: JSON has no sunrise, the listing says why.
TEST(Command, PolarDayAndNightHaveNoSunrise) {
  const struct {
    const char* date;
    const char* weekday;
    const char* why;
  } rows[] = {
      {"2000-06-21", "Wednesday", "vara Wednesday (Budhavara), the civil day: no sunrise that day, the Sun stays above "
                                  "the horizon (polar day)"},
      {"2000-12-21", "Thursday", "vara Thursday (Guruvara), the civil day: no sunrise that day, the Sun stays below "
                                 "the horizon (polar night)"},
  };
  for (const auto& row : rows) {
    const std::vector<std::string> args = {"--date", row.date, "--time", "12:00", "--zone", "GMT", "--lat", "78:00N"};
    std::vector<std::string> json = args;
    json.push_back("--json");
    const Outcome o = RunChart(json);
    ASSERT_EQ(o.status, 0) << o.err;
    const nlohmann::json particulars = nlohmann::json::parse(o.out)["particulars"];
    EXPECT_TRUE(particulars["sunrise"].is_null()) << row.date;
    EXPECT_EQ(particulars["weekday"], row.weekday);
    EXPECT_EQ(particulars["vara"], row.weekday);
    EXPECT_NE(RunChart(args).out.find(row.why), std::string::npos) << row.date;
  }
}

TEST(Command, ZoneByPositionTextOrAbbreviation) {
  const Outcome byAbbreviation = RunChart({"--date", "1990-05-15", "--time", "06:30", "--zone", "ist", "--lon", "77:12E", "--json"});
  const Outcome byPosition = RunChart({"--date", "1990-05-15", "--time", "06:30", "--zone", "34", "--lon", "77:12E", "--json"});
  const Outcome byText = RunChart({"--date", "1990-05-15", "--time", "06:30", "--zone", "Indian Time, IST, +5.3", "--lon", "77:12E", "--json"});
  ASSERT_EQ(byAbbreviation.status, 0) << byAbbreviation.err;
  EXPECT_EQ(byAbbreviation.out, byPosition.out);
  EXPECT_EQ(byAbbreviation.out, byText.out);
  const nlohmann::json chart = nlohmann::json::parse(byPosition.out);
  EXPECT_DOUBLE_EQ(chart["universal_time_hours"].get<double>(), 1.0);
  EXPECT_NEAR(chart["bodies"][0]["longitude"].get<double>(), 30.2322, 0.00006);
  EXPECT_NEAR(chart["bodies"][1]["longitude"].get<double>(), 267.7903, 0.00006);
}

TEST(Command, RefusedInput) {
  struct Row {
    const char* name;
    std::vector<std::string> args;
    const char* message;  // expected on standard error
  };
  const std::vector<std::string> base = {"--time", "10:15", "--zone", "29"};
  const auto with = [&](std::vector<std::string> extra) {
    std::vector<std::string> a = base;
    a.insert(a.end(), extra.begin(), extra.end());
    return a;
  };
  const Row rows[] = {
      {"longitude degrees", with({"--date", "1976-07-04", "--lon", "180:00W"}),
       "Please Enter Value Between 0 And 179 in the Degree of Longitude\n"},
      {"longitude minutes", with({"--date", "1976-07-04", "--lon", "10:60W"}),
       "Please Enter Value Between 0 And 59 in the  Minute of Longitude\n"},
      {"latitude degrees", with({"--date", "1976-07-04", "--lon", "10:00W", "--lat", "90:00N"}),
       "Please Enter Value Between 0 And 89 in the Degree of Latitude\n"},
      {"latitude minutes", with({"--date", "1976-07-04", "--lon", "10:00W", "--lat", "10:75S"}),
       "Please Enter Value Between 0 And 59 in the  Minute of Latitude\n"},
      {"29 February 2001", with({"--date", "2001-02-29", "--lon", "10:00W"}), "Please Enter Correct Date Or Month!\n"},
      {"31 April", with({"--date", "2001-04-31", "--lon", "10:00W"}), "Please Enter Correct Date Or Month !\n"},
      {"empty name", with({"--date", "2001-04-30", "--lon", "10:00W", "--name", ""}), "Please Enter Name\n"},
      {"malformed date", with({"--date", "4 July 1976", "--lon", "10:00W"}), "--date"},
      {"year outside the list", with({"--date", "1900-07-04", "--lon", "10:00W"}), "--date"},
      {"hour 24", {"--date", "1976-07-04", "--time", "24:00", "--zone", "29", "--lon", "10:00W"}, "--time"},
      {"unknown zone", {"--date", "1976-07-04", "--time", "10:00", "--zone", "XYZ", "--lon", "10:00W"}, "--zone"},
      {"ambiguous zone", {"--date", "1976-07-04", "--time", "10:00", "--zone", "NST", "--lon", "10:00W"},
       "Newfoundland Standard Time,NST,-3.5"},
      {"zone position 71", {"--date", "1976-07-04", "--time", "10:00", "--zone", "71", "--lon", "10:00W"}, "--zone"},
      {"malformed longitude", with({"--date", "1976-07-04", "--lon", "10.5W"}), "--lon"},
      {"longitude degrees given without minutes", with({"--date", "1976-07-04", "--lon", "74W"}), "--lon"},
      {"zone 071 is past the list", {"--date", "1976-07-04", "--time", "10:00", "--zone", "071"}, "--zone"},
      {"date with a five-digit year", with({"--date", "19760-07-04"}), "--date"},
      {"time without two minute digits", {"--date", "1976-07-04", "--time", "10:5", "--zone", "29"}, "--time"},
      {"unknown node", with({"--date", "1976-07-04", "--node", "osculating"}), "--node expects mean or true"},
      {"unknown dasha year", with({"--date", "1976-07-04", "--dasha-year", "365"}),
       "--dasha-year expects 365.25, 365.2422 or 360"},
      {"dasha levels 0", with({"--date", "1976-07-04", "--dasha-levels", "0"}), "--dasha-levels expects 1, 2 or 3"},
      {"dasha levels 4", with({"--date", "1976-07-04", "--dasha-levels", "4"}), "--dasha-levels expects 1, 2 or 3"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const Outcome o = RunChart(r.args);
    EXPECT_EQ(o.status, 2);
    EXPECT_TRUE(o.out.empty()) << o.out;
    if (r.message[0] == '-') {
      EXPECT_NE(o.err.find(r.message), std::string::npos) << o.err;
    } else if (std::string(r.message).find("Newfoundland") != std::string::npos) {
      EXPECT_NE(o.err.find(r.message), std::string::npos) << o.err;
      EXPECT_NE(o.err.find("North Sumatra Time,NST,+6.5"), std::string::npos) << o.err;
    } else {
      EXPECT_EQ(o.err, r.message);
    }
  }
}

std::string ReadFile(const std::string& path) {
  std::string content;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = fread(buffer.data(), 1, buffer.size(), f)) > 0) content.append(buffer.data(), n);
    std::fclose(f);
  }
  return content;
}

void WriteFile(const std::string& path, const std::string& content) {
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(content.data(), 1, content.size(), f);
  std::fclose(f);
}

// Names in `folder` other than the given one: leftovers of a failed write.
std::vector<std::string> OtherEntries(const std::string& folder, const std::string& keep) {
  std::vector<std::string> names;
  const Outcome o = RunChart({}, "ls -A " + Quote(folder) + " ; exit 0 ; ");
  std::string line;
  for (char c : o.out) {
    if (c != '\n') {
      line += c;
    } else {
      if (line != keep) names.push_back(line);
      line.clear();
    }
  }
  return names;
}

TEST(Command, ReportFramesTheEntriesWithTheHeaderLine) {
  std::vector<std::string> args = kNewYork1976;
  args.push_back("--report");
  const Outcome o = RunChart(args);
  ASSERT_EQ(o.status, 0) << o.err;
  const std::string header = "Report Generated By https://orbisca.example/\r\n\r\n";
  ASSERT_GT(o.out.size(), 2 * header.size());
  EXPECT_EQ(o.out.substr(0, header.size()), header);
  EXPECT_EQ(o.out.substr(o.out.size() - header.size()), header);
  EXPECT_NE(o.out.find("Sun-Venus  In Conjunction Aspect\r\n"), std::string::npos);
}

TEST(Command, RtfFileIsWrittenWhole) {
  const TempFolder scratch("rtf-ok");
  const std::string& folder = scratch.path;
  const std::string path = folder + "/chart.rtf";
  std::vector<std::string> args = kNewYork1976;
  args.insert(args.end(), {"--rtf", path});
  const Outcome o = RunChart(args);
  ASSERT_EQ(o.status, 0) << o.err;
  const std::string rtf = ReadFile(path);
  // The file is the RTF encoding of exactly the report that --report prints.
  std::vector<std::string> reportArgs = kNewYork1976;
  reportArgs.push_back("--report");
  const Outcome report = RunChart(reportArgs);
  ASSERT_EQ(report.status, 0);
  EXPECT_EQ(rtf, orbisca::EncodeRtf(report.out, orbisca::RtfHalfPoints(9.75)));
  EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi", 0), 0u) << rtf.substr(0, 40);
  EXPECT_TRUE(OtherEntries(folder, "chart.rtf").empty());
}

TEST(Command, RtfWriteFailures) {
  // Failures that root cannot bypass: a missing folder, a folder standing at
  // the target, and a file-size limit (with SIGXFSZ ignored, writes fail).
  const TempFolder scratch("rtf-fail");
  const std::string& folder = scratch.path;
  RunChart({}, "mkdir " + Quote(folder + "/taken.rtf") + " ; exit 0 ; ");
  const std::string earlier = "{\\rtf1 an earlier report that must survive}";
  WriteFile(folder + "/earlier.rtf", earlier);
  struct Row {
    const char* name;
    std::string path;
    std::string prefix;
  };
  const Row rows[] = {
      {"missing parent folder", folder + "/no/such/folder/x.rtf", ""},
      {"folder at the target path", folder + "/taken.rtf", ""},
      {"file-size limit", folder + "/earlier.rtf", "trap '' XFSZ; ulimit -f 2; "},
      // The command ignores SIGXFSZ itself: without it the limit killed it
      // with no message and left its temporary file.
      {"file-size limit, the signal not ignored by the shell", folder + "/earlier.rtf", "ulimit -f 2; "},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    std::vector<std::string> args = kNewYork1976;
    args.insert(args.end(), {"--rtf", r.path});
    const Outcome o = RunChart(args, r.prefix);
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.err.find("cannot write " + r.path), std::string::npos) << o.err;
    EXPECT_TRUE(o.out.empty());
  }
  EXPECT_EQ(ReadFile(folder + "/earlier.rtf"), earlier);
  std::vector<std::string> left = OtherEntries(folder, "earlier.rtf");
  EXPECT_EQ(left, std::vector<std::string>{"taken.rtf"});
}

// Standard output that cannot take the whole text (here a file under a
// file-size limit far below it) is an error with the system's reason, in every
// output mode: it used to end with status 0 and the text cut short.
TEST(Command, StandardOutputWriteFailures) {
  const TempFolder scratch("stdout-fail");
  const std::string out = scratch.path + "/out.txt";
  std::vector<std::string> json = kNewYork1976, report = kNewYork1976;
  json.push_back("--json");
  report.push_back("--report");
  const struct {
    const char* name;
    std::vector<std::string> args;
  } rows[] = {
      {"listing", kNewYork1976},
      {"JSON", json},
      {"report", report},
      {"help", {"--help"}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    const Outcome o = RunChart(r.args, "ulimit -f 1; exec >" + Quote(out) + "; ");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "orbisca-chart: cannot write standard output: File too large\n");
  }
}

TEST(Command, SvgPictureIsWrittenWhole) {
  const TempFolder scratch("svg");
  const std::string& folder = scratch.path;
  std::vector<std::string> args = kNewYork1976;
  args.insert(args.end(), {"--name", "ANN", "--svg", folder + "/chart.svg", "--json"});
  const Outcome o = RunChart(args);
  ASSERT_EQ(o.status, 0) << o.err;
  const std::string svg = ReadFile(folder + "/chart.svg");
  EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
  EXPECT_NE(svg.find(">ANN</text>"), std::string::npos);
  EXPECT_NE(svg.find(">Su 19\u00B010\u2032</text>"), std::string::npos);
  EXPECT_NE(svg.find(">As 14\u00B039\u2032</text>"), std::string::npos);
  EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
  EXPECT_TRUE(OtherEntries(folder, "chart.svg").empty());

  args.back() = "--report";
  args[args.size() - 2] = folder + "/no/such/folder/chart.svg";
  const Outcome failed = RunChart(args);
  EXPECT_EQ(failed.status, 1);
  EXPECT_NE(failed.err.find("cannot write " + folder + "/no/such/folder/chart.svg"), std::string::npos) << failed.err;
  EXPECT_TRUE(failed.out.empty());
}

TEST(Command, LongitudeIsOptional) {
  // The place enters only the ascendant and the vara's sunrise: positions
  // are geocentric and universal time comes from the zone. Without --lon the
  // place is 0:00E.
  const std::vector<std::string> base = {"--date", "1976-07-04", "--time", "10:15", "--zone", "EST", "--dst", "--json"};
  std::vector<std::string> east = base, west = base;
  east.insert(east.end(), {"--lon", "0:00E"});
  west.insert(west.end(), {"--lon", "74:00W"});
  const Outcome without = RunChart(base);
  ASSERT_EQ(without.status, 0) << without.err;
  EXPECT_EQ(without.out, RunChart(east).out);
  nlohmann::json atWest = nlohmann::json::parse(RunChart(west).out);
  nlohmann::json atZero = nlohmann::json::parse(without.out);
  EXPECT_NE(atWest["ascendant"], atZero["ascendant"]);
  EXPECT_NE(atWest["particulars"]["sunrise"], atZero["particulars"]["sunrise"]);
  for (const char* key : {"ascendant", "particulars"}) {
    atWest.erase(key);
    atZero.erase(key);
  }
  for (nlohmann::json* chart : {&atWest, &atZero}) {
    for (auto& varga : (*chart)["vargas"]) ASSERT_EQ(varga.erase("Ascendant"), 1u);
  }
  EXPECT_EQ(atWest, atZero);
}

TEST(Command, OptionWithoutItsValueIsRefused) {
  // Regression: the option took the next option as its value, so "--name
  // --dst" silently dropped daylight saving and "--rtf --json" wrote a file
  // named --json.
  const TempFolder scratch("no-value");
  const std::string& folder = scratch.path;
  struct Row {
    std::vector<std::string> extra;
    const char* message;
  };
  const Row rows[] = {
      {{"--name", "--dst"}, "orbisca-chart: --name needs a value\n"},
      {{"--rtf", "--json"}, "orbisca-chart: --rtf needs a value\n"},
      {{"--name=--dst"}, "orbisca-chart: --name needs a value\n"},
      {{"--lat"}, "orbisca-chart: --lat needs a value\n"},
      {{"--rtf=", "--lat=75:47S"}, "orbisca-chart: --rtf needs a value\n"},
      {{"--name=", "--dst"}, "orbisca-chart: --name needs a value\n"},
  };
  for (const Row& r : rows) {
    std::vector<std::string> args = kNewYork1976;
    args.insert(args.end(), r.extra.begin(), r.extra.end());
    SCOPED_TRACE(r.extra.front());
    const Outcome o = RunChart(args, "cd " + Quote(folder) + " && ");
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.err, r.message);
    EXPECT_TRUE(o.out.empty());
  }
  const Outcome dateless = RunChart({"--date", "--time", "10:15", "--zone", "29"});
  EXPECT_EQ(dateless.err, "orbisca-chart: --date needs a value\n");
  EXPECT_TRUE(OtherEntries(folder, "").empty());
}

TEST(Command, ZonePositionsTakeLeadingZerosAlike) {
  const std::vector<std::string> base = {"--date", "1990-05-15", "--time", "06:30", "--json", "--zone"};
  std::vector<std::string> outputs;
  for (const char* zone : {"70", "070", "0070", "000070"}) {
    std::vector<std::string> args = base;
    args.push_back(zone);
    const Outcome o = RunChart(args);
    EXPECT_EQ(o.status, 0) << zone << ": " << o.err;
    outputs.push_back(o.out);
  }
  for (const std::string& out : outputs) EXPECT_EQ(out, outputs.front());
  EXPECT_FALSE(outputs.front().empty());
}

TEST(Command, RunsSideBySideKeepTheirOwnMessages) {
  // Regression: every run wrote standard error to one fixed file, so tests
  // running at the same time read each other's messages.
  const std::vector<std::string> name = {"--date", "1976-07-04", "--time", "10:15", "--zone", "29", "--name", ""};
  const std::vector<std::string> lon = {"--date", "1976-07-04", "--time", "10:15", "--zone", "29", "--lon", "180:00W"};
  for (int round = 0; round < 4; ++round) {
    std::future<Outcome> first = std::async(std::launch::async, [&] { return RunChart(name); });
    std::future<Outcome> second = std::async(std::launch::async, [&] { return RunChart(lon); });
    EXPECT_EQ(first.get().err, "Please Enter Name\n");
    EXPECT_EQ(second.get().err, "Please Enter Value Between 0 And 179 in the Degree of Longitude\n");
  }
}

TEST(Command, RtfSavesThroughLinksOverProtectedFilesAndUnderLongNames) {
  const TempFolder scratch("rtf-save");
  const std::string& folder = scratch.path;
  const std::string longName = std::string(246, 'n') + ".rtf";  // 250 bytes
  WriteFile(folder + "/target.rtf", "old");
  WriteFile(folder + "/protected.rtf", "old");
  RunChart({}, "cd " + Quote(folder) + " && ln -s target.rtf link.rtf && chmod 0400 protected.rtf; exit 0; ");
  for (const std::string& name : {longName, std::string("link.rtf"), std::string("protected.rtf")}) {
    SCOPED_TRACE(name.substr(0, 20));
    std::vector<std::string> args = kNewYork1976;
    args.insert(args.end(), {"--rtf", folder + "/" + name});
    const Outcome o = RunChart(args);
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(ReadFile(folder + "/" + name).rfind("{\\rtf1\\ansi", 0), 0u);
  }
  const Outcome listing = RunChart({}, "cd " + Quote(folder) + " && test -L link.rtf && stat -c %a protected.rtf; exit 0; ");
  EXPECT_EQ(listing.out, "400\n");
  EXPECT_EQ(ReadFile(folder + "/target.rtf").rfind("{\\rtf1", 0), 0u);
  EXPECT_EQ(OtherEntries(folder, "").size(), 4u);
}

TEST(Command, HelpAfterAnOptionWithoutItsValueIsHelp) {
  // Regression: the option parser took the "--help" as the value before it,
  // so these lines charted a person named --dst and wrote a file named --help.
  const TempFolder scratch("help-as-value");
  const std::vector<std::vector<std::string>> tails = {
      {"--rtf", "--help"}, {"--name", "--dst", "--rtf", "--help"}, {"--svg", "--help", "stray"}};
  for (const std::vector<std::string>& tail : tails) {
    std::vector<std::string> args = kNewYork1976;
    args.insert(args.end(), tail.begin(), tail.end());
    SCOPED_TRACE(tail.front() + " " + tail.back());
    const Outcome o = RunChart(args, "cd " + Quote(scratch.path) + " && ");
    EXPECT_EQ(o.status, 0);
    EXPECT_NE(o.out.find("34: Indian Time, IST, +5.3"), std::string::npos);
    EXPECT_TRUE(o.err.empty());
  }
  EXPECT_TRUE(OtherEntries(scratch.path, "").empty());
}

TEST(Command, HelpPrintsUsage) {
  const Outcome o = RunChart({"--help"});
  EXPECT_EQ(o.status, 0);
  EXPECT_NE(o.out.find("--date"), std::string::npos);
  EXPECT_NE(o.out.find("34: Indian Time, IST, +5.3"), std::string::npos);
}

// --place and --places over the fixture atlas (tests/places/fixture). Offsets
// from the tz database's sources: northamerica (US rules), asia (Kolkata's war
// time 1942-45, Kathmandu's LMT 5:41:16 until 1920).
const std::string kFixtureAtlas = "ORBISCA_ATLAS_DIR=" + Quote(ORBISCA_PLACES_FIXTURE) + " ";

TEST(Place, SetsCoordinatesAndTheOffsetFromTheTzDatabase) {
  struct Row {
    const char* name;
    std::vector<std::string> args;
    nlohmann::json place;
    double universalTime;
  };
  const auto place = [](const char* name, const char* admin, const char* country, double lat, double lon,
                        const char* tz, int offset, bool dst) {
    return nlohmann::json{{"name", name}, {"admin", admin}, {"country", country}, {"lat", lat}, {"lon", lon},
                          {"tz", tz}, {"offset_minutes", offset}, {"dst", dst}};
  };
  const nlohmann::json newYorkEdt =
      place("New York City", "New York", "United States", 40.71427, -74.00597, "America/New_York", -240, true);
  const Row rows[] = {
      {"New York, summer", {"--date", "1976-07-04", "--time", "10:15", "--place", "New York, NY, US"}, newYorkEdt, 14.25},
      {"by GeoNames id", {"--date", "1976-07-04", "--time", "10:15", "--place", "5128581"}, newYorkEdt, 14.25},
      {"Kolkata at war", {"--date", "1943-06-01", "--time", "12:00", "--place", "Kolkata"},
       place("Kolkata", "West Bengal", "India", 22.56263, 88.36304, "Asia/Kolkata", 390, true), 5.5},
      {"repeated hour, first", {"--date", "2021-11-07", "--time", "01:30", "--place", "New York", "--dst"},
       place("New York City", "New York", "United States", 40.71427, -74.00597, "America/New_York", -240, true), 5.5},
      {"repeated hour, second", {"--date", "2021-11-07", "--time", "01:30", "--place", "New York", "--no-dst"},
       place("New York City", "New York", "United States", 40.71427, -74.00597, "America/New_York", -300, false), 6.5},
      {"Springfield by state", {"--date", "1990-01-01", "--time", "12:00", "--place", "Springfield, Illinois"},
       place("Springfield", "Illinois", "United States", 39.80172, -89.64371, "America/Chicago", -360, false), 18.0},
      {"local mean time, to the minute", {"--date", "1910-01-01", "--time", "12:00", "--place", "Kathmandu"},
       place("Kathmandu", "Central Region", "Nepal", 27.70169, 85.3206, "Asia/Kathmandu", 341, false), 12.0 - 341 / 60.0},
      {"with a zone of the list, coordinates only",
       {"--date", "1976-07-04", "--time", "10:15", "--place", "New York", "--zone", "EST", "--dst"}, newYorkEdt, 14.25},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    std::vector<std::string> args = r.args;
    args.push_back("--json");
    const Outcome o = RunChart(args, kFixtureAtlas);
    ASSERT_EQ(o.status, 0) << o.err;
    const nlohmann::json chart = nlohmann::json::parse(o.out);
    EXPECT_EQ(chart["place"], r.place);
    EXPECT_NEAR(chart["universal_time_hours"].get<double>(), r.universalTime, 1e-12);
  }
  // The chart is the one of the same entries typed in: 40.71427 N, 74.00597 W
  // to the minute, Eastern Standard Time with daylight saving.
  std::vector<std::string> typed = {"--date", "1976-07-04", "--time", "10:15", "--zone", "EST", "--dst",
                                    "--lon", "74:00W", "--lat", "40:43N", "--json"};
  nlohmann::json byHand = nlohmann::json::parse(RunChart(typed).out);
  nlohmann::json byPlace = nlohmann::json::parse(
      RunChart({"--date", "1976-07-04", "--time", "10:15", "--place", "New York, NY, US", "--json"}, kFixtureAtlas).out);
  byPlace.erase("place");
  EXPECT_EQ(byPlace, byHand);
  // Where the zone kept local mean time, the note offers the place's own.
  EXPECT_EQ(RunChart({"--date", "1910-01-01", "--time", "12:00", "--place", "Kathmandu"}, kFixtureAtlas).err,
            "Note: Before standard time, Asia/Kathmandu gives the local mean time of its main city, UTC+5:41:16; the "
            "mean time of Kathmandu itself (longitude \u00F7 15) is UTC+5:41:17.\n");
}

TEST(Place, RefusedWithTheReason) {
  struct Row {
    const char* name;
    std::vector<std::string> args;
    const char* message;
  };
  const Row rows[] = {
      {"skipped hour", {"--date", "2021-03-14", "--time", "02:30", "--place", "New York"},
       "orbisca-chart: --place: 2021-03-14 02:30 did not happen in America/New_York: the clocks went forward from "
       "02:00 EST (UTC\u22125) to 03:00 EDT (UTC\u22124).\n"},
      {"repeated hour without a choice", {"--date", "2021-11-07", "--time", "01:30", "--place", "New York"},
       "orbisca-chart: --place: 2021-11-07 01:30 happened twice in America/New_York: first EDT (UTC\u22124, daylight "
       "saving), then EST (UTC\u22125). Say which with --dst or --no-dst.\n"},
      {"ambiguous name", {"--date", "2000-01-01", "--time", "12:00", "--place", "London"},
       "orbisca-chart: --place: \"London\" is ambiguous; it names:\n  2643743  London, England, United Kingdom\n"
       "  6058560  London, Ontario, Canada\nNarrow it as \"City, State, Country\" or give the GeoNames id.\n"},
      {"no such place", {"--date", "2000-01-01", "--time", "12:00", "--place", "Atlantis"},
       "orbisca-chart: --place: no place in the atlas matches \"Atlantis\"\n"},
      {"place and longitude", {"--date", "2000-01-01", "--time", "12:00", "--place", "Kolkata", "--lon", "88:22E"},
       "orbisca-chart: --place sets the longitude and latitude; leave out --lon and --lat\n"},
      {"both daylight flags", {"--date", "2000-01-01", "--time", "12:00", "--place", "Kolkata", "--dst", "--no-dst"},
       "orbisca-chart: --dst and --no-dst say opposite things; give one\n"},
      {"a date that does not exist", {"--date", "2001-02-29", "--time", "12:00", "--place", "Kolkata"},
       "Please Enter Correct Date Or Month!\n"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const Outcome o = RunChart(r.args, kFixtureAtlas);
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.err, r.message);
    EXPECT_TRUE(o.out.empty());
  }
  const Outcome noAtlas = RunChart({"--places", "Lon"}, "ORBISCA_ATLAS_DIR=/nonexistent ");
  EXPECT_EQ(noAtlas.status, 2);
  EXPECT_EQ(noAtlas.err, "orbisca-chart: --places: Cannot read the atlas file /nonexistent/admin1Codes.txt: No such "
                         "file or directory\n");
}

TEST(Place, PlacesListsTheMatchesLargestFirst) {
  const Outcome o = RunChart({"--places", "lon"}, kFixtureAtlas);
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out,
            "2643743  London, England, United Kingdom  51.50853 -0.12574  Europe/London\n"
            "3458449  Londrina, Paraná, Brazil  -23.31028 -51.16278  America/Sao_Paulo\n"
            "6058560  London, Ontario, Canada  42.98339 -81.23304  America/Toronto\n");
  EXPECT_EQ(RunChart({"--places", "Atlantis"}, kFixtureAtlas).status, 2);
}

}  // namespace
