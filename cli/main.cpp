// orbisca-chart: one birth chart from the command line, over the same engine
// and the same entry checks as the window program.
#include <cmath>
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>

#include "aspects/aspects.h"
#include "aspects/interpretation.h"
#include "astro/planet_position.h"
#include "cli/chart_json.h"
#include "cli/chart_options.h"
#include "cli/printf_free.h"
#include "cli/standard_output.h"
#include "report/atomic_file.h"
#include "report/report.h"
#include "report/rtf.h"
#include "report/site.h"
#include "run/calculation_run.h"
#include "run/chart_facts.h"
#include "run/chart_input.h"

namespace orbisca::cli {
namespace {

constexpr int kExitWriteFailed = 1;  // a file, or standard output, could not be written
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
void AppendSignPosition(std::string& out, const ZodiacPosition& p) {
  AppendLeft(out, kZodiacSigns[static_cast<std::size_t>(p.sign - 1)].english, 11);
  out += ' ';
  AppendInt(out, p.degrees, 2);
  out += "\u00B0";
  AppendInt(out, p.minutes, 2, true);
  out += "\u2032  ";
  out += NakshatraName(p.nakshatra);
  out += ", pada ";
  AppendInt(out, p.pada, 0);
}

// "Sun       79.2180  Gemini      19°10′  Ardra, pada 4"
void AppendBodyLine(std::string& out, std::string_view name, double longitude, const ZodiacPosition& where) {
  AppendLeft(out, name, 8);
  out += ' ';
  AppendFixed4(out, longitude, 9);
  out += "  ";
  AppendSignPosition(out, where);
  out += '\n';
}

// The bodies and the ascendant, then each kind's box without its carriage
// returns and its final line break.
std::string ChartText(const Chart& chart) {
  std::size_t boxes = 0;
  for (const AspectKindInfo& info : kAspectKinds) boxes += chart.boxes.Text(info.kind).size() + 1;
  std::string text;
  text.reserve(boxes + 80 * (chart.facts.bodies.size() + 2));
  for (const BodyPosition& b : chart.facts.bodies) AppendBodyLine(text, BodyName(b.body), b.longitude, b.where);
  AppendBodyLine(text, "Asc", chart.facts.ascendant, chart.facts.ascendantWhere);
  for (const AspectKindInfo& info : kAspectKinds) {
    const std::string& box = chart.boxes.Text(info.kind);
    if (box.empty()) continue;
    text += '\n';
    std::string_view rest = std::string_view(box).substr(0, box.size() - 2);
    for (std::size_t cr = rest.find('\r'); cr != std::string_view::npos; cr = rest.find('\r')) {
      text += rest.substr(0, cr);
      rest.remove_prefix(cr + 1);
    }
    text += rest;
  }
  text += '\n';
  return text;
}

std::string ChartJson(const Chart& c, const std::optional<PlaceFacts>& place) {
  std::string text;
  JsonText json(text, 2);
  json.BeginObject();
  WriteChartMembers(json, ValuesOf(c.input, c.facts), true);
  if (place) WritePlaceMember(json, *place);
  json.EndObject();
  text += '\n';
  return text;
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
      WriteMessage("orbisca-chart: cannot write " + EscapeControls(f.path) + ": " + *reason + "\n");
      return false;
    }
  }
  return true;
}

// `text` on standard output; the exit status. A text that cannot be written
// whole is an error, never a success.
int Print(std::string_view text) {
  if (const std::optional<std::string> reason = WriteStandardOutput(text)) {
    std::cerr << "orbisca-chart: cannot write standard output: " << *reason << '\n';
    return kExitWriteFailed;
  }
  return 0;
}

int Run(int argc, const char* const* argv) {
  const ParseResult parsed = ParseCommandLine(argc, argv);
  if (const HelpRequested* help = std::get_if<HelpRequested>(&parsed)) return Print(help->text);
  if (const UsageError* error = std::get_if<UsageError>(&parsed)) {
    // The message may echo the command line: its control bytes are escaped.
    WriteMessage("orbisca-chart: " + error->message + "\n");
    return kExitRefused;
  }
  if (const BatchRequest* batch = std::get_if<BatchRequest>(&parsed)) return RunBatch(*batch);
  if (const PlaceListing* listing = std::get_if<PlaceListing>(&parsed)) return Print(listing->text);
  const ChartRequest& request = std::get<ChartRequest>(parsed);
  if (const std::optional<EntryRefusal> refusal = CheckEntries(request.entries)) {
    std::cerr << refusal->message << '\n';
    return kExitRefused;
  }
  const Chart chart = ComputeChart(request.entries);
  if (request.place && !request.place->note.empty()) std::cerr << "Note: " << request.place->note << '\n';
  if (!WriteFiles(request, chart)) return kExitWriteFailed;
  if (request.report) return Print(ReportText(chart.boxes));
  if (request.json) return Print(ChartJson(chart, request.place));
  return Print(ChartText(chart));
}

}  // namespace
}  // namespace orbisca::cli

int main(int argc, char** argv) {
  // A write past the file-size limit then fails with a message instead of
  // killing the program halfway through the save.
  orbisca::IgnoreFileSizeSignal();
  // An interrupted batch leaves no temporary file behind.
  orbisca::RemoveTemporaryFilesOnSignals();
  return orbisca::cli::Run(argc, argv);
}
