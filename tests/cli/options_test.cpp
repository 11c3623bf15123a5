// Options are read for one mode at a time.
#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "cli/chart_options.h"

namespace orbisca::cli {
namespace {

std::vector<const char*> Argv(const std::vector<std::string>& args) {
  std::vector<const char*> argv = {"orbisca-chart"};
  for (const std::string& a : args) argv.push_back(a.c_str());
  return argv;
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
      {{"--batch", "b.csv", "--pdf", "s.pdf"}, "--pdf is not used with --batch"},
      {{"--batch", "b.csv", "--style", "north"}, "--style is not used with --batch"},
  };
  for (const auto& c : cases) {
    const std::vector<const char*> argv = Argv(c.args);
    const ParseResult parsed = ParseCommandLine(static_cast<int>(argv.size()), argv.data());
    const UsageError* error = std::get_if<UsageError>(&parsed);
    ASSERT_NE(error, nullptr) << c.message;
    EXPECT_EQ(error->message, c.message);
  }
}

// --varga and --style: the varga's number of parts (or "D9") and the style
// name are read; anything else, or either given where it would change
// nothing, is refused.
TEST(CommandLine, VargaAndStyle) {
  const std::string kVargas = "--varga expects 1, 2, 3, 4, 7, 9, 10, 12, 16, 20, 24, 27, 30, 40, 45 or 60, not \"";
  const std::vector<std::string> chart = {"--date", "1976-07-04", "--time", "10:15", "--zone", "EST"};
  const struct {
    std::vector<std::string> args;
    Varga varga;
    ChartStyle style;
    std::string message;  // empty: accepted
  } cases[] = {
      {{"--svg", "p.svg"}, Varga::D1, ChartStyle::South, ""},
      {{"--svg", "p.svg", "--varga", "9", "--style", "north"}, Varga::D9, ChartStyle::North, ""},
      {{"--svg", "p.svg", "--varga", "D60", "--style", "south"}, Varga::D60, ChartStyle::South, ""},
      {{"--svg", "p.svg", "--varga=1"}, Varga::D1, ChartStyle::South, ""},
      {{"--pdf", "s.pdf", "--style", "north"}, Varga::D1, ChartStyle::North, ""},
      {{"--svg", "p.svg", "--varga", "5"}, Varga::D1, ChartStyle::South, kVargas + "5\""},
      {{"--svg", "p.svg", "--varga", "09x"}, Varga::D1, ChartStyle::South, kVargas + "09x\""},
      {{"--svg", "p.svg", "--varga", "-9"}, Varga::D1, ChartStyle::South, kVargas + "-9\""},
      {{"--svg", "p.svg", "--varga", "99999999999"}, Varga::D1, ChartStyle::South, kVargas + "99999999999\""},
      {{"--svg", "p.svg", "--varga", ""}, Varga::D1, ChartStyle::South, kVargas + "\""},
      {{"--svg", "p.svg", "--style", "North"}, Varga::D1, ChartStyle::South,
       "--style expects south or north, not \"North\""},
      {{"--varga", "9"}, Varga::D1, ChartStyle::South, "--varga is used only with --svg"},
      {{"--pdf", "s.pdf", "--varga", "9"}, Varga::D1, ChartStyle::South, "--varga is used only with --svg"},
      {{"--style", "north"}, Varga::D1, ChartStyle::South, "--style is used only with --svg or --pdf"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = chart;
    args.insert(args.end(), c.args.begin(), c.args.end());
    const std::vector<const char*> argv = Argv(args);
    const ParseResult parsed = ParseCommandLine(static_cast<int>(argv.size()), argv.data());
    SCOPED_TRACE(args.back());
    if (!c.message.empty()) {
      const UsageError* error = std::get_if<UsageError>(&parsed);
      ASSERT_NE(error, nullptr);
      EXPECT_EQ(error->message, c.message);
      continue;
    }
    const ChartRequest* request = std::get_if<ChartRequest>(&parsed);
    ASSERT_NE(request, nullptr);
    EXPECT_EQ(request->varga, c.varga);
    EXPECT_EQ(request->style, c.style);
  }
}

}  // namespace
}  // namespace orbisca::cli
