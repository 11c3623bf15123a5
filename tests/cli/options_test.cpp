// The everyday command line of one chart is read without the full option
// parser; every line, taken that way or not, must come out as the full parser
// reads it: the same chart, or the same message.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/chart_options.h"
#include "cli/plain_chart_line.h"
#include "tests/cli/parse_result_text.h"

namespace orbisca::cli {
namespace {

struct LineCase {
  std::vector<std::string> args;
  bool plain;  // read without the full parser
};

std::vector<const char*> Argv(const std::vector<std::string>& args) {
  std::vector<const char*> argv = {"orbisca-chart"};
  for (const std::string& a : args) argv.push_back(a.c_str());
  return argv;
}

TEST(CommandLine, EveryLineReadsAsTheFullParserReadsIt) {
  const std::string zoneText = "Alaska/Hawaii Daylight Time,AHDT,-9.0";
  const std::vector<LineCase> cases = {
      {{"--date", "1976-07-04", "--time", "10:15", "--zone", "EST", "--lon", "74:00W", "--lat", "40:42N", "--dst"},
       true},
      {{"--date=1976-07-04", "--time=10:15", "--zone=EST", "--json"}, true},
      {{"--json", "--report", "--zone", zoneText, "--time", "0:00", "--date", "1901-1-1", "--no-dst"}, true},
      {{"--date", "2050-12-31", "--time", "23:59", "--zone", "070", "--name", "Doe, Jane \"J\" =x"}, true},
      {{"--date", "1976-07-04", "--time", "10:15", "--zone", "5", "--name=a=b", "--rtf", "out dir/r.rtf",
        "--svg=x.svg"},
       true},
      {{"--date", "1976-07-04", "--time", "10:15", "--zone", "EST", "--name", "[a,b]", "--lon", " 74:00W"}, true},
      // Refused by the chart's own checks, after a plain reading.
      {{"--date", "1976-13-04", "--time", "10:15", "--zone", "EST"}, true},
      {{"--date", "1976-07-04", "--time", "10:15", "--zone", "XYZ"}, true},
      {{"--date", "1976-07-04", "--time", "10:15", "--zone", "ast"}, true},
      {{"--date", "1976-07-04", "--zone", "EST"}, true},
      {{"--time", "10:15", "--zone", "EST"}, true},
      {{"--date", "1976-07-04", "--time", "10:15"}, true},
      {{"--date", "1976-07-04", "--time", "10:15", "--zone", "EST", "--dst", "--no-dst"}, true},
      {{"--date", "1976-07-04", "--time", "10:15", "--place", "Paris", "--lat", "40:42N"}, true},
      {{"--date", "1976-07-04", "--time", "10:15", "--zone", "EST", "--lon", "74W"}, true},
      {{}, true},
      // Left to the full parser.
      {{"--date", "1976-07-04", "--date", "1976-07-05", "--time", "10:15", "--zone", "EST"}, false},
      {{"--date", "1976-07-04", "--time", "10:15", "--zone", "EST", "--dst", "--dst"}, false},
      {{"--date", "1976-07-04", "--time", "10:15", "--zone", "EST", "--dst=true"}, false},
      {{"--date", "1976-07-04", "--time", "10:15", "--zone", "EST", "--name", ""}, false},
      {{"--date", "1976-07-04", "--time", "10:15", "--zone", "EST", "--name="}, false},
      {{"--date", "1976-07-04", "--time", "10:15", "--zone", "EST", "--name", "-x"}, false},
      {{"--date", "1976-07-04", "--time", "10:15", "--zone", "EST", "--name", "--dst"}, false},
      {{"--date", "1976-07-04", "--time", "10:15", "--zone", "EST", "--name"}, false},
      {{"--date", "1976-07-04", "--time", "10:15", "--zone", "EST", "stray"}, false},
      {{"--date", "1976-07-04", "--time", "10:15", "--zone", "EST", "--unknown"}, false},
      {{"--date", "1976-07-04", "--time", "10:15", "--zone", "EST", "--Dst"}, false},
      {{"--date", "1976-07-04", "--time", "10:15", "--zone", "EST", "--"}, false},
      {{"--date", "1976-07-04", "--time", "10:15", "--zone", "EST", "-h"}, false},
      {{"--help"}, false},
      {{"--version"}, false},
      {{"--batch", "-", "--format", "csv", "--jobs", "3"}, false},
      {{"--batch", "-", "--jobs", "0"}, false},
  };
  for (const LineCase& c : cases) {
    const std::vector<const char*> argv = Argv(c.args);
    const int argc = static_cast<int>(argv.size());
    std::string line;
    for (const std::string& a : c.args) line += " [" + a + "]";
    ChartLine plain;
    EXPECT_EQ(ReadPlainChartLine(argc, argv.data(), plain), c.plain) << line;
    EXPECT_EQ(ParseResultText(ParseCommandLine(argc, argv.data())),
              ParseResultText(ParseCommandLineFully(argc, argv.data())))
        << line;
  }
}

// An option that the chosen mode does not read is refused, never silently
// ignored: a batch writes no picture, a single chart no batch file.
TEST(CommandLine, OptionsOfAnotherModeAreRefused) {
  const std::vector<std::string> chart = {"--date", "1976-07-04", "--time", "10:15", "--zone", "EST"};
  const auto with = [](std::vector<std::string> base, std::vector<std::string> more) {
    base.insert(base.end(), more.begin(), more.end());
    return base;
  };
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"--batch", "b.csv", "--svg", "p.svg", "--rtf", "r.rtf"}, "--rtf is not used with --batch"},
      {{"--batch", "b.csv", "--svg", "p.svg"}, "--svg is not used with --batch"},
      {with({"--batch", "b.csv"}, chart), "--date is not used with --batch"},
      {{"--batch", "b.csv", "--no-dst"}, "--no-dst is not used with --batch"},
      {{"--batch", "b.csv", "--places", "Paris"}, "--places is not used with --batch"},
      {with(chart, {"--output", "x.jsonl", "--jobs", "2"}), "--output is used only with --batch"},
      {with(chart, {"--paragraphs"}), "--paragraphs is used only with --batch"},
      {with(chart, {"--quiet"}), "--quiet is used only with --batch"},
      {{"--places", "Paris", "--json"}, "--json is not used with --places"},
      {{"--places", "Paris", "--format", "csv"}, "--format is used only with --batch"},
  };
  for (const auto& c : cases) {
    const std::vector<const char*> argv = Argv(c.args);
    const ParseResult parsed = ParseCommandLine(static_cast<int>(argv.size()), argv.data());
    const UsageError* error = std::get_if<UsageError>(&parsed);
    ASSERT_NE(error, nullptr) << c.message;
    EXPECT_EQ(error->message, c.message);
  }
}

}  // namespace
}  // namespace orbisca::cli
