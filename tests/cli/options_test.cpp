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
