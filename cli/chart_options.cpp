#include "cli/chart_options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <string_view>
#include <vector>

#include "births/saved_birth.h"
#include "orbisca/version.h"
#include "run/time_zones.h"

namespace orbisca::cli {
namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
         });
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

constexpr const char* kDescription =
    "Computes the sidereal longitudes of the Sun, Moon and eight planets for one birth and\n"
    "lists the aspects between them with their interpretations.";

// The options that take a value.
constexpr std::array<std::string_view, 15> kValueOptions = {
    "--date", "--time",  "--zone",   "--lon",    "--lat",  "--name",  "--rtf",   "--svg",
    "--place", "--places", "--batch", "--input", "--format", "--output", "--jobs"};

// Takes a run of `least` to `most` ASCII digits from the front of `text`.
std::optional<std::string_view> TakeDigits(std::string_view& text, std::size_t least, std::size_t most) {
  std::size_t n = 0;
  while (n < text.size() && n < most && IsDigit(text[n])) ++n;
  if (n < least || (n < text.size() && IsDigit(text[n]))) return std::nullopt;
  const std::string_view digits = text.substr(0, n);
  text.remove_prefix(n);
  return digits;
}

// Takes one of `choices` from the front of `text`.
std::optional<char> TakeOneOf(std::string_view& text, std::string_view choices) {
  if (text.empty() || choices.find(text.front()) == std::string_view::npos) return std::nullopt;
  const char c = text.front();
  text.remove_prefix(1);
  return c;
}

int ToInt(std::string_view digits) {
  int v = 0;
  for (char c : digits) v = v * 10 + (c - '0');
  return v;
}

// The options of one chart as the command line gave them: their texts, the
// request's own values, and which of the options that decide the chart's
// checks were given at all.
struct ChartLine {
  OptionTexts texts;
  ChartRequest request;
  struct {
    bool date = false, time = false, zone = false, lon = false, lat = false, place = false;
  } given;
};

// The options of one chart; --date, --time and --zone are required unless
// --batch is given, which ParseCommandLine checks.
void DeclareOptions(CLI::App& app, OptionTexts& t, ChartRequest& request) {
  app.add_option("--date", t.date, "Local date of birth, YYYY-MM-DD (1901 to 2050)");
  app.add_option("--time", t.time, "Local clock time of birth, HH:MM (24-hour clock)");
  app.add_option("--zone", t.zone, "Time zone: list position 0 to 70, the list text, or its abbreviation");
  app.add_option("--lon", t.lon, "Longitude of the birth place, DEG:MIN followed by E or W, e.g. 77:12E (default 0:00E)");
  app.add_option("--lat", t.lat, "Latitude, DEG:MIN followed by N or S (default 0:00N)");
  app.add_option("--place", t.place,
                 "Birth place from the atlas, \"City, State, Country\" or a GeoNames id: sets --lon and --lat, and "
                 "without --zone the UTC offset from the tz database");
  app.add_option("--places", t.placesQuery, "List the atlas's places that match, largest first, and stop");
  app.add_flag("--dst", t.dst, "The clock time is daylight-saving time (with --place: the first of a repeated hour)");
  app.add_flag("--no-dst", t.noDst, "With --place: the clock time is standard time (the second of a repeated hour)");
  app.add_option("--name", t.name, "Name of the person (default CHART)");
  app.add_flag("--json", request.json, "Print the chart as one JSON object");
  app.add_flag("--report", request.report, "Print the report text instead of the chart");
  app.add_option("--rtf", request.rtfPath, "Also write the report as a Rich Text Format file");
  app.add_option("--svg", request.svgPath, "Also write the chart picture (South Indian square) as an SVG file");
  app.set_version_flag("--version", std::string("orbisca-chart ") + kVersion + '\n' + kLicenseNotice,
                       "Print the version and exit");
  std::string zoneList = "Time zones (position: list text):\n";
  for (int i = 0; i < kTimeZoneCount; ++i) {
    zoneList += "  " + std::to_string(i) + ": " + std::string(TimeZoneTable[static_cast<std::size_t>(i)].text) + "\n";
  }
  app.footer(zoneList +
             "\nExit status: 0 chart printed, 1 the RTF or SVG file or standard output could not be written, 2 input refused.\n"
             "With --batch: 0 every row charted, 1 a row refused, 2 a bad option, input file or output file.");
}

// The texts of the batch options, as given.
struct BatchTexts {
  std::string input, format = "jsonl";
};

void DeclareBatchOptions(CLI::App& app, BatchRequest& batch, BatchTexts& t) {
  app.add_option("--batch", batch.inputPath, "Chart every row of FILE (- for standard input): CSV or JSON Lines");
  app.add_option("--input", t.input, "Batch input format: csv or jsonl (default: from the file's extension)");
  app.add_option("--format", t.format, "Batch output format: jsonl (default) or csv");
  app.add_option("--output", batch.outputPath, "Write the batch output to FILE, whole or not at all");
  app.add_flag("--paragraphs", batch.output.paragraphs, "Batch: include the interpretation paragraphs");
  app.add_option("--jobs", batch.jobs, "Batch: number of workers, 1 to 256 (default: one per hardware thread)")
      ->check(CLI::Range(1, 256));
  app.add_flag("--quiet", batch.quiet, "Batch: no progress on standard error");
}

std::variant<BatchRequest, UsageError> ReadBatch(BatchRequest batch, const BatchTexts& t) {
  if (t.input == "csv") {
    batch.inputFormat = BatchInput::Csv;
  } else if (t.input == "jsonl") {
    batch.inputFormat = BatchInput::Jsonl;
  } else if (!t.input.empty()) {
    return UsageError{"--input expects csv or jsonl, not \"" + t.input + "\""};
  }
  if (t.format == "csv") {
    batch.output.format = BatchFormat::Csv;
  } else if (t.format != "jsonl") {
    return UsageError{"--format expects jsonl or csv, not \"" + t.format + "\""};
  }
  return batch;
}

// An option that takes a value, given without one: nothing follows it, what
// follows is another option ("--name --dst" must not name the person "--dst"
// and lose the daylight saving), or its joined value is empty (the option
// parser would take the next argument as the value: "--rtf= --lat=75:47S"
// wrote a file named --lat=75:47S and charted latitude 0).
std::optional<UsageError> MissingValue(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    for (std::string_view option : kValueOptions) {
      const bool separate = arg == option;
      const bool joined = arg.size() > option.size() && arg.starts_with(option) && arg[option.size()] == '=';
      if (!separate && !joined) continue;
      const std::string_view value = joined ? arg.substr(option.size() + 1)
                                            : (i + 1 < argc ? std::string_view(argv[i + 1]) : std::string_view("--"));
      if (value.starts_with("--") || (joined && value.empty())) {
        return UsageError{std::string(option) + " needs a value"};
      }
      if (separate) ++i;
    }
  }
  return std::nullopt;
}

std::optional<UsageError> ReadDate(const std::string& date, Birth& b) {
  std::string_view rest = date;
  const auto y = TakeDigits(rest, 4, 4);
  const bool dash1 = y && TakeOneOf(rest, "-");
  const auto m = dash1 ? TakeDigits(rest, 1, 2) : std::nullopt;
  const bool dash2 = m && TakeOneOf(rest, "-");
  const auto d = dash2 ? TakeDigits(rest, 1, 2) : std::nullopt;
  if (!d || !rest.empty()) return UsageError{"--date expects YYYY-MM-DD, not \"" + date + "\""};
  const int year = ToInt(*y), month = ToInt(*m), day = ToInt(*d);
  if (year < 1901 || year > 2050) return UsageError{"--date: the year must be 1901 to 2050"};
  if (month < 1 || month > 12) return UsageError{"--date: the month must be 1 to 12"};
  if (day < 1 || day > 31) return UsageError{"--date: the day must be 1 to 31"};
  b.year = year;
  b.month = month;
  b.day = day;
  return std::nullopt;
}

std::optional<UsageError> ReadTime(const std::string& time, Birth& b) {
  std::string_view rest = time;
  const auto h = TakeDigits(rest, 1, 2);
  const bool colon = h && TakeOneOf(rest, ":");
  const auto m = colon ? TakeDigits(rest, 2, 2) : std::nullopt;
  // Seconds, as a saved birth may have them (a library's export).
  const auto sec = m && TakeOneOf(rest, ":") ? TakeDigits(rest, 2, 2) : std::optional<std::string_view>("0");
  if (!m || !sec || !rest.empty()) return UsageError{"--time expects HH:MM, not \"" + time + "\""};
  if (ToInt(*h) > 23) return UsageError{"--time: the hour must be 0 to 23"};
  if (ToInt(*m) > 59) return UsageError{"--time: the minute must be 0 to 59"};
  if (ToInt(*sec) > 59) return UsageError{"--time: the second must be 0 to 59"};
  b.hour = ToInt(*h);
  b.minute = ToInt(*m);
  b.second = ToInt(*sec);
  return std::nullopt;
}

// A place coordinate, DEG:MIN and a hemisphere letter. The degrees and the
// minutes go to the form's checks (CheckBirth) as read.
struct Coordinate {
  int degrees, minutes;
  char hemisphere;
};
std::optional<Coordinate> ReadCoordinate(std::string_view text, std::string_view hemispheres) {
  const auto deg = TakeDigits(text, 1, 3);
  const bool colon = deg && TakeOneOf(text, ":");
  const auto min = colon ? TakeDigits(text, 1, 2) : std::nullopt;
  const auto side = min ? TakeOneOf(text, hemispheres) : std::nullopt;
  if (!side || !text.empty()) return std::nullopt;
  return Coordinate{ToInt(*deg), ToInt(*min),
                    static_cast<char>(std::toupper(static_cast<unsigned char>(*side)))};
}

std::optional<UsageError> ReadPlace(const OptionTexts& t, Birth& b) {
  const std::optional<Coordinate> lon = ReadCoordinate(t.lon, "EWew");
  if (!lon) return UsageError{"--lon expects DEG:MIN followed by E or W, for example 77:12E, not \"" + t.lon + "\""};
  const std::optional<Coordinate> lat = ReadCoordinate(t.lat, "NSns");
  if (!lat) return UsageError{"--lat expects DEG:MIN followed by N or S, for example 28:36N, not \"" + t.lat + "\""};
  b.lonDegrees = lon->degrees;
  b.lonMinutes = lon->minutes;
  b.east = lon->hemisphere == 'E';
  b.latDegrees = lat->degrees;
  b.latMinutes = lat->minutes;
  b.south = lat->hemisphere == 'S';
  return std::nullopt;
}

// The options a chart needs, and those that exclude each other.
std::optional<UsageError> CheckCombination(const ChartLine& line) {
  const auto required = [](std::string what) {
    return UsageError{std::move(what) + " is required\nRun with --help for more information."};
  };
  const auto& given = line.given;
  if (!given.date) return required("--date");
  if (!given.time) return required("--time");
  if (!given.zone && !given.place) return required("--zone (or --place)");
  if (given.place && (given.lon || given.lat)) {
    return UsageError{"--place sets the longitude and latitude; leave out --lon and --lat"};
  }
  if (line.texts.dst && line.texts.noDst) return UsageError{"--dst and --no-dst say opposite things; give one"};
  return std::nullopt;
}

ParseResult ListPlaces(const std::string& query) {
  std::string error;
  const places::Atlas* atlas = ProcessAtlas(error);
  if (!atlas) return UsageError{"--places: " + error};
  std::string list = PlaceList(*atlas, query);
  if (list.empty()) return UsageError{"--places: no place in the atlas matches \"" + query + "\""};
  return PlaceListing{std::move(list)};
}

// --place: the coordinates, and without --zone the offset, from the atlas.
std::optional<UsageError> ReadAtlasPlace(const OptionTexts& t, bool zoneGiven, ChartRequest& request) {
  std::string error;
  const places::Atlas* atlas = ProcessAtlas(error);
  if (!atlas) return UsageError{"--place: " + error};
  const places::DstChoice choice = t.dst     ? places::DstChoice::Dst
                                   : t.noDst ? places::DstChoice::NoDst
                                             : places::DstChoice::Unspecified;
  PlaceApplied applied = ApplyPlace(*atlas, t.place, zoneGiven, choice, request.birth);
  if (!applied.facts) return UsageError{"--place: " + applied.error};
  request.place = std::move(applied.facts);
  return std::nullopt;
}

std::optional<UsageError> ReadZone(const std::string& zone, Birth& b) {
  // An exact offset, "UTC+05:45", as a library's export writes one.
  if (zone.starts_with("UTC+") || zone.starts_with("UTC-")) {
    if (!births::ReadZone(zone, b).empty()) {
      return UsageError{"--zone: an offset is UTC+HH:MM or UTC-HH:MM, within 14 hours, not \"" + zone + "\""};
    }
    return std::nullopt;
  }
  const std::variant<int, ZoneRefusal> resolved = ResolveZone(zone);
  if (const ZoneRefusal* refusal = std::get_if<ZoneRefusal>(&resolved)) return UsageError{refusal->message};
  b.zone = ZoneRow{std::get<int>(resolved)};
  return std::nullopt;
}

// The chart a line of chart options asks for, or the reason it is refused.
ParseResult ChartOfLine(ChartLine line) {
  if (std::optional<UsageError> error = CheckCombination(line)) return *error;
  const OptionTexts& texts = line.texts;
  ChartRequest& request = line.request;
  Birth& e = request.birth;
  e.name = texts.name;
  e.dst = texts.dst;
  if (std::optional<UsageError> error = ReadDate(texts.date, e)) return *error;
  if (std::optional<UsageError> error = ReadTime(texts.time, e)) return *error;
  if (line.given.zone) {
    if (std::optional<UsageError> error = ReadZone(texts.zone, e)) return *error;
  }
  if (line.given.place) {
    if (std::optional<UsageError> error = ReadAtlasPlace(texts, line.given.zone, request)) return *error;
  } else if (std::optional<UsageError> error = ReadPlace(texts, e)) {
    return *error;
  }
  return std::move(request);
}

}  // namespace

std::variant<int, ZoneRefusal> ResolveZone(const std::string& argument) {
  // A list position; leading zeros count for nothing, so 0070 is 070 is 70.
  if (!argument.empty() && std::all_of(argument.begin(), argument.end(), IsDigit)) {
    const std::size_t first = std::min(argument.find_first_not_of('0'), argument.size() - 1);
    const std::string_view digits = std::string_view(argument).substr(first);
    const int position = digits.size() <= 3 ? ToInt(digits) : kTimeZoneCount;
    if (position < kTimeZoneCount) return position;
    return ZoneRefusal{"--zone: a list position is 0 to 70, not " + argument};
  }
  // The exact list text.
  for (int i = 0; i < kTimeZoneCount; ++i) {
    if (TimeZoneTable[static_cast<std::size_t>(i)].text == argument) return i;
  }
  // An abbreviation that names one row only.
  std::vector<int> matches;
  for (int i = 0; i < kTimeZoneCount; ++i) {
    if (EqualsIgnoringCase(TimeZoneTable[static_cast<std::size_t>(i)].abbreviation, argument)) matches.push_back(i);
  }
  if (matches.size() == 1) return matches.front();
  if (matches.empty()) {
    return ZoneRefusal{"--zone: unknown zone \"" + argument +
                       "\"; give a list position (0 to 70), the list text or its abbreviation "
                       "(orbisca-chart --help lists them)"};
  }
  std::string message = "--zone: \"" + argument + "\" is ambiguous; it names:";
  for (int i : matches) {
    message += "\n  " + std::to_string(i) + "  " + std::string(TimeZoneTable[static_cast<std::size_t>(i)].text);
  }
  return ZoneRefusal{message};
}

std::variant<Birth, UsageError> BirthFromTexts(const OptionTexts& texts) {
  Birth e;
  e.name = texts.name;
  e.dst = texts.dst;
  if (std::optional<UsageError> error = ReadDate(texts.date, e)) return *error;
  if (std::optional<UsageError> error = ReadTime(texts.time, e)) return *error;
  // A place of the atlas gives the coordinates, and the offset when no zone
  // is given; the caller applies it, since it needs the atlas.
  if (texts.place.empty() || !texts.zone.empty()) {
    if (std::optional<UsageError> error = ReadZone(texts.zone, e)) return *error;
  }
  if (texts.place.empty()) {
    if (std::optional<UsageError> error = ReadPlace(texts, e)) return *error;
  }
  return e;
}

ParseResult ParseCommandLine(int argc, const char* const* argv) {
  CLI::App app{kDescription, "orbisca-chart"};
  ChartLine line;
  BatchRequest batch;
  BatchTexts batchTexts;
  DeclareOptions(app, line.texts, line.request);
  DeclareBatchOptions(app, batch, batchTexts);
  if (std::optional<UsageError> missing = MissingValue(argc, argv)) {
    // Help asked for on the same line is shown instead. It is answered here:
    // the option parser would take a "--help" that follows an option without
    // its value as that value ("--rtf --help" wrote a file named --help).
    const bool help = std::any_of(argv + 1, argv + argc, [](std::string_view a) { return a == "--help" || a == "-h"; });
    if (!help) return *missing;
    return HelpRequested{app.help()};
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    return HelpRequested{app.help()};
  } catch (const CLI::CallForVersion& version) {
    return HelpRequested{version.what()};
  } catch (const CLI::ParseError& e) {
    return UsageError{std::string(e.what()) + "\nRun with --help for more information."};
  }
  if (app.count("--batch") > 0) {
    std::variant<BatchRequest, UsageError> read = ReadBatch(std::move(batch), batchTexts);
    if (UsageError* error = std::get_if<UsageError>(&read)) return *error;
    return std::get<BatchRequest>(std::move(read));
  }
  if (app.count("--places")) return ListPlaces(line.texts.placesQuery);
  line.given = {app.count("--date") > 0, app.count("--time") > 0, app.count("--zone") > 0,
                app.count("--lon") > 0,  app.count("--lat") > 0,  app.count("--place") > 0};
  return ChartOfLine(std::move(line));
}

}  // namespace orbisca::cli
