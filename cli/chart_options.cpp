#include "cli/chart_options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <regex>
#include <vector>

#include "run/time_zones.h"

namespace orbisca::cli {
namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
         });
}

constexpr const char* kDescription =
    "Computes the sidereal longitudes of the Sun, Moon and eight planets for one birth and\n"
    "lists the aspects between them with their interpretations.";

}  // namespace

std::variant<int, ZoneRefusal> ResolveZone(const std::string& argument) {
  // A list position.
  if (!argument.empty() && std::all_of(argument.begin(), argument.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); })) {
    const int position = argument.size() <= 3 ? std::stoi(argument) : kTimeZoneCount;
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

ParseResult ParseCommandLine(int argc, const char* const* argv) {
  CLI::App app{kDescription, "orbisca-chart"};
  std::string date, time, zone, lon, lat = "0:00N", name = "CHART";
  ChartRequest request;
  bool dst = false;
  CLI::Option* dateOption = app.add_option("--date", date, "Local date of birth, YYYY-MM-DD (1901 to 2050)");
  CLI::Option* timeOption = app.add_option("--time", time, "Local clock time of birth, HH:MM (24-hour clock)");
  CLI::Option* zoneOption = app.add_option("--zone", zone, "Time zone: list position 0 to 70, the list text, or its abbreviation");
  CLI::Option* lonOption = app.add_option("--lon", lon, "Longitude of the birth place, DEG:MIN followed by E or W, e.g. 77:12E");
  app.add_option("--lat", lat, "Latitude, DEG:MIN followed by N or S (default 0:00N)");
  app.add_flag("--dst", dst, "The clock time is daylight-saving time");
  app.add_option("--name", name, "Name of the person (default CHART)");
  app.add_flag("--json", request.json, "Print the chart as one JSON object");
  app.add_flag("--report", request.report, "Print the report text instead of the chart");
  app.add_option("--rtf", request.rtfPath, "Also write the report as a Rich Text Format file");
  std::string zoneList = "Time zones (position: list text):\n";
  for (int i = 0; i < kTimeZoneCount; ++i) {
    zoneList += "  " + std::to_string(i) + ": " + std::string(TimeZoneTable[static_cast<std::size_t>(i)].text) + "\n";
  }
  app.footer(zoneList + "\nExit status: 0 chart printed, 1 the RTF file could not be written, 2 input refused.");

  BatchRequest batch;
  std::string inputFormat, outputFormat = "jsonl";
  CLI::Option* batchOption = app.add_option("--batch", batch.inputPath, "Chart every row of FILE (- for standard input)");
  app.add_option("--input", inputFormat, "Batch input format: csv or jsonl (default: from the file's extension)");
  app.add_option("--format", outputFormat, "Batch output format: jsonl (default) or csv");
  app.add_option("--output", batch.outputPath, "Write the batch output to FILE, whole or not at all");
  app.add_flag("--paragraphs", batch.output.paragraphs, "Batch: include the interpretation paragraphs");
  app.add_option("--jobs", batch.jobs, "Batch: number of workers (default: one per hardware thread)");
  app.add_flag("--quiet", batch.quiet, "Batch: no progress on standard error");
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    return HelpRequested{app.help()};
  } catch (const CLI::ParseError& e) {
    return UsageError{std::string(e.what()) + "\nRun with --help for more information."};
  }

  if (batchOption->count() > 0) {
    if (inputFormat == "csv") {
      batch.inputFormat = BatchInput::Csv;
    } else if (inputFormat == "jsonl") {
      batch.inputFormat = BatchInput::Jsonl;
    } else if (!inputFormat.empty()) {
      return UsageError{"--input expects csv or jsonl, not \"" + inputFormat + "\""};
    }
    if (outputFormat == "csv") {
      batch.output.format = BatchFormat::Csv;
    } else if (outputFormat != "jsonl") {
      return UsageError{"--format expects jsonl or csv, not \"" + outputFormat + "\""};
    }
    return batch;
  }
  for (CLI::Option* o : {dateOption, timeOption, zoneOption, lonOption}) {
    if (o->count() == 0) return UsageError{o->get_name() + " is required\nRun with --help for more information."};
  }
  BirthEntries& e = request.entries;
  e.name = name;

  static const std::regex kDate(R"((\d{4})-(\d{1,2})-(\d{1,2}))");
  std::smatch m;
  if (!std::regex_match(date, m, kDate)) return UsageError{"--date expects YYYY-MM-DD, not \"" + date + "\""};
  const int year = std::stoi(m[1]);
  const int month = std::stoi(m[2]);
  const int day = std::stoi(m[3]);
  if (year < 1901 || year > 2050) return UsageError{"--date: the year must be 1901 to 2050"};
  if (month < 1 || month > 12) return UsageError{"--date: the month must be 1 to 12"};
  if (day < 1 || day > 31) return UsageError{"--date: the day must be 1 to 31"};
  e.monthIndex = month - 1;
  e.dayIndex = day - 1;
  e.dayText = std::to_string(day);
  e.yearText = std::to_string(year);

  static const std::regex kTime(R"((\d{1,2}):(\d{2}))");
  if (!std::regex_match(time, m, kTime)) return UsageError{"--time expects HH:MM, not \"" + time + "\""};
  const int hour = std::stoi(m[1]);
  const int minute = std::stoi(m[2]);
  if (hour > 23) return UsageError{"--time: the hour must be 0 to 23"};
  if (minute > 59) return UsageError{"--time: the minute must be 0 to 59"};
  e.hourText = std::to_string(hour);
  e.minuteText = std::to_string(minute);

  const std::variant<int, ZoneRefusal> resolved = ResolveZone(zone);
  if (const ZoneRefusal* refusal = std::get_if<ZoneRefusal>(&resolved)) return UsageError{refusal->message};
  e.zoneIndex = std::get<int>(resolved);

  // Degrees and minutes go to the same checks as the form's boxes, as typed.
  static const std::regex kLon(R"((\d{1,3}):(\d{1,2})([EWew]))");
  if (!std::regex_match(lon, m, kLon)) {
    return UsageError{"--lon expects DEG:MIN followed by E or W, for example 77:12E, not \"" + lon + "\""};
  }
  e.lonDeg = m[1];
  e.lonMin = m[2];
  e.east = std::toupper(static_cast<unsigned char>(m[3].str()[0])) == 'E';

  static const std::regex kLat(R"((\d{1,3}):(\d{1,2})([NSns]))");
  if (!std::regex_match(lat, m, kLat)) {
    return UsageError{"--lat expects DEG:MIN followed by N or S, for example 28:36N, not \"" + lat + "\""};
  }
  e.latDeg = m[1];
  e.latMin = m[2];
  e.south = std::toupper(static_cast<unsigned char>(m[3].str()[0])) == 'S';
  e.dst = dst;
  return request;
}

}  // namespace orbisca::cli
