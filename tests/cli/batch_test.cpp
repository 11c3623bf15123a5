// orbisca-chart --batch as a user runs it: files in, rows out, messages,
// exit statuses. Throughput and memory are measured by bench/batch.sh, not here.
#include <gtest/gtest.h>
#include <dirent.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <csignal>

#include <array>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "run_command.h"

namespace {

using orbisca::testing_cli::Outcome;
using orbisca::testing_cli::Quote;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// A folder of its own for each test, so that tests can run side by side.
class Batch : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = testing::TempDir() + "orbisca-batch-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { std::system(("rm -rf " + Quote(folder_)).c_str()); }

  std::string Path(const std::string& name) const { return folder_ + "/" + name; }

  // Runs the command; `prefix` is shell text put before it.
  static Outcome Run(const std::vector<std::string>& args, const std::string& prefix = "") {
    return orbisca::testing_cli::RunChart(args, prefix);
  }

  // Charts `text` as a file of the given name.
  Outcome RunFile(const std::string& name, const std::string& text, std::vector<std::string> extra = {}) const {
    WriteFile(Path(name), text);
    std::vector<std::string> args = {"--batch", Path(name)};
    args.insert(args.end(), extra.begin(), extra.end());
    return Run(args);
  }

  // The names in the test's folder: what the command left there.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    if (DIR* d = opendir(folder_.c_str())) {
      while (dirent* e = readdir(d)) {
        const std::string n = e->d_name;
        if (n != "." && n != "..") names.push_back(n);
      }
      closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string folder_;
};

std::vector<nlohmann::ordered_json> Lines(const std::string& out) {
  std::vector<nlohmann::ordered_json> lines;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) lines.push_back(nlohmann::ordered_json::parse(line));
  return lines;
}

const std::string kHeader = "name,date,time,zone,dst,lon,lat\n";
const std::string kNewYork = "Ada,1976-07-04,10:15,EST,true,74:00W,40:42N\n";
const std::vector<std::string> kNewYorkArgs = {"--date", "1976-07-04", "--time", "10:15", "--zone", "EST",
                                               "--lon",  "74:00W",     "--lat",  "40:42N", "--dst", "--json"};

TEST_F(Batch, JsonLinesAreTheSingleChartPlusItsLine) {
  const Outcome single = Run(kNewYorkArgs);
  ASSERT_EQ(single.status, 0) << single.err;
  nlohmann::ordered_json expected = nlohmann::ordered_json::parse(single.out);
  // A row carries the dasha's balance at birth, not its periods.
  ASSERT_EQ(expected["dasha"].erase("periods"), 1u);

  // Byte for byte: the single chart's object, compact, with "line" first;
  // the vargas only when asked.
  const Outcome withVargas = RunFile("b.csv", kHeader + kNewYork, {"--paragraphs", "--vargas"});
  ASSERT_EQ(withVargas.status, 0) << withVargas.err;
  EXPECT_EQ(withVargas.out, "{\"line\":2," + expected.dump().substr(1) + "\n");

  ASSERT_EQ(expected.erase("vargas"), 1u);
  const Outcome withParagraphs = RunFile("b.csv", kHeader + kNewYork, {"--paragraphs"});
  ASSERT_EQ(withParagraphs.status, 0) << withParagraphs.err;
  EXPECT_EQ(withParagraphs.out, "{\"line\":2," + expected.dump().substr(1) + "\n");

  const Outcome plain = RunFile("b.csv", kHeader + kNewYork);
  ASSERT_EQ(plain.status, 0);
  nlohmann::ordered_json withoutParagraphs = expected;
  for (auto& aspect : withoutParagraphs["aspects"]) aspect.erase("paragraph");
  EXPECT_EQ(plain.out, "{\"line\":2," + withoutParagraphs.dump().substr(1) + "\n");
  EXPECT_EQ(plain.err, "orbisca-chart: 1 rows read, 1 charted, 0 refused\n");
}

// The bytes of a charted row, and of refused rows whose cells are hostile
// (quotes, control bytes, DEL, non-Latin letters, broken UTF-8: each broken
// sequence one U+FFFD), as the build that wrote each row through
// nlohmann-json's dump wrote them.
TEST_F(Batch, RowBytesStayAsTheyWere) {
  const std::string csv = kHeader + kNewYork +
                          "B,1976-07-04,10:15,EST,\"Zo\xC3\xAB \"\"Q\"\" \x01\t\x7F \xE6\x97\xA5\",,\n"
                          "C,1976-07-04,10:15,EST,\xE2\x82x\xFF\xED\xA0\x80,,\n";
  const std::string charted =
    R"j({"line":2,"universal_time_hours":14.25,"sidereal_shift":-23.532878908123077,"julian_day":2442964.09375,")j"
    R"j(bodies":[{"name":"Sun","longitude":79.17825615554968,"sign":3,"sign_name":"Mithuna (Gemini)","nakshatra")j"
    R"j(:6,"nakshatra_name":"Ardra","pada":4},{"name":"Moon","longitude":167.4041948020066,"sign":6,"sign_name":)j"
    R"j("Kanya (Virgo)","nakshatra":13,"nakshatra_name":"Hasta","pada":3},{"name":"Mercury","longitude":66.47000)j"
    R"j(704916566,"sign":3,"sign_name":"Mithuna (Gemini)","nakshatra":5,"nakshatra_name":"Mrigashira","pada":4},)j"
    R"j({"name":"Venus","longitude":83.69908911691715,"sign":3,"sign_name":"Mithuna (Gemini)","nakshatra":7,"nak)j"
    R"j(shatra_name":"Punarvasu","pada":2},{"name":"Mars","longitude":125.03955076403082,"sign":5,"sign_name":"S)j"
    R"j(imha (Leo)","nakshatra":10,"nakshatra_name":"Magha","pada":2},{"name":"Jupiter","longitude":29.221170679)j"
    R"j(175774,"sign":1,"sign_name":"Mesha (Aries)","nakshatra":3,"nakshatra_name":"Krittika","pada":1},{"name":)j"
    R"j("Saturn","longitude":99.9125754851934,"sign":4,"sign_name":"Karka (Cancer)","nakshatra":8,"nakshatra_nam)j"
    R"j(e":"Pushya","pada":2},{"name":"Uranus","longitude":189.5211731752474,"sign":7,"sign_name":"Tula (Libra)")j"
    R"j(,"nakshatra":15,"nakshatra_name":"Swati","pada":1},{"name":"Neptune","longitude":228.25452716276754,"sig)j"
    R"j(n":8,"sign_name":"Vrischika (Scorpio)","nakshatra":18,"nakshatra_name":"Jyeshtha","pada":1},{"name":"Plu)j"
    R"j(to","longitude":165.471798848476,"sign":6,"sign_name":"Kanya (Virgo)","nakshatra":13,"nakshatra_name":"H)j"
    R"j(asta","pada":2}],"ascendant":{"longitude":134.6640841373665,"sign":5,"sign_name":"Simha (Leo)","nakshatr)j"
    R"j(a":11,"nakshatra_name":"Purva Phalguni","pada":1},"aspects":[{"kind":"Conjunction","first":"Sun","second)j"
    R"j(":"Venus","separation":-5},{"kind":"Square","first":"Moon","second":"Sun","separation":88},{"kind":"Squa)j"
    R"j(re","first":"Moon","second":"Venus","separation":84},{"kind":"Conjunction","first":"Moon","second":"Plut)j"
    R"j(o","separation":2},{"kind":"Conjunction","first":"Venus","second":"Sun","separation":5},{"kind":"Sextile)j"
    R"j(","first":"Mars","second":"Mercury","separation":59},{"kind":"Square","first":"Mars","second":"Jupiter",)j"
    R"j("separation":96},{"kind":"Trine","first":"Uranus","second":"Mercury","separation":123},{"kind":"Sextile")j"
    R"j(,"first":"Uranus","second":"Mars","separation":64},{"kind":"Square","first":"Uranus","second":"Saturn",")j"
    R"j(separation":90},{"kind":"Quincunx","first":"Neptune","second":"Sun","separation":149},{"kind":"Sextile",)j"
    R"j("first":"Neptune","second":"Moon","separation":61},{"kind":"Sextile","first":"Neptune","second":"Pluto",)j"
    R"j("separation":63},{"kind":"Square","first":"Pluto","second":"Sun","separation":86},{"kind":"Conjunction",)j"
    R"j("first":"Pluto","second":"Moon","separation":-2},{"kind":"Square","first":"Pluto","second":"Venus","sepa)j"
    R"j(ration":82}],"nodes":[{"name":"Rahu","longitude":195.90308184176806,"sign":7,"sign_name":"Tula (Libra)",)j"
    R"j("nakshatra":15,"nakshatra_name":"Swati","pada":3},{"name":"Ketu","longitude":15.903081841768085,"sign":1)j"
    R"j(,"sign_name":"Mesha (Aries)","nakshatra":2,"nakshatra_name":"Bharani","pada":1}],"particulars":{"weekday)j"
    R"j(":"Sunday","vara":"Sunday","sunrise":"1976-07-04T09:30Z","tithi":8,"tithi_name":"Ashtami","paksha":"Shuk)j"
    R"j(la","yoga":19,"yoga_name":"Parigha","karana":15,"karana_name":"Vishti"},"dasha":{"year_days":365.25,"bal)j"
    R"j(ance":{"lord":"Moon","years":4.44685389849505}}})j" "\n";
  const std::string refused =
      R"({"line":3,"error":"dst expects true or false, not \"Zo)" "\xC3\xAB" R"( \"Q\" \u0001\t)" "\x7F"
      " \xE6\x97\xA5" R"(\""})" "\n"
      R"({"line":4,"error":"dst expects true or false, not \")" "\xEF\xBF\xBDx" "\xEF\xBF\xBD\xEF\xBF\xBD"
      "\xEF\xBF\xBD\xEF\xBF\xBD" R"(\""})" "\n";
  const Outcome o = RunFile("b.csv", csv);
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.out, charted + refused);
}

// The node and the dasha's year apply to every row as to a single chart.
TEST_F(Batch, NodeAndDashaYearAsForASingleChart) {
  std::vector<std::string> args = kNewYorkArgs;
  for (const char* a : {"--node", "true", "--dasha-year", "360"}) args.push_back(a);
  const Outcome single = Run(args);
  ASSERT_EQ(single.status, 0) << single.err;
  const nlohmann::ordered_json chart = nlohmann::ordered_json::parse(single.out);
  const Outcome batch = RunFile("b.csv", kHeader + kNewYork, {"--node", "true", "--dasha-year", "360"});
  ASSERT_EQ(batch.status, 0) << batch.err;
  const std::vector<nlohmann::ordered_json> rows = Lines(batch.out);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0]["nodes"], chart["nodes"]);
  EXPECT_EQ(rows[0]["particulars"], chart["particulars"]);
  EXPECT_EQ(rows[0]["dasha"], (nlohmann::ordered_json{{"year_days", 360.0}, {"balance", chart["dasha"]["balance"]}}));
  const Outcome mean = RunFile("b.csv", kHeader + kNewYork);
  EXPECT_NE(Lines(mean.out).at(0)["nodes"], rows[0]["nodes"]);
}

TEST_F(Batch, ColumnsInAnyOrderQuotedFieldsAndOptionalColumns) {
  // The place enters the ascendant, so the rows without one are compared with
  // the default place, 0:00E 0:00N.
  const std::string atNewYork = RunFile("a.csv", kHeader + kNewYork).out;
  const std::string atDefault = RunFile("a.csv", kHeader + "Ada,1976-07-04,10:15,EST,true,0:00E,0:00N\n").out;
  ASSERT_NE(atNewYork, atDefault);
  const struct {
    const char* what;
    std::string text;
    const std::string& expected;
  } cases[] = {
      {"columns reordered", "lat,dst,zone,lon,time,date,name\n40:42N,true,EST,74:00W,10:15,1976-07-04,Ada\n", atNewYork},
      {"quoted fields, CR LF", "\"date\",time,zone,dst,lon,lat,name\r\n\"1976-07-04\",\"10:15\",EST,TRUE,74:00W,40:42N,Ada\r\n",
       atNewYork},
      {"a byte-order mark", "\xEF\xBB\xBF" + kHeader + kNewYork, atNewYork},
      {"name, lon and lat left out", "date,time,zone,dst\n1976-07-04,10:15,EST,yes\n", atDefault},
      {"optional cells left empty", "name,date,time,zone,dst,lon,lat\n,1976-07-04,10:15,EST,1,,\n", atDefault},
      {"the zone as its list text, a quoted name",
       kHeader + "\"Doe, \"\"Ada\"\"\",1976-07-04,10:15,\"Eastern Standard Time,EST,-5.0\",true,0:00E,0:00N\n", atDefault},
  };
  for (const auto& c : cases) {
    const Outcome o = RunFile("b.csv", c.text);
    EXPECT_EQ(o.status, 0) << c.what << ": " << o.err;
    EXPECT_EQ(o.out, c.expected) << c.what;
  }
}

TEST_F(Batch, JsonLinesInput) {
  const std::string expected = RunFile("a.csv", kHeader + kNewYork).out;
  const Outcome o = RunFile("b.jsonl",
                            "\n{\"name\":\"Ada\",\"date\":\"1976-07-04\",\"time\":\"10:15\",\"zone\":\"EST\",\"dst\":true,"
                            "\"lon\":\"74:00W\",\"lat\":\"40:42N\"}\n");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out, expected);  // the blank first line keeps the count: line 2
  const Outcome byOption = Run({"--batch", Path("b.jsonl"), "--input", "jsonl"});
  EXPECT_EQ(byOption.out, expected);
}

TEST_F(Batch, BadRowsAreRefusedWithTheSingleChartMessagesAndTheirLines) {
  const std::string csv = kHeader +                                            // line 1
                          "\"Two\nlines\",1976-07-04,10:15,EST,true,,\n" +   // lines 2-3, charted
                          "A,1976-13-04,10:15,EST,true,,\n" +                 // 4
                          "B,2001-02-29,10:15,EST,false,,\n" +                // 5
                          "C,1976-07-04,10:15,NST,false,,\n" +                // 6
                          "D,1976-07-04,10:15,EST,maybe,,\n" +                // 7
                          "E,1976-07-04,10:15,EST,true,180:00W,\n" +          // 8
                          "F,1976-07-04,10:15,EST\n" +                        // 9
                          "\"G\"x,1976-07-04,10:15,EST,true,,\n" +            // 10
                          kNewYork;                                            // 11, charted
  const struct {
    std::size_t line;
    std::string message;
  } refused[] = {
      {4, "--date: the month must be 1 to 12"},
      {5, "Please Enter Correct Date Or Month!"},
      {6, "--zone: \"NST\" is ambiguous"},
      {7, "dst expects true or false, not \"maybe\""},
      {8, "Please Enter Value Between 0 And 179 in the Degree of Longitude"},
      {9, "the row has 4 fields; the header has 7"},
      {10, "a quoted field must end at a comma or at the end of the line"},
  };
  const Outcome o = RunFile("b.csv", csv);
  EXPECT_EQ(o.status, 1);
  const std::vector<nlohmann::ordered_json> lines = Lines(o.out);
  ASSERT_EQ(lines.size(), 9u) << o.out;
  EXPECT_EQ(lines.front()["line"], 2);
  EXPECT_TRUE(lines.front().contains("bodies"));
  EXPECT_EQ(lines.back()["line"], 11);
  for (std::size_t i = 0; i < std::size(refused); ++i) {
    const nlohmann::ordered_json& row = lines[i + 1];
    EXPECT_EQ(row.size(), 2u) << row;
    EXPECT_EQ(row["line"], refused[i].line);
    EXPECT_EQ(row["error"].get<std::string>().rfind(refused[i].message, 0), 0u) << row;
  }
  EXPECT_EQ(o.err, "orbisca-chart: 9 rows read, 2 charted, 7 refused\n");

  // In CSV output the refusals go to standard error, with the same lines.
  const Outcome asCsv = Run({"--batch", Path("b.csv"), "--format", "csv"});
  EXPECT_EQ(asCsv.status, 1);
  EXPECT_NE(asCsv.err.find("orbisca-chart: line 4: --date: the month must be 1 to 12\n"), std::string::npos) << asCsv.err;
  EXPECT_NE(asCsv.err.find("orbisca-chart: line 10: a quoted field"), std::string::npos);
  EXPECT_EQ(asCsv.out.find("\"line\""), std::string::npos);
}

TEST_F(Batch, BadJsonLines) {
  const Outcome o = RunFile("b.jsonl",
                            "not json\n"
                            "[1,2]\n"
                            "{\"date\":\"1976-07-04\",\"time\":\"10:15\",\"zone\":\"EST\"}\n"
                            "{\"date\":\"1976-07-04\",\"zone\":\"EST\",\"dst\":false}\n"
                            "{\"date\":\"1976-07-04\",\"time\":\"10:15\",\"zone\":\"EST\",\"dst\":false,\"city\":\"x\"}\n"
                            "{\"date\":19760704,\"time\":\"10:15\",\"zone\":\"EST\",\"dst\":false}\n"
                            "{\"date\":\"1976-07-04\",\"time\":\"10:15\",\"zone\":\"EST\",\"dst\":false,\"time\":\"11:00\"}\n");
  EXPECT_EQ(o.status, 1);
  const std::vector<nlohmann::ordered_json> lines = Lines(o.out);
  const char* messages[] = {"the line is not a JSON object", "the line is not a JSON object",
                            "dst is required (true or false)", "--time is required",
                            "unknown key \"city\"", "\"date\" must be a string",
                            "the key \"time\" is given twice"};
  ASSERT_EQ(lines.size(), std::size(messages));
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i]["line"], i + 1);
    EXPECT_EQ(lines[i]["error"].get<std::string>().rfind(messages[i], 0), 0u) << lines[i];
  }
}

TEST_F(Batch, CsvOutputListsOneRowPerAspect) {
  const Outcome json = RunFile("b.csv", kHeader + "\"Doe, Ada\",1976-07-04,10:15,EST,true,74:00W,40:42N\n");
  const nlohmann::ordered_json chart = Lines(json.out).at(0);
  std::string expected = "line,name,kind,first,second,separation\n";
  for (const auto& a : chart["aspects"]) {
    expected += "2,\"Doe, Ada\"," + a["kind"].get<std::string>() + "," + a["first"].get<std::string>() + "," +
                a["second"].get<std::string>() + "," + std::to_string(a["separation"].get<int>()) + "\n";
  }
  const Outcome csv = Run({"--batch", Path("b.csv"), "--format", "csv"});
  EXPECT_EQ(csv.status, 0);
  EXPECT_EQ(csv.out, expected);
  const Outcome withParagraphs = Run({"--batch", Path("b.csv"), "--format", "csv", "--paragraphs"});
  EXPECT_EQ(withParagraphs.out.rfind("line,name,kind,first,second,separation,paragraph\n", 0), 0u);
  EXPECT_NE(withParagraphs.out.find(",Conjunction,Sun,Venus,-5,\"You "), std::string::npos) << withParagraphs.out;
}

TEST_F(Batch, OrderIsKeptAcrossWorkers) {
  // Enough rows for many chunks; every third one refused.
  std::string csv = kHeader;
  for (int i = 0; i < 3000; ++i) {
    csv += "P" + std::to_string(i) + "," + (i % 3 == 0 ? "1976-02-30" : "1976-07-04") + ",10:15,EST,true,,\n";
  }
  const Outcome o = RunFile("b.csv", csv, {"--jobs", "2"});
  EXPECT_EQ(o.status, 1);
  const std::vector<nlohmann::ordered_json> lines = Lines(o.out);
  ASSERT_EQ(lines.size(), 3000u);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    ASSERT_EQ(lines[i]["line"], i + 2);
    ASSERT_EQ(lines[i].contains("error"), i % 3 == 0) << lines[i];
  }
  EXPECT_EQ(o.err, "orbisca-chart: 3000 rows read, 2000 charted, 1000 refused\n");
}

// A quote inside an unquoted field is an ordinary character; quoted fields
// with line breaks further down still hold their rows, whatever the chunks
// and the workers. A record past the limit is one refused row.
TEST_F(Batch, StrayQuotesAndLongRecordsLoseNoRow) {
  std::string csv = "name,date,time,zone,dst\nO\"Neil,1976-07-04,10:15,EST,true\n";  // lines 1, 2
  std::size_t line = 3;
  std::vector<std::size_t> lines = {2};
  for (int i = 0; i < 3000; ++i, line += 2) {
    lines.push_back(line);
    csv += "\"P" + std::to_string(i) + "\nsecond line\",1976-07-04,10:15,EST,true\n";
  }
  csv += std::string(3 << 20, 'x') + "\n";  // refused on its line
  csv += "5\" tall,1976-07-04,10:15,EST,true\n";
  for (const char* jobs : {"1", "2"}) {
    SCOPED_TRACE(jobs);
    const Outcome o = RunFile("q.csv", csv, {"--jobs", jobs});
    EXPECT_EQ(o.err, "orbisca-chart: 3003 rows read, 3002 charted, 1 refused\n");
    const std::vector<nlohmann::ordered_json> rows = Lines(o.out);
    ASSERT_EQ(rows.size(), 3003u);
    for (std::size_t i = 0; i < lines.size(); ++i) ASSERT_EQ(rows[i]["line"], lines[i]) << rows[i];
    EXPECT_EQ(rows[3001], nlohmann::ordered_json::parse(R"({"line":6003,"error":"the row is longer than 1 MiB"})"));
    EXPECT_EQ(rows[3002]["line"], 6004);
  }
}

// Output that cannot be written stops the batch at the first failed write:
// the rest of the input is not even read (the shell's descriptor shows how
// far the command read).
TEST_F(Batch, AFailedWriteStopsTheBatch) {
  std::string csv = kHeader;
  while (csv.size() < (4 << 20)) csv += kNewYork;
  WriteFile(Path("in.csv"), csv);
  for (const char* target : {"--output /dev/full", ">/dev/full"}) {
    SCOPED_TRACE(target);
    const Outcome o = Run({}, "exec 3<" + Quote(Path("in.csv")) + "; " + Quote(ORBISCA_CHART) +
                                  " --batch - --input csv 2>&1 " + target + " <&3; echo \" status $?\"; " +
                                  "sed -n 's/^pos:[[:space:]]*//p' /proc/$$/fdinfo/3; exit 0; ");
    EXPECT_NE(o.out.find("No space left on device\n status 2\n"), std::string::npos) << o.out;
    const std::size_t position = std::stoul(o.out.substr(o.out.rfind(' ', o.out.size() - 2)));
    EXPECT_LT(position, csv.size() / 4) << o.out;
  }
}

// A signal that ends a batch removes its temporary file, and the program
// still ends by that signal. The input is a FIFO held open, so that the
// batch is surely running when the signal comes. (A background job of the
// shell starts with SIGINT ignored, and such a signal stays ignored.)
TEST_F(Batch, ASignalLeavesNoTemporaryFile) {
  ASSERT_EQ(mkfifo(Path("in.csv").c_str(), 0600), 0);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
    SCOPED_TRACE(signal);
    const std::string script =
        "env --default-signal " + Quote(ORBISCA_CHART) + " --batch " + Quote(Path("in.csv")) + " --output " +
        Quote(Path("out.jsonl")) + " 2>/dev/null & pid=$!; exec 3>" + Quote(Path("in.csv")) + "; printf '%s' " +
        Quote(kHeader + kNewYork) + " >&3; for i in $(seq 1000); do ls -A " + Quote(folder_) +
        " | grep -q '^[.]orbisca-' && break; sleep 0.01; done; kill -" + std::to_string(signal) +
        " $pid; (sleep 30; kill -KILL $pid) >/dev/null 2>&1 & wait $pid; echo \"status $?\"; exec 3>&-; ls -A " + Quote(folder_) + "; exit 0; ";
    const Outcome o = Run({}, script);
    EXPECT_EQ(o.out, "status " + std::to_string(128 + signal) + "\nin.csv\n");
  }
}

TEST_F(Batch, StandardInputAndOutputFile) {
  WriteFile(Path("in.csv"), kHeader + kNewYork);
  const std::string expected = Run({"--batch", Path("in.csv")}).out;
  WriteFile(Path("out.jsonl"), "an earlier file\n");
  const Outcome o = Run({"--batch", "-", "--input", "csv", "--output", Path("out.jsonl")}, "< " + Quote(Path("in.csv")) + " ");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_TRUE(o.out.empty());
  EXPECT_EQ(ReadFile(Path("out.jsonl")), expected);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"in.csv", "out.jsonl"}));
}

TEST_F(Batch, AFailedOutputLeavesTheEarlierFileWhole) {
  std::string csv = kHeader;
  for (int i = 0; i < 200; ++i) csv += kNewYork;
  WriteFile(Path("in.csv"), csv);
  WriteFile(Path("out.jsonl"), "an earlier file\n");
  // A file-size limit of 1 KiB, far below the output's size.
  const Outcome o = Run({"--batch", Path("in.csv"), "--output", Path("out.jsonl")}, "ulimit -f 2; ");
  EXPECT_EQ(o.status, 2);
  EXPECT_NE(o.err.find("cannot write " + Path("out.jsonl")), std::string::npos) << o.err;
  EXPECT_EQ(ReadFile(Path("out.jsonl")), "an earlier file\n");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"in.csv", "out.jsonl"}));
}

// Standard output that cannot take the rows stops the batch as a failed
// output file does, with the system's reason.
TEST_F(Batch, AFailedStandardOutputIsAnError) {
  std::string csv = kHeader;
  for (int i = 0; i < 200; ++i) csv += kNewYork;
  WriteFile(Path("in.csv"), csv);
  const Outcome o = Run({"--batch", Path("in.csv")}, "ulimit -f 2; exec >" + Quote(Path("out.jsonl")) + "; ");
  EXPECT_EQ(o.status, 2);
  EXPECT_NE(o.err.find("orbisca-chart: cannot write standard output: File too large"), std::string::npos) << o.err;
}

TEST_F(Batch, ExitStatusTwoForBadOptionsAndFiles) {
  WriteFile(Path("ok.csv"), kHeader + kNewYork);
  WriteFile(Path("births.txt"), kHeader + kNewYork);
  const struct {
    const char* what;
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {"unknown output format", {"--batch", Path("ok.csv"), "--format", "xml"}, "--format expects jsonl or csv"},
      {"unknown input format", {"--batch", Path("ok.csv"), "--input", "tsv"}, "--input expects csv or jsonl"},
      {"format not told", {"--batch", Path("births.txt")}, "give --input csv or --input jsonl"},
      {"missing file", {"--batch", Path("none.csv")}, "cannot read " + Path("none.csv") + ": No such file"},
      {"a folder as input", {"--batch", folder_, "--input", "csv"}, "cannot read " + folder_},
      {"no folder for the output", {"--batch", Path("ok.csv"), "--output", Path("no/out.jsonl")}, "cannot write"},
      {"the dasha's levels", {"--batch", Path("ok.csv"), "--dasha-levels", "3"},
       "--dasha-levels is not used with --batch"},
      {"an unknown node", {"--batch", Path("ok.csv"), "--node", "osculating"}, "--node expects mean or true"},
      {"an unknown year", {"--batch", Path("ok.csv"), "--dasha-year", "365"}, "--dasha-year expects 365.25"},
      {"vargas in CSV output", {"--batch", Path("ok.csv"), "--vargas", "--format", "csv"},
       "--vargas is used only with JSON Lines output"},
  };
  for (const auto& c : cases) {
    const Outcome o = Run(c.args);
    EXPECT_EQ(o.status, 2) << c.what;
    EXPECT_NE(o.err.find(c.message), std::string::npos) << c.what << ": " << o.err;
    EXPECT_TRUE(o.out.empty()) << c.what;
  }
  const struct {
    const char* what;
    std::string text;
    std::string message;
  } headers[] = {
      {"a required column missing", "name,date,time,zone,lon\n" + kNewYork, "the header has no \"dst\" column"},
      {"an unknown column", "date,time,zone,dst,city\n" + kNewYork, "unknown column \"city\""},
      {"a column twice", "date,time,zone,dst,date\n" + kNewYork, "names the column \"date\" twice"},
      {"an empty file", "\n", "is empty"},
      {"control bytes in a name", std::string("date,time,zone,dst,na\0me\x1b\n", 26) + kNewYork,
       "unknown column \"na\\x00me\\x1b\"; the columns"},
      {"a header past the record limit", std::string(2 << 20, 'a') + "\n", "the header is longer than 1 MiB"},
  };
  for (const auto& h : headers) {
    const Outcome o = RunFile("h.csv", h.text);
    EXPECT_EQ(o.status, 2) << h.what;
    EXPECT_NE(o.err.find(h.message), std::string::npos) << h.what << ": " << o.err;
  }
}

}  // namespace

// A `place` column over the fixture atlas (tests/places/fixture): each row as
// the single chart with --place, or refused with --place's message. Offsets
// from the tz database's northamerica file (US rules).
TEST_F(Batch, PlaceColumnAsThePlaceOption) {
  const std::string atlas = "ORBISCA_ATLAS_DIR=" + Quote(ORBISCA_PLACES_FIXTURE) + " ";
  struct Row {
    const char* cells;              // name,date,time,zone,dst,lon,place
    std::vector<std::string> args;  // the single chart's options; none: refused
    const char* error;              // the refusal's message
  };
  const Row rows[] = {
      {"a,1976-07-04,10:15,,,,\"New York, NY, US\"",
       {"--name", "a", "--date", "1976-07-04", "--time", "10:15", "--place", "New York, NY, US"}, ""},
      {"b,1976-07-04,10:15,EST,true,,New York",
       {"--name", "b", "--date", "1976-07-04", "--time", "10:15", "--zone", "EST", "--dst", "--place", "New York"}, ""},
      {"c,2021-11-07,01:30,,false,,New York",
       {"--name", "c", "--date", "2021-11-07", "--time", "01:30", "--no-dst", "--place", "New York"}, ""},
      {"d,1943-06-01,12:00,,,,Kolkata", {"--name", "d", "--date", "1943-06-01", "--time", "12:00", "--place", "Kolkata"},
       ""},
      {"e,2000-01-01,12:00,,,,London", {},
       "--place: \"London\" is ambiguous; it names:\n  2643743  London, England, United Kingdom\n"
       "  6058560  London, Ontario, Canada\nNarrow it as \"City, State, Country\" or give the GeoNames id."},
      {"f,2000-01-01,12:00,,,,Atlantis", {}, "--place: no place in the atlas matches \"Atlantis\""},
      {"g,2021-03-14,02:30,,,,New York", {},
       "--place: 2021-03-14 02:30 did not happen in America/New_York: the clocks went forward from 02:00 EST "
       "(UTC\u22125) to 03:00 EDT (UTC\u22124)."},
      {"h,2021-11-07,01:30,,,,New York", {},
       "--place: 2021-11-07 01:30 happened twice in America/New_York: first EDT (UTC\u22124, daylight saving), then "
       "EST (UTC\u22125). Say which with --dst or --no-dst."},
      {"i,2000-01-01,12:00,,false,,", {}, "--zone is required"},
      {"j,2000-01-01,12:00,,,88:22E,Kolkata", {}, "place sets the longitude and latitude; leave out lon and lat"},
      {"k,2001-02-29,12:00,,,,Kolkata", {}, "Please Enter Correct Date Or Month!"},
  };
  std::string file = "name,date,time,zone,dst,lon,place\n";
  for (const Row& r : rows) file += std::string(r.cells) + "\n";
  WriteFile(Path("p.csv"), file);
  // Two workers share the atlas that the first place row loads.
  const Outcome o = Run({"--batch", Path("p.csv"), "--paragraphs", "--jobs", "2"}, atlas);
  EXPECT_EQ(o.status, 1);
  const std::vector<nlohmann::ordered_json> lines = Lines(o.out);
  ASSERT_EQ(lines.size(), std::size(rows)) << o.err;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE(rows[i].cells);
    nlohmann::json got = lines[i];
    EXPECT_EQ(got["line"], i + 2);
    got.erase("line");
    if (rows[i].args.empty()) {
      EXPECT_EQ(got["error"], rows[i].error);
      continue;
    }
    std::vector<std::string> args = rows[i].args;
    args.push_back("--json");
    const Outcome single = Run(args, atlas);
    ASSERT_EQ(single.status, 0) << single.err;
    nlohmann::json expected = nlohmann::json::parse(single.out);
    expected["dasha"].erase("periods");  // a row carries the balance alone
    expected.erase("vargas");            // and no vargas unless asked
    EXPECT_EQ(got, expected);
    EXPECT_TRUE(got.contains("place"));
  }
  // A header needs zone and dst only without a place column.
  const Outcome noZone = RunFile("q.csv", "date,time,lon\n2000-01-01,12:00,88:22E\n");
  EXPECT_EQ(noZone.status, 2);
  EXPECT_NE(noZone.err.find("the header has no \"zone\" column"), std::string::npos) << noZone.err;
  const Outcome jsonl =
      Run({"--batch", "-", "--input", "jsonl"},
          "printf '%s\\n' '{\"date\":\"1976-07-04\",\"time\":\"10:15\",\"place\":\"New York, NY, US\"}' | " + atlas);
  EXPECT_EQ(jsonl.status, 0) << jsonl.err;
  EXPECT_EQ(Lines(jsonl.out).at(0)["place"]["offset_minutes"], -240);
}

// An atlas file that is not a regular file is refused with the reason and
// exit status 2, in every mode that reads the atlas; nothing is left behind.
TEST_F(Batch, AnAtlasFileThatIsNotARegularFileIsRefused) {
  ASSERT_EQ(mkdir(Path("atlas").c_str(), 0700), 0);
  for (const char* file : {"cities15000.txt", "admin1Codes.txt", "countryInfo.txt"}) {
    std::system(("cp " + Quote(std::string(ORBISCA_PLACES_FIXTURE) + "/" + file) + " " + Quote(Path("atlas"))).c_str());
  }
  WriteFile(Path("p.csv"), "date,time,place\n2000-01-01,12:00,Kolkata\n");
  const std::string cities = Path("atlas/cities15000.txt");
  const std::string atlas = "ORBISCA_ATLAS_DIR=" + Quote(Path("atlas")) + " timeout 20 ";
  const struct {
    const char* what;
    std::string make;  // shell text that replaces the cities file
    std::string reason;
  } kinds[] = {{"a folder", "mkdir", "is a directory"}, {"a FIFO", "mkfifo", "is not a regular file"}};
  for (const auto& kind : kinds) {
    std::system(("rm -rf " + Quote(cities) + " && " + kind.make + " " + Quote(cities)).c_str());
    const std::vector<std::vector<std::string>> modes = {
        {"--places", "Kolkata"},
        {"--date", "2000-01-01", "--time", "12:00", "--place", "Kolkata"},
        {"--batch", Path("p.csv"), "--output", Path("out.jsonl")},
    };
    for (const auto& args : modes) {
      SCOPED_TRACE(std::string(kind.what) + " " + args.front());
      const Outcome o = Run(args, atlas);
      EXPECT_EQ(o.status, 2);
      EXPECT_EQ(o.err, "orbisca-chart: --place" + std::string(args.front() == "--places" ? "s" : "") +
                           ": Cannot read the atlas file " + cities + ": " + kind.reason + "\n");
    }
  }
  EXPECT_EQ(Entries(), (std::vector<std::string>{"atlas", "p.csv"}));
}
