// orbisca-chart: one birth chart from the command line, over the same engine
// and the same entry checks as the window program.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>

#include "aspects/aspects.h"
#include "aspects/interpretation.h"
#include "cli/chart_options.h"
#include "report/report.h"
#include "report/rtf.h"
#include "report/site.h"
#include "run/calculation_run.h"
#include "run/chart_input.h"
#include "run/records.h"

namespace orbisca::cli {
namespace {

constexpr int kExitWriteFailed = 1;
constexpr int kExitRefused = 2;
// The report window shows its text in Verdana 9.75 point.
constexpr double kReportPoints = 9.75;

constexpr std::array<const char*, 12> kSigns = {"Aries", "Taurus", "Gemini", "Cancer", "Leo", "Virgo",
                                                "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};

class CommandView final : public BirthDataView {
 public:
  explicit CommandView(const BirthEntries& entries) : entries_(entries) {}
  BirthEntries Entries() const override { return entries_; }
  void Refuse(const EntryRefusal& refusal) override { refusal_ = std::string(refusal.message); }
  ResultsSink& Results() override { return results_; }
  void ShowResults() override {}

  const std::string& Refusal() const { return refusal_; }
  const PlainResults& Boxes() const { return results_; }

 private:
  BirthEntries entries_;
  std::string refusal_;
  PlainResults results_;
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

void PrintText(const PlainResults& boxes) {
  const PlanetTable& table = Records().Planets;
  for (Body b : kAllBodies) {
    const double lon = table.Longitude(b);
    std::printf("%-8s %9.4f  %s\n", std::string(BodyName(b)).c_str(), lon, SignPosition(lon).c_str());
  }
  for (const AspectKindInfo& info : kAspectKinds) {
    const std::string& box = boxes.Text(info.kind);
    if (!box.empty()) std::cout << '\n' << WithoutCarriageReturns(box.substr(0, box.size() - 2));
  }
  std::cout << '\n';
}

void PrintJson() {
  const ProgramRecords& r = Records();
  nlohmann::ordered_json chart;
  chart["universal_time_hours"] = UniversalTimeHours(r.Input);
  chart["sidereal_shift"] = r.SiderealShift;
  nlohmann::ordered_json bodies = nlohmann::ordered_json::array();
  for (Body b : kAllBodies) bodies.push_back({{"name", BodyName(b)}, {"longitude", r.Planets.Longitude(b)}});
  chart["bodies"] = bodies;
  nlohmann::ordered_json aspects = nlohmann::ordered_json::array();
  for (const AspectEntry& e : FindAspects(r.Planets)) {
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

// Writes the whole file under a temporary name beside it and renames it into
// place, so that a failed write never leaves a partial file or harms an
// earlier one. Returns the reason of a failure, empty on success.
std::string WriteAtomically(const std::string& path, const std::string& content) {
  std::string temp = path + ".XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) return std::strerror(errno);
  std::size_t done = 0;
  while (done < content.size()) {
    const ssize_t n = write(fd, content.data() + done, content.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      const std::string reason = std::strerror(errno);
      close(fd);
      unlink(temp.c_str());
      return reason;
    }
    done += static_cast<std::size_t>(n);
  }
  // A new file gets the usual permissions (mkstemp makes it private).
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);
  if (fsync(fd) != 0 || close(fd) != 0) {
    const std::string reason = std::strerror(errno);
    unlink(temp.c_str());
    return reason;
  }
  if (rename(temp.c_str(), path.c_str()) != 0) {
    const std::string reason = std::strerror(errno);
    unlink(temp.c_str());
    return reason;
  }
  return {};
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
  if (const BatchRequest* batch = std::get_if<BatchRequest>(&parsed)) return RunBatch(*batch);
  const ChartRequest& request = std::get<ChartRequest>(parsed);
  CommandView view(request.entries);
  if (!RunChart(view)) {
    std::cerr << view.Refusal() << '\n';
    return kExitRefused;
  }
  if (!request.rtfPath.empty()) {
    const std::string rtf = EncodeRtf(ReportText(view.Boxes()), RtfHalfPoints(kReportPoints));
    const std::string reason = WriteAtomically(request.rtfPath, rtf);
    if (!reason.empty()) {
      std::cerr << "orbisca-chart: cannot write " << request.rtfPath << ": " << reason << '\n';
      return kExitWriteFailed;
    }
  }
  if (request.report) {
    std::cout << ReportText(view.Boxes());
  } else if (request.json) {
    PrintJson();
  } else {
    PrintText(view.Boxes());
  }
  return 0;
}

}  // namespace
}  // namespace orbisca::cli

int main(int argc, char** argv) { return orbisca::cli::Run(argc, argv); }
