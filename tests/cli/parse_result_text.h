#pragma once

// Everything a parse of orbisca-chart's command line decided, as one text, so
// that two parses can be compared whole and a difference read in a message.
#include <string>
#include <variant>

#include "cli/chart_options.h"

namespace orbisca::cli {

inline std::string ParseResultText(const ParseResult& result) {
  const auto flag = [](bool b) { return std::string(b ? "1" : "0"); };
  if (const auto* chart = std::get_if<ChartRequest>(&result)) {
    const BirthEntries& e = chart->entries;
    std::string text = "chart|" + e.name + "|" + std::to_string(e.monthIndex) + "|" + std::to_string(e.dayIndex) +
                       "|" + e.dayText + "|" + e.yearText + "|" + e.hourText + "|" + e.minuteText + "|" +
                       std::to_string(e.zoneIndex) + "|" +
                       (e.zoneOffsetMinutes ? std::to_string(*e.zoneOffsetMinutes) : "-") + "|" + e.lonDeg + "|" +
                       e.lonMin + "|" + e.latDeg + "|" + e.latMin + "|" + flag(e.east) + flag(e.south) +
                       flag(e.dst) + "|" + flag(chart->json) + flag(chart->report) + "|" + chart->rtfPath + "|" +
                       chart->svgPath + "|";
    if (chart->place) {
      text += std::to_string(chart->place->place.geonameId) + "@" + std::to_string(chart->place->offsetMinutes) +
              flag(chart->place->dst) + chart->place->note;
    }
    return text;
  }
  if (const auto* batch = std::get_if<BatchRequest>(&result)) {
    return "batch|" + batch->inputPath + "|" +
           (batch->inputFormat ? std::to_string(static_cast<int>(*batch->inputFormat)) : "-") + "|" +
           std::to_string(static_cast<int>(batch->output.format)) + flag(batch->output.paragraphs) + "|" +
           batch->outputPath + "|" + std::to_string(batch->jobs) + flag(batch->quiet);
  }
  if (const auto* error = std::get_if<UsageError>(&result)) return "usage|" + error->message;
  if (const auto* help = std::get_if<HelpRequested>(&result)) return "help|" + help->text;
  return "places|" + std::get<PlaceListing>(result).text;
}

}  // namespace orbisca::cli
