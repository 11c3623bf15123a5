#include "cli/chart_options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "births/library.h"
#include "orbisca/version.h"
#include "run/time_zones.h"

namespace orbisca::cli {
namespace {

constexpr const char* kDescription =
    "Computes the sidereal longitudes of the Sun, Moon and eight planets for one birth and\n"
    "lists the aspects between them with their interpretations.";

// The options that take a value (--batch and --library may go without one).
constexpr std::array<std::string_view, 21> kValueOptions = {
    "--date",   "--time",   "--zone",   "--lon",  "--lat",          "--name",      "--rtf",
    "--svg",    "--place",  "--places", "--birth", "--input",       "--format",    "--output",
    "--jobs",   "--node",   "--dasha-year", "--dasha-levels", "--pdf", "--varga", "--style"};

// The options of one chart as the command line gave them: their texts, the
// request's own values, and which of the options that decide the chart's
// checks were given at all.
struct ChartLine {
  OptionTexts texts;
  std::string varga, style;  // --varga and --style as given
  ChartRequest request;
  struct {
    bool date = false, time = false, zone = false, lon = false, lat = false, place = false;
    bool varga = false, style = false;
  } given;
};

// The options of one chart; --date, --time and --zone are required unless
// --batch is given, which ParseCommandLine checks.
void DeclareOptions(CLI::App& app, ChartLine& line) {
  OptionTexts& t = line.texts;
  ChartRequest& request = line.request;
  app.add_option("--date", t.date, "Local date of birth, YYYY-MM-DD (1901 to 2050)");
  app.add_option("--time", t.time, "Local clock time of birth, HH:MM[:SS] (24-hour clock)");
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
  app.add_option("--varga", line.varga,
                 "The divisional chart of the --svg picture: 1 (the rasi, default), 2, 3, 4, 7, 9 (the navamsa), 10, "
                 "12, 16, 20, 24, 27, 30, 40, 45 or 60");
  app.add_option("--style", line.style, "The style of the --svg picture and the --pdf sheet's charts: south "
                                        "(default) or north");
  app.add_option("--pdf", request.pdfPath,
                 "Also write the chart sheet (one or two A4 pages: the birth data, the positions, the rasi and "
                 "navamsa charts, the mahadashas and the aspects) as a PDF file");
  app.set_version_flag("--version", std::string("orbisca-chart ") + kVersion + '\n' + kLicenseNotice,
                       "Print the version and exit");
  std::string zoneList = "Time zones (position: list text):\n";
  for (int i = 0; i < kTimeZoneCount; ++i) {
    zoneList += "  " + std::to_string(i) + ": " + std::string(TimeZoneTable[static_cast<std::size_t>(i)].text) + "\n";
  }
  app.footer(zoneList +
             "\nExit status: 0 chart printed, 1 the RTF, SVG or PDF file or standard output could not be written, 2 input "
             "refused.\n"
             "With --birth: 1 also for a saved birth that the checks refuse; 2 for an unreadable library or an unknown id.\n"
             "With --batch: 0 every row charted, 1 a row refused, 2 a bad option, input file, library or output file.");
}

// The library's options: --birth ID charts a saved birth, and --batch with
// --library (and no file) charts them all. --library without a value is the
// default library, as the births commands find it.
struct LibraryTexts {
  std::int64_t birth = 0;
  std::string library;
};

void DeclareLibraryOptions(CLI::App& app, LibraryTexts& t) {
  app.add_option("--birth", t.birth, "Chart the library's birth of this id (see orbisca-chart births list)");
  app.add_option("--library", t.library,
                 "The library of births for --birth and --batch (default: $ORBISCA_LIBRARY, else "
                 "$XDG_DATA_HOME/orbisca/births.sqlite)")
      ->expected(0, 1);
}

std::string LibraryPath(const CLI::App& app, const LibraryTexts& t) {
  return app.count("--library") > 0 && !t.library.empty() ? t.library : births::DefaultLibraryPath();
}

// --birth ID: the saved birth, exactly as the library holds it (an atlas
// offset included), or the message that refuses the id or the library.
std::optional<UsageError> ReadSavedBirth(const std::string& path, std::int64_t id, ChartRequest& request) {
  try {
    const std::optional<births::SavedBirth> saved = births::Library(path, births::Access::Read).Find(id);
    if (!saved) return UsageError{"--birth: no birth has the id " + std::to_string(id) + " in " + path};
    request.birth = saved->birth;
    request.saved = true;
    return std::nullopt;
  } catch (const births::LibraryError& e) {
    return UsageError{std::string("--birth: ") + e.what()};
  }
}

// The texts of the options of the nodes and the dasha, as given.
struct VedicTexts {
  std::string node = "mean", dashaYear = "365.25", dashaLevels = "2";
};

struct NodeChoice {
  std::string_view text;
  NodeKind kind;
};
constexpr std::array<NodeChoice, 2> kNodeChoices = {{{"mean", NodeKind::Mean}, {"true", NodeKind::True}}};

struct DashaYearChoice {
  std::string_view text;
  DashaYear year;
};
constexpr std::array<DashaYearChoice, 3> kDashaYearChoices = {
    {{"365.25", DashaYear::Julian}, {"365.2422", DashaYear::Tropical}, {"360", DashaYear::Savana}}};

// --node and --dasha-year apply to a chart and to every row of a batch.
void DeclareVedicOptions(CLI::App& app, VedicTexts& t) {
  app.add_option("--node", t.node, "Rahu and Ketu from the mean node (default) or the true node: mean or true");
  app.add_option("--dasha-year", t.dashaYear,
                 "Length of the Vimshottari dasha's year in days: 365.25 (default), 365.2422 (tropical) or 360 "
                 "(savana)");
  app.add_option("--dasha-levels", t.dashaLevels,
                 "Levels of the dasha's periods in --json: 1 mahadashas, 2 with antardashas (default), 3 with "
                 "pratyantardashas");
}

// The chart's options as the texts give them (the dasha's levels only when
// `levels`), or the message that refuses them.
std::optional<UsageError> ReadVedicOptions(const VedicTexts& t, bool levels, ChartOptions& options) {
  const auto node = std::find_if(kNodeChoices.begin(), kNodeChoices.end(),
                                 [&t](const NodeChoice& c) { return c.text == t.node; });
  if (node == kNodeChoices.end()) return UsageError{"--node expects mean or true, not \"" + t.node + "\""};
  options.nodeKind = node->kind;
  const auto year = std::find_if(kDashaYearChoices.begin(), kDashaYearChoices.end(),
                                 [&t](const DashaYearChoice& c) { return c.text == t.dashaYear; });
  if (year == kDashaYearChoices.end()) {
    return UsageError{"--dasha-year expects 365.25, 365.2422 or 360, not \"" + t.dashaYear + "\""};
  }
  options.dashaYear = year->year;
  if (!levels) return std::nullopt;
  if (t.dashaLevels != "1" && t.dashaLevels != "2" && t.dashaLevels != "3") {
    return UsageError{"--dasha-levels expects 1, 2 or 3, not \"" + t.dashaLevels + "\""};
  }
  options.dashaLevels = t.dashaLevels[0] - '0';
  return std::nullopt;
}

// The texts of the batch options, as given.
struct BatchTexts {
  std::string input, format = "jsonl";
};

void DeclareBatchOptions(CLI::App& app, BatchRequest& batch, BatchTexts& t) {
  app.add_option("--batch", batch.inputPath,
                 "Chart every row of FILE (- for standard input): CSV or JSON Lines; with --library and no FILE, "
                 "every birth of the library")
      ->expected(0, 1);
  app.add_option("--input", t.input, "Batch input format: csv or jsonl (default: from the file's extension)");
  app.add_option("--format", t.format, "Batch output format: jsonl (default) or csv");
  app.add_option("--output", batch.outputPath, "Write the batch output to FILE, whole or not at all");
  app.add_flag("--paragraphs", batch.output.paragraphs, "Batch: include the interpretation paragraphs");
  app.add_flag("--vargas", batch.output.chart.vargas,
               "Batch: add each row's sixteen divisional charts (\"vargas\", as in --json)");
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
    // The CSV rows are the aspects; the vargas have no column there.
    if (batch.output.chart.vargas) return UsageError{"--vargas is used only with JSON Lines output"};
    batch.output.format = BatchFormat::Csv;
  } else if (t.format != "jsonl") {
    return UsageError{"--format expects jsonl or csv, not \"" + t.format + "\""};
  }
  return batch;
}

// The options only one mode reads. Given to another mode they would be
// ignored silently (--svg with --batch wrote no picture), so they are refused.
constexpr std::array<std::string_view, 16> kChartOnlyOptions = {
    "--date", "--time", "--zone", "--lon",   "--lat",   "--place", "--dst", "--no-dst", "--name", "--json", "--report",
    "--rtf",  "--svg",  "--pdf",  "--varga", "--style"};
constexpr std::array<std::string_view, 7> kBatchOnlyOptions = {"--input", "--format",     "--output", "--jobs",
                                                               "--paragraphs", "--vargas", "--quiet"};

// The options of a birth typed out, which --birth replaces.
constexpr std::array<std::string_view, 9> kTypedBirthOptions = {"--date", "--time", "--zone",   "--lon", "--lat",
                                                                "--place", "--dst", "--no-dst", "--name"};

std::optional<UsageError> OtherModesOptions(const CLI::App& app) {
  const auto firstGiven = [&app](auto options) -> std::optional<std::string> {
    for (std::string_view option : options) {
      if (app.count(std::string(option)) > 0) return std::string(option);
    }
    return std::nullopt;
  };
  const std::optional<std::string> chart = firstGiven(kChartOnlyOptions);
  const std::optional<std::string> batch = firstGiven(kBatchOnlyOptions);
  if (app.count("--batch") > 0) {
    if (app.count("--places") > 0) return UsageError{"--places is not used with --batch"};
    if (app.count("--birth") > 0) return UsageError{"--birth is not used with --batch"};
    if (chart) return UsageError{*chart + " is not used with --batch"};
    if (app.count("--library") > 0 && app.count("--input") > 0) return UsageError{"--input is not used with --library"};
    return std::nullopt;
  }
  if (app.count("--birth") > 0) {
    if (app.count("--places") > 0) return UsageError{"--places is not used with --birth"};
    if (const std::optional<std::string> typed = firstGiven(kTypedBirthOptions)) {
      return UsageError{*typed + " is not used with --birth: the birth is the library's"};
    }
  } else if (app.count("--library") > 0) {
    return UsageError{"--library is used only with --birth or --batch"};
  }
  if (batch) return UsageError{*batch + " is used only with --batch"};
  if (app.count("--places") > 0 && chart) return UsageError{*chart + " is not used with --places"};
  return std::nullopt;
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

// --varga N (or DN) and --style south|north, into the request.
std::optional<UsageError> ReadPictureOptions(const ChartLine& line, ChartRequest& request) {
  // Given alone they would change nothing, silently.
  if (line.given.varga && request.svgPath.empty()) return UsageError{"--varga is used only with --svg"};
  if (line.given.style && request.svgPath.empty() && request.pdfPath.empty()) {
    return UsageError{"--style is used only with --svg or --pdf"};
  }
  if (line.given.varga) {
    const std::string_view digits = std::string_view(line.varga).substr(line.varga[0] == 'D' ? 1 : 0);
    std::optional<Varga> varga;
    if (!digits.empty() && digits.size() <= 2 && std::all_of(digits.begin(), digits.end(), [](char c) {
          return c >= '0' && c <= '9';
        }))
      varga = VargaOfDivisions(std::stoi(std::string(digits)));
    if (!varga) {
      return UsageError{"--varga expects 1, 2, 3, 4, 7, 9, 10, 12, 16, 20, 24, 27, 30, 40, 45 or 60, not \"" +
                        line.varga + "\""};
    }
    request.varga = *varga;
  }
  if (line.style == "north") {
    request.style = ChartStyle::North;
  } else if (line.given.style && line.style != "south") {
    return UsageError{"--style expects south or north, not \"" + line.style + "\""};
  }
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

// The chart a line of chart options asks for, or the reason it is refused.
ParseResult ChartOfLine(ChartLine line) {
  if (std::optional<UsageError> error = CheckCombination(line)) return *error;
  const OptionTexts& texts = line.texts;
  ChartRequest& request = line.request;
  if (std::optional<UsageError> error = ReadPictureOptions(line, request)) return *error;
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
  } else if (std::optional<UsageError> error = ReadCoordinates(texts, e)) {
    return *error;
  }
  return std::move(request);
}

}  // namespace

ParseResult ParseCommandLine(int argc, const char* const* argv) {
  CLI::App app{kDescription, "orbisca-chart"};
  ChartLine line;
  BatchRequest batch;
  BatchTexts batchTexts;
  VedicTexts vedic;
  LibraryTexts library;
  DeclareOptions(app, line);
  DeclareVedicOptions(app, vedic);
  DeclareBatchOptions(app, batch, batchTexts);
  DeclareLibraryOptions(app, library);
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
  if (std::optional<UsageError> error = OtherModesOptions(app)) return *error;
  if (app.count("--batch") > 0) {
    if (app.count("--library") > 0) {
      if (!batch.inputPath.empty()) return UsageError{"--batch charts a file or, with --library, the library; not both"};
      batch.library = LibraryPath(app, library);
    } else if (batch.inputPath.empty()) {
      return UsageError{"--batch needs a value: a file, or --library"};
    }
    // The batch writes the balance at birth, never the periods.
    if (app.count("--dasha-levels") > 0) return UsageError{"--dasha-levels is not used with --batch"};
    if (std::optional<UsageError> error = ReadVedicOptions(vedic, false, batch.output.chart)) return *error;
    std::variant<BatchRequest, UsageError> read = ReadBatch(std::move(batch), batchTexts);
    if (UsageError* error = std::get_if<UsageError>(&read)) return *error;
    return std::get<BatchRequest>(std::move(read));
  }
  if (app.count("--places")) return ListPlaces(line.texts.placesQuery);
  line.given = {app.count("--date") > 0, app.count("--time") > 0, app.count("--zone") > 0,
                app.count("--lon") > 0,  app.count("--lat") > 0,  app.count("--place") > 0};
  line.given.varga = app.count("--varga") > 0;
  line.given.style = app.count("--style") > 0;
  if (std::optional<UsageError> error = ReadVedicOptions(vedic, true, line.request.options)) return *error;
  if (app.count("--birth") > 0) {
    if (std::optional<UsageError> error = ReadPictureOptions(line, line.request)) return *error;
    if (std::optional<UsageError> error = ReadSavedBirth(LibraryPath(app, library), library.birth, line.request)) {
      return *error;
    }
    return std::move(line.request);
  }
  return ChartOfLine(std::move(line));
}

}  // namespace orbisca::cli
