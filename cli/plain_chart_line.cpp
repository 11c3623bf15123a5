#include "cli/plain_chart_line.h"

#include <string_view>

namespace orbisca::cli {
namespace {

enum class Slot { Date, Time, Zone, Lon, Lat, Place, Name, Rtf, Svg, Dst, NoDst, Json, Report };

struct PlainOption {
  std::string_view name;
  Slot slot;
  bool takesValue;
};

// The options of one chart, as DeclareOptions in chart_options.cpp names them.
constexpr PlainOption kPlainOptions[] = {
    {"--date", Slot::Date, true},
    {"--time", Slot::Time, true},
    {"--zone", Slot::Zone, true},
    {"--lon", Slot::Lon, true},
    {"--lat", Slot::Lat, true},
    {"--place", Slot::Place, true},
    {"--name", Slot::Name, true},
    {"--rtf", Slot::Rtf, true},
    {"--svg", Slot::Svg, true},
    {"--dst", Slot::Dst, false},
    {"--no-dst", Slot::NoDst, false},
    {"--json", Slot::Json, false},
    {"--report", Slot::Report, false},
};

std::string& TextOf(Slot slot, ChartLine& line) {
  OptionTexts& t = line.texts;
  switch (slot) {
    case Slot::Date: return t.date;
    case Slot::Time: return t.time;
    case Slot::Zone: return t.zone;
    case Slot::Lon: return t.lon;
    case Slot::Lat: return t.lat;
    case Slot::Place: return t.place;
    case Slot::Name: return t.name;
    case Slot::Rtf: return line.request.rtfPath;
    default: return line.request.svgPath;
  }
}

void MarkGiven(Slot slot, ChartLine& line) {
  auto& g = line.given;
  switch (slot) {
    case Slot::Date: g.date = true; break;
    case Slot::Time: g.time = true; break;
    case Slot::Zone: g.zone = true; break;
    case Slot::Lon: g.lon = true; break;
    case Slot::Lat: g.lat = true; break;
    case Slot::Place: g.place = true; break;
    default: break;
  }
}

bool& FlagOf(Slot slot, ChartLine& line) {
  switch (slot) {
    case Slot::Dst: return line.texts.dst;
    case Slot::NoDst: return line.texts.noDst;
    case Slot::Json: return line.request.json;
    default: return line.request.report;
  }
}

}  // namespace

bool ReadPlainChartLine(int argc, const char* const* argv, ChartLine& line) {
  bool seen[std::size(kPlainOptions)] = {};
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const std::size_t equals = arg.find('=');
    const std::string_view name = arg.substr(0, equals);
    std::size_t k = 0;
    while (k < std::size(kPlainOptions) && kPlainOptions[k].name != name) ++k;
    if (k == std::size(kPlainOptions) || seen[k]) return false;
    seen[k] = true;
    const PlainOption& option = kPlainOptions[k];
    if (!option.takesValue) {
      if (equals != std::string_view::npos) return false;
      FlagOf(option.slot, line) = true;
      continue;
    }
    std::string_view value;
    if (equals != std::string_view::npos) {
      value = arg.substr(equals + 1);
    } else if (i + 1 < argc) {
      value = argv[++i];
    }
    if (value.empty() || value.front() == '-') return false;
    TextOf(option.slot, line).assign(value);
    MarkGiven(option.slot, line);
  }
  return true;
}

}  // namespace orbisca::cli
