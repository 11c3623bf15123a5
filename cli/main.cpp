// orbisca-chart: one birth chart from the command line, over the same engine
// and the same entry checks as the window program.
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "aspects/aspects.h"
#include "cli/births_command.h"
#include "cli/chart_json.h"
#include "cli/chart_options.h"
#include "cli/standard_output.h"
#include "report/atomic_file.h"
#include "report/chart_sheet.h"
#include "report/pdf/pdf_file.h"
#include "report/report.h"
#include "report/rtf.h"
#include "report/site.h"
#include "run/chart.h"
#include "run/chart_picture_of.h"
#include "run/chart_sheet_of.h"
#include "run/vedic_text.h"

namespace orbisca::cli {
namespace {

constexpr int kExitWriteFailed = 1;  // a file, or standard output, could not be written
constexpr int kExitRefused = 2;
constexpr int kExitRefusedRecord = 1;
// The report window shows its text in Verdana 9.75 point.
constexpr double kReportPoints = 9.75;

// "Sun       79.2180  Gemini      19°10′  Ardra, pada 4": the name, the
// longitude, the sign, the degrees and whole minutes within it, the
// nakshatra and its pada.
void AppendBodyLine(std::string& out, std::string_view name, double longitude, const ZodiacPosition& p) {
  char line[160];
  std::snprintf(line, sizeof line, "%-8s %9.4f  %-11s %2d\u00B0%02d\u2032  %s, pada %d\n", std::string(name).c_str(),
                longitude, std::string(kZodiacSigns[static_cast<std::size_t>(p.sign - 1)].english).c_str(),
                p.degrees, p.minutes, std::string(NakshatraName(p.nakshatra)).c_str(), p.pada);
  out += line;
}

// The particulars, then the mahadashas with their dates on the birth's clock
// and the person's age at each start.
void AppendVedicLines(std::string& out, const Birth& birth, const Chart& chart) {
  out += '\n' + ParticularsLine(chart) + "\n\n";
  const double offset = chart.instant.clockOffsetHours;
  out += "Vimshottari dasha, years of " + std::string(DashaYearName(chart.dasha.year)) + ", dates on the birth's clock (" +
         ClockOffsetName(offset) + ")\n" + BalanceLine(chart.dasha.balance) + "\n";
  for (const DashaPeriod& d : chart.dasha.periods) {
    const std::string age = AgeAt(birth, chart, d.start);
    char line[160];
    std::snprintf(line, sizeof line, "%-8s %s to %s  %s\n", std::string(LordName(d.lord)).c_str(),
                  ClockDateTime(d.start, offset).c_str(), ClockDateTime(d.end, offset).c_str(),
                  age.empty() ? "began before birth" : ("from age " + age).c_str());
    out += line;
  }
}

// The bodies, the nodes and the ascendant, the particulars and the
// mahadashas, then each kind's entries without their carriage returns and
// the last line break.
std::string ChartText(const Birth& birth, const Chart& chart) {
  std::string text;
  for (const BodyPosition& b : chart.bodies) AppendBodyLine(text, BodyName(b.body), b.longitude, b.where);
  for (const NodePosition& n : chart.nodes) AppendBodyLine(text, NodeName(n.node), n.longitude, n.where);
  AppendBodyLine(text, "Asc", chart.ascendant.longitude, chart.ascendant.where);
  AppendVedicLines(text, birth, chart);
  for (const std::string& kind : KindTexts(chart.aspects)) {
    if (kind.empty()) continue;
    text += '\n';
    for (char c : std::string_view(kind).substr(0, kind.size() - 2)) {
      if (c != '\r') text += c;
    }
  }
  text += '\n';
  return text;
}

std::string ChartJson(const Chart& chart, const std::optional<PlaceFacts>& place) {
  JsonWriter json(2);
  json.BeginObject();
  WriteChartMembers(json, chart, {.paragraphs = true, .vargas = true});
  if (place) WritePlaceMember(json, *place);
  json.EndObject();
  std::string text;
  json.Finish(text);
  return text + '\n';
}

std::string ReportText(const Chart& chart) { return BuildReport(KindTexts(chart.aspects), SiteBaseAddress()); }

// The files asked for, each written whole or not at all; false (with the
// message given) at the first that cannot be written. The sheet's PDF is
// made before any file is written: without the PDF module none is.
bool WriteFiles(const ChartRequest& request, const Chart& chart) {
  struct File {
    const std::string& path;
    std::string content;
  };
  std::vector<File> files;
  if (!request.pdfPath.empty()) {
    const std::string placeName = request.birth.place ? request.birth.place->text : std::string();
    std::string error;
    std::optional<std::string> pdf = pdf::PdfOfSvgPages(
        ChartSheetSvgPages(ChartSheetOf(request.birth, chart, placeName, request.style)), error);
    if (!pdf) {
      WriteMessage("orbisca-chart: cannot write " + EscapeControls(request.pdfPath) + ": " + error + "\n");
      return false;
    }
    files.push_back({request.pdfPath, std::move(*pdf)});
  }
  if (!request.rtfPath.empty())
    files.push_back({request.rtfPath, EncodeRtf(ReportText(chart), RtfHalfPoints(kReportPoints))});
  if (!request.svgPath.empty())
    files.push_back({request.svgPath, VargaPictureSvg(request.birth, chart, "", request.varga, request.style)});
  for (const File& f : files) {
    if (const std::optional<std::string> reason = WriteFileAtomically(f.path, f.content)) {
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
  if (const std::string refusal = BirthRefusal(request.birth); !refusal.empty()) {
    std::cerr << refusal << '\n';
    // A saved birth refused is a refused record, as in the births commands.
    return request.saved ? kExitRefusedRecord : kExitRefused;
  }
  const Chart chart = ComputeChart(request.birth, request.options);
  if (request.place && !request.place->note.empty()) std::cerr << "Note: " << request.place->note << '\n';
  if (!WriteFiles(request, chart)) return kExitWriteFailed;
  if (request.report) return Print(ReportText(chart));
  if (request.json) return Print(ChartJson(chart, request.place));
  return Print(ChartText(request.birth, chart));
}

}  // namespace
}  // namespace orbisca::cli

int main(int argc, char** argv) {
  // A write past the file-size limit then fails with a message instead of
  // killing the program halfway through the save.
  orbisca::IgnoreFileSizeSignal();
  // An interrupted batch leaves no temporary file behind.
  orbisca::RemoveTemporaryFilesOnSignals();
  // `orbisca-chart births ...`: the library of births.
  if (argc > 1 && std::string_view(argv[1]) == "births") return orbisca::cli::RunBirthsCommand(argc - 1, argv + 1);
  return orbisca::cli::Run(argc, argv);
}
