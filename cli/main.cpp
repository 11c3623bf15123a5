// orbisca-chart: one birth chart from the command line, over the same engine
// and the same entry checks as the window program.
#include <cmath>
#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>

#include "aspects/aspects.h"
#include "aspects/interpretation.h"
#include "astro/planet_position.h"
#include "cli/chart_options.h"
#include "report/atomic_file.h"
#include "report/report.h"
#include "report/rtf.h"
#include "report/site.h"
#include "run/calculation_run.h"
#include "run/chart_facts.h"
#include "run/chart_input.h"

namespace orbisca::cli {
namespace {

constexpr int kExitWriteFailed = 1;
constexpr int kExitRefused = 2;
// The report window shows its text in Verdana 9.75 point.
constexpr double kReportPoints = 9.75;

// One chart: the record the entries filled, its positions, the result boxes
// the aspects were written into, and its signs, nakshatras and ascendant.
struct Chart {
  ChartInput input;
  ChartPositions positions;
  PlainResults boxes;
  ChartFacts facts;
};

// "Sagittarius 16°31′  Purva Ashadha, pada 2": the sign, the degrees and whole
// minutes within it, the nakshatra and its pada.
std::string SignPosition(const ZodiacPosition& p) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "%-11s %2d\u00B0%02d\u2032  %s, pada %d",
                std::string(kZodiacSigns[static_cast<std::size_t>(p.sign - 1)].english).c_str(), p.degrees, p.minutes,
                std::string(NakshatraName(p.nakshatra)).c_str(), p.pada);
  return buffer;
}

std::string WithoutCarriageReturns(std::string text) {
  std::erase(text, '\r');
  return text;
}

void PrintText(const Chart& chart) {
  for (const BodyPosition& b : chart.facts.bodies) {
    std::printf("%-8s %9.4f  %s\n", std::string(BodyName(b.body)).c_str(), b.longitude, SignPosition(b.where).c_str());
  }
  std::printf("%-8s %9.4f  %s\n", "Asc", chart.facts.ascendant, SignPosition(chart.facts.ascendantWhere).c_str());
  for (const AspectKindInfo& info : kAspectKinds) {
    const std::string& box = chart.boxes.Text(info.kind);
    if (!box.empty()) std::cout << '\n' << WithoutCarriageReturns(box.substr(0, box.size() - 2));
  }
  std::cout << '\n';
}

// The sign and nakshatra keys of a body or the ascendant.
void AddZodiac(nlohmann::ordered_json& entry, const ZodiacPosition& p) {
  entry["sign"] = p.sign;
  entry["sign_name"] = SignName(p.sign);
  entry["nakshatra"] = p.nakshatra;
  entry["nakshatra_name"] = NakshatraName(p.nakshatra);
  entry["pada"] = p.pada;
}

void PrintJson(const Chart& c) {
  nlohmann::ordered_json chart;
  chart["universal_time_hours"] = UniversalTimeHours(c.input);
  chart["sidereal_shift"] = c.positions.siderealShift;
  chart["julian_day"] = c.facts.julianDay;
  nlohmann::ordered_json bodies = nlohmann::ordered_json::array();
  for (const BodyPosition& b : c.facts.bodies) {
    nlohmann::ordered_json body = {{"name", BodyName(b.body)}, {"longitude", c.positions.planets.Longitude(b.body)}};
    AddZodiac(body, b.where);
    bodies.push_back(body);
  }
  chart["bodies"] = bodies;
  nlohmann::ordered_json ascendant = {{"longitude", c.facts.ascendant}};
  AddZodiac(ascendant, c.facts.ascendantWhere);
  chart["ascendant"] = ascendant;
  nlohmann::ordered_json aspects = nlohmann::ordered_json::array();
  for (const AspectEntry& e : FindAspects(c.positions.planets)) {
    aspects.push_back({{"kind", Info(e.kind).caption},
                       {"first", BodyName(e.first)},
                       {"second", BodyName(e.second)},
                       {"separation", e.separation},
                       {"paragraph", GetInterpretation(e.kind, e.first, e.second)}});
  }
  chart["aspects"] = aspects;
  std::cout << chart.dump(2) << '\n';
}

std::string ReportText(const PlainResults& boxes) {
  std::array<std::string, kAspectKindCount> texts;
  for (const AspectKindInfo& info : kAspectKinds) texts[Index(info.kind)] = boxes.Text(info.kind);
  return BuildReport(texts, SiteBaseAddress());
}

// The chart of accepted entries, computed as the window's run computes it.
Chart ComputeChart(const BirthEntries& entries) {
  Chart chart;
  FillChartInput(entries, chart.input);
  chart.positions = PositionsAt(InstantOf(chart.input));
  WriteAspects(FindAspects(chart.positions.planets), chart.boxes);
  chart.facts = ComputeChartFacts(chart.input);
  return chart;
}

// The files asked for, each written whole or not at all; false (with the
// message given) at the first that cannot be written.
bool WriteFiles(const ChartRequest& request, const Chart& chart) {
  struct File {
    const std::string& path;
    std::string (*content)(const Chart&);
  };
  const File files[] = {
      {request.rtfPath,
       [](const Chart& c) { return EncodeRtf(ReportText(c.boxes), RtfHalfPoints(kReportPoints)); }},
      {request.svgPath, [](const Chart& c) { return ChartPictureSvg(PictureOfChart(c.input, c.facts, "")); }},
  };
  for (const File& f : files) {
    if (f.path.empty()) continue;
    if (const std::optional<std::string> reason = WriteFileAtomically(f.path, f.content(chart))) {
      std::cerr << "orbisca-chart: cannot write " << f.path << ": " << *reason << '\n';
      return false;
    }
  }
  return true;
}

int Run(int argc, const char* const* argv) {
  const ParseResult parsed = ParseCommandLine(argc, argv);
  if (const HelpRequested* help = std::get_if<HelpRequested>(&parsed)) {
    std::cout << help->text;
    return 0;
  }
  if (const UsageError* error = std::get_if<UsageError>(&parsed)) {
    std::cerr << "orbisca-chart: " << error->message << '\n';
    return kExitRefused;
  }
  const ChartRequest& request = std::get<ChartRequest>(parsed);
  if (const std::optional<EntryRefusal> refusal = CheckEntries(request.entries)) {
    std::cerr << refusal->message << '\n';
    return kExitRefused;
  }
  const Chart chart = ComputeChart(request.entries);
  if (!WriteFiles(request, chart)) return kExitWriteFailed;
  if (request.report) {
    std::cout << ReportText(chart.boxes);
  } else if (request.json) {
    PrintJson(chart);
  } else {
    PrintText(chart);
  }
  return 0;
}

}  // namespace
}  // namespace orbisca::cli

int main(int argc, char** argv) {
  // A write past the file-size limit then fails with a message instead of
  // killing the program halfway through the save.
  orbisca::IgnoreFileSizeSignal();
  return orbisca::cli::Run(argc, argv);
}
