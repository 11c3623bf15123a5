// The zone lookup of orbisca-chart against the documented rules, on
// arguments built from the list itself (positions with leading zeros, list
// texts, abbreviations in mixed case, each possibly cut or changed by a byte)
// or taken raw: the same row, or a refusal where the rules refuse, and an
// ambiguous abbreviation refused with every row it names.

#include <fuzzer/FuzzedDataProvider.h>

#include <cctype>
#include <cstdint>
#include <string>
#include <variant>

#include "cli/chart_options.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/zone_reference.h"

namespace {

using namespace orbisca;

std::string ZoneArgument(FuzzedDataProvider& in) {
  const auto row = [&] { return TimeZoneTable[in.ConsumeIntegralInRange<std::size_t>(0, kTimeZoneCount - 1)]; };
  std::string s;
  switch (in.ConsumeIntegralInRange(0, 4)) {
    case 0:
      s = std::string(in.ConsumeIntegralInRange(0, 6), '0') + std::to_string(in.ConsumeIntegralInRange(0, 120));
      break;
    case 1:
      s = row().text;
      break;
    case 2:
      s = row().abbreviation;
      for (char& c : s) {
        if (in.ConsumeBool()) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      }
      break;
    case 3:
      s = std::to_string(in.ConsumeIntegral<std::int64_t>());
      break;
    default:
      return in.ConsumeRandomLengthString(48);
  }
  // Sometimes one change: a byte replaced, one cut off, or a blank around.
  switch (in.ConsumeIntegralInRange(0, 5)) {
    case 0:
      if (!s.empty()) s[in.ConsumeIntegralInRange<std::size_t>(0, s.size() - 1)] = in.ConsumeIntegral<char>();
      break;
    case 1:
      if (!s.empty()) s.pop_back();
      break;
    case 2:
      s = (in.ConsumeBool() ? " " : "") + s + (in.ConsumeBool() ? " " : "\t");
      break;
    default:
      break;
  }
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string argument = ZoneArgument(in);
  FuzzContext() = "--zone \"" + argument + "\"";
  const auto resolved = cli::ResolveZone(argument);
  const fuzz::ZoneAnswer expected = fuzz::ReferenceZone(argument);
  if (expected.position >= 0) {
    FUZZ_CHECK(std::holds_alternative<int>(resolved), "an argument the rules accept is accepted");
    FUZZ_CHECK(std::get<int>(resolved) == expected.position, "the row the rules name");
    return 0;
  }
  FUZZ_CHECK(std::holds_alternative<cli::ZoneRefusal>(resolved), "an argument the rules refuse is refused");
  const std::string& message = std::get<cli::ZoneRefusal>(resolved).message;
  FUZZ_CHECK(message.starts_with("--zone"), "the refusal names the option");
  for (int row : expected.rows) {
    const std::string_view text = TimeZoneTable[static_cast<std::size_t>(row)].text;
    FUZZ_CHECK(message.find(text) != std::string::npos, "an ambiguous abbreviation is refused with every row it names");
  }
  return 0;
}
