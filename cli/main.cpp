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
#include "run/chart_input.h"

namespace orbisca::cli {
namespace {

constexpr int kExitWriteFailed = 1;
constexpr int kExitRefused = 2;
// The report window shows its text in Verdana 9.75 point.
constexpr double kReportPoints = 9.75;

constexpr std::array<const char*, 12> kSigns = {"Aries", "Taurus", "Gemini", "Cancer", "Leo", "Virgo",
                                                "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};

// One chart: the record the entries filled, its positions and the result
// boxes the aspects were written into.
struct Chart {
  ChartInput input;
  ChartPositions positions;
  PlainResults boxes;
};

// "Sagittarius 16°31′": the sign and the degrees and whole minutes within it.
std::string SignPosition(double longitude) {
  const int sign = static_cast<int>(longitude / 30.0) % 12;
  const double inSign = longitude - 30.0 * sign;
  int degrees = static_cast<int>(inSign);
  int minutes = static_cast<int>((inSign - degrees) * 60.0);
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%-11s %2d\u00B0%02d\u2032", kSigns[static_cast<std::size_t>(sign)], degrees, minutes);
  return buffer;
}

std::string WithoutCarriageReturns(std::string text) {
  std::erase(text, '\r');
  return text;
}

void PrintText(const Chart& chart) {
  for (Body b : kAllBodies) {
    const double lon = chart.positions.planets.Longitude(b);
    std::printf("%-8s %9.4f  %s\n", std::string(BodyName(b)).c_str(), lon, SignPosition(lon).c_str());
  }
  for (const AspectKindInfo& info : kAspectKinds) {
    const std::string& box = chart.boxes.Text(info.kind);
    if (!box.empty()) std::cout << '\n' << WithoutCarriageReturns(box.substr(0, box.size() - 2));
  }
  std::cout << '\n';
}

void PrintJson(const Chart& c) {
  nlohmann::ordered_json chart;
  chart["universal_time_hours"] = UniversalTimeHours(c.input);
  chart["sidereal_shift"] = c.positions.siderealShift;
  nlohmann::ordered_json bodies = nlohmann::ordered_json::array();
  for (Body b : kAllBodies) bodies.push_back({{"name", BodyName(b)}, {"longitude", c.positions.planets.Longitude(b)}});
  chart["bodies"] = bodies;
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
  return chart;
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
  if (!request.rtfPath.empty()) {
    const std::string rtf = EncodeRtf(ReportText(chart.boxes), RtfHalfPoints(kReportPoints));
    if (const std::optional<std::string> reason = WriteFileAtomically(request.rtfPath, rtf)) {
      std::cerr << "orbisca-chart: cannot write " << request.rtfPath << ": " << *reason << '\n';
      return kExitWriteFailed;
    }
  }
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
