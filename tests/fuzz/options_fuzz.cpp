// The option parsing of orbisca-chart on command lines built from its
// grammar: each option at most once, in any order, as "--opt value" or
// "--opt=value", with a well-formed value, a value that is another option, or
// any text; sometimes a stray word, an unknown option or --help.
//
// A reader written here from the usage text decides what must happen:
// - a value that starts with "--" is refused ("--name needs a value");
// - a well-formed line (the three required options, every value of its form,
//   nothing stray) is accepted;
// - an accepted line carries exactly the values given, the defaults for the
//   options left out, and the flags given; every value it accepted is one
//   the reader accepts too;
// - whatever the line, the parse comes out as the full option parser's alone
//   (the everyday line of one chart is read without it).

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/chart_options.h"
#include "tests/cli/parse_result_text.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/zone_reference.h"

namespace {

using namespace orbisca;

std::string Number(FuzzedDataProvider& in, int low, int high, int width) {
  std::string s = std::to_string(in.ConsumeIntegralInRange(low, high));
  if (in.ConsumeBool() && static_cast<int>(s.size()) < width) s.insert(0, width - s.size(), '0');
  return s;
}

// A value of the option's own form.
std::string WellFormed(FuzzedDataProvider& in, std::string_view option) {
  if (option == "--date") {
    return std::to_string(in.ConsumeIntegralInRange(1901, 2050)) + "-" + Number(in, 1, 12, 2) + "-" + Number(in, 1, 31, 2);
  }
  if (option == "--time") return Number(in, 0, 23, 2) + ":" + std::to_string(in.ConsumeIntegralInRange(0, 5)) +
                                 std::to_string(in.ConsumeIntegralInRange(0, 9));
  if (option == "--zone") {
    const auto& row = TimeZoneTable[in.ConsumeIntegralInRange<std::size_t>(0, kTimeZoneCount - 1)];
    switch (in.ConsumeIntegralInRange(0, 2)) {
      case 0: return Number(in, 0, kTimeZoneCount - 1, 3);
      case 1: return std::string(row.text);
      default: {
        // An abbreviation that names two rows (NST) is refused as ambiguous:
        // the row's text stands for it.
        std::string a(row.abbreviation);
        if (fuzz::ReferenceZone(a).position < 0) return std::string(row.text);
        if (in.ConsumeBool()) std::transform(a.begin(), a.end(), a.begin(), [](char c) { return std::tolower(c); });
        return a;
      }
    }
  }
  if (option == "--lon" || option == "--lat") {
    const std::string sides = option == "--lon" ? "EWew" : "NSns";
    return Number(in, 0, option == "--lon" ? 179 : 89, 2) + ":" + Number(in, 0, 59, 2) +
           sides[in.ConsumeIntegralInRange<std::size_t>(0, 3)];
  }
  // --name, --rtf: text that does not start with a dash.
  std::string s = in.ConsumeRandomLengthString(16);
  s.erase(std::remove(s.begin(), s.end(), '\0'), s.end());
  if (s.empty() || s.front() == '-') s.insert(0, "a");
  return s;
}

// The reader: the form of each value as the usage text gives it.
bool Digits(std::string_view s, std::size_t least, std::size_t most) {
  return s.size() >= least && s.size() <= most &&
         std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}
int Value(std::string_view digits) { return digits.empty() ? -1 : std::stoi(std::string(digits)); }

std::vector<std::string_view> Split(std::string_view s, char separator) {
  std::vector<std::string_view> parts;
  for (std::size_t at; (at = s.find(separator)) != std::string_view::npos; s.remove_prefix(at + 1)) {
    parts.push_back(s.substr(0, at));
  }
  parts.push_back(s);
  return parts;
}

struct Coordinate {
  std::string degrees, minutes;
  char side;
};
std::optional<Coordinate> ReadCoordinate(std::string_view s, std::string_view sides) {
  if (s.empty() || sides.find(s.back()) == std::string_view::npos) return std::nullopt;
  const auto parts = Split(s.substr(0, s.size() - 1), ':');
  if (parts.size() != 2 || !Digits(parts[0], 1, 3) || !Digits(parts[1], 1, 2)) return std::nullopt;
  return Coordinate{std::string(parts[0]), std::string(parts[1]),
                    static_cast<char>(std::toupper(static_cast<unsigned char>(s.back())))};
}

// Whether the reader accepts the value of the option.
bool Accepts(std::string_view option, std::string_view v) {
  if (option == "--date") {
    const auto p = Split(v, '-');
    return p.size() == 3 && Digits(p[0], 4, 4) && Digits(p[1], 1, 2) && Digits(p[2], 1, 2) && Value(p[0]) >= 1901 &&
           Value(p[0]) <= 2050 && Value(p[1]) >= 1 && Value(p[1]) <= 12 && Value(p[2]) >= 1 && Value(p[2]) <= 31;
  }
  if (option == "--time") {
    const auto p = Split(v, ':');
    return p.size() == 2 && Digits(p[0], 1, 2) && Digits(p[1], 2, 2) && Value(p[0]) <= 23 && Value(p[1]) <= 59;
  }
  if (option == "--zone") return fuzz::ReferenceZone(v).position >= 0;
  if (option == "--lon") return ReadCoordinate(v, "EWew").has_value();
  if (option == "--lat") return ReadCoordinate(v, "NSns").has_value();
  return true;
}

constexpr std::string_view kValueOptions[] = {"--date", "--time", "--zone", "--lon", "--lat", "--name", "--rtf"};
constexpr std::string_view kFlags[] = {"--dst", "--json", "--report"};

std::string Quoted(const std::vector<std::string>& args) {
  std::string out;
  for (const std::string& a : args) {
    out += " '";
    for (char c : a) out += (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F) ? '?' : c;
    out += "'";
  }
  return out;
}

void CheckAccepted(const cli::ChartRequest& r, const std::map<std::string_view, std::string>& values,
                   const std::map<std::string_view, bool>& flags) {
  for (const auto& [option, value] : values) FUZZ_CHECK(Accepts(option, value), "only values of their form are accepted");
  for (std::string_view required : {"--date", "--time", "--zone"}) {
    FUZZ_CHECK(values.count(required) == 1, "the required options are given");
  }
  const Birth& e = r.birth;
  const auto date = Split(values.at("--date"), '-');
  FUZZ_CHECK(e.year == Value(date[0]) && e.month == Value(date[1]) && e.day == Value(date[2]), "the date as given");
  const auto time = Split(values.at("--time"), ':');
  FUZZ_CHECK(e.hour == Value(time[0]) && e.minute == Value(time[1]), "the time as given");
  FUZZ_CHECK(e.zone == BirthZone{ZoneRow{fuzz::ReferenceZone(values.at("--zone")).position}}, "the zone as given");
  const auto lon = ReadCoordinate(values.count("--lon") ? values.at("--lon") : "0:00E", "EWew");
  FUZZ_CHECK(e.lonDegrees == Value(lon->degrees) && e.lonMinutes == Value(lon->minutes) && e.east == (lon->side == 'E'),
             "the longitude as given, 0:00E by default");
  const auto lat = ReadCoordinate(values.count("--lat") ? values.at("--lat") : "0:00N", "NSns");
  FUZZ_CHECK(e.latDegrees == Value(lat->degrees) && e.latMinutes == Value(lat->minutes) &&
                 e.south == (lat->side == 'S'),
             "the latitude as given, 0:00N by default");
  FUZZ_CHECK(e.name == (values.count("--name") ? values.at("--name") : "CHART"), "the name as given, CHART by default");
  FUZZ_CHECK(r.rtfPath == (values.count("--rtf") ? values.at("--rtf") : ""), "the RTF file as given");
  FUZZ_CHECK(e.dst == flags.at("--dst") && r.json == flags.at("--json") && r.report == flags.at("--report"),
             "the flags as given");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  std::vector<std::string> args = {"orbisca-chart"};
  std::map<std::string_view, std::string> values;
  std::map<std::string_view, bool> flags;
  bool wellFormed = true, dashedValue = false, help = false;

  // Options in an order the input chooses, each at most once.
  std::vector<std::string_view> options(std::begin(kValueOptions), std::end(kValueOptions));
  options.insert(options.end(), std::begin(kFlags), std::end(kFlags));
  for (std::size_t i = options.size(); i > 1; --i) {
    std::swap(options[i - 1], options[in.ConsumeIntegralInRange<std::size_t>(0, i - 1)]);
  }
  for (std::string_view option : options) {
    const bool isFlag = std::find(std::begin(kFlags), std::end(kFlags), option) != std::end(kFlags);
    if (isFlag) {
      flags[option] = in.ConsumeBool();
      if (flags[option]) args.emplace_back(option);
      continue;
    }
    std::string value;
    switch (in.ConsumeIntegralInRange(0, 7)) {
      case 0:  // left out
        if (option == "--date" || option == "--time" || option == "--zone") wellFormed = false;
        continue;
      case 1:  // another option where the value belongs
        value = std::string(in.PickValueInArray(kFlags));
        dashedValue = true;
        break;
      case 2:  // any text
        value = in.ConsumeRandomLengthString(24);
        value.erase(std::remove(value.begin(), value.end(), '\0'), value.end());  // argv cannot hold it
        if (!Accepts(option, value) || value.empty() || value.front() == '-') wellFormed = false;
        if (value.starts_with("--")) dashedValue = true;
        break;
      default:
        value = WellFormed(in, option);
    }
    values[option] = value;
    if (in.ConsumeBool()) {
      args.push_back(std::string(option) + "=" + value);
    } else {
      args.emplace_back(option);
      args.push_back(value);
    }
  }
  // Sometimes something that does not belong, first or last on the line.
  const int extra = in.ConsumeIntegralInRange(0, 9);
  if (extra < 3) {
    static constexpr const char* kExtras[] = {"stray", "--unknown", "--help"};
    const auto at = in.ConsumeBool() ? args.begin() + 1 : args.end();
    args.insert(at, kExtras[extra]);
    wellFormed = false;
    help = extra == 2;
  }
  FuzzContext() = Quoted(args);

  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());
  const cli::ParseResult result = cli::ParseCommandLine(static_cast<int>(argv.size()), argv.data());

  if (help) {
    FUZZ_CHECK(!std::holds_alternative<cli::ChartRequest>(result), "--help computes no chart");
    return 0;
  }
  const bool asksHelp = std::any_of(args.begin() + 1, args.end(), [](const std::string& a) {
    return a == "--help" || a == "-h";
  });
  if (dashedValue) {
    // "--help" where a value belongs asks for help, as "-h" there does.
    if (std::holds_alternative<cli::HelpRequested>(result)) {
      FUZZ_CHECK(asksHelp, "help for a missing value only when help is asked for");
      return 0;
    }
    const auto* error = std::get_if<cli::UsageError>(&result);
    FUZZ_CHECK(error && error->message.find("needs a value") != std::string::npos,
               "a value that starts with -- is refused as a missing value");
    return 0;
  }
  if (const auto* error = std::get_if<cli::UsageError>(&result)) {
    FUZZ_CHECK(!wellFormed, "a well-formed command line is accepted");
    FUZZ_CHECK(!error->message.empty(), "a refusal says why");
    return 0;
  }
  if (std::holds_alternative<cli::HelpRequested>(result)) {
    // A value such as "-h" where a value was expected asks for help too.
    FUZZ_CHECK(asksHelp && !wellFormed, "no help unless it is asked for");
    return 0;
  }
  CheckAccepted(std::get<cli::ChartRequest>(result), values, flags);
  return 0;
}
