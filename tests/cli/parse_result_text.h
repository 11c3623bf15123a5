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
    const Birth& b = chart->birth;
    const auto number = [](int n) { return std::to_string(n) + "|"; };
    const ZoneOffset* offset = std::get_if<ZoneOffset>(&b.zone);
    std::string text = "chart|" + b.name + "|" + number(b.year) + number(b.month) + number(b.day) + number(b.hour) +
                       number(b.minute) +
                       (offset ? "@" + std::to_string(offset->minutesEast) + offset->iana
                               : std::to_string(std::get<ZoneRow>(b.zone).row)) +
                       "|" + number(b.lonDegrees) + number(b.lonMinutes) + number(b.latDegrees) +
                       number(b.latMinutes) + flag(b.east) + flag(b.south) + flag(b.dst) + "|" +
                       flag(chart->json) + flag(chart->report) + "|" + chart->rtfPath + "|" + chart->svgPath + "|";
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
