#pragma once

#include <optional>
#include <string>
#include <variant>

#include "cli/batch.h"
#include "cli/birth_options.h"
#include "cli/place_option.h"
#include "report/chart_picture.h"
#include "run/chart.h"

namespace orbisca::cli {

struct ChartRequest {
  Birth birth;
  bool json = false;
  bool report = false;
  std::string rtfPath;  // empty: no RTF file
  std::string svgPath;  // empty: no picture file
  std::string pdfPath;  // empty: no chart sheet
  Varga varga = Varga::D1;                 // --varga, the picture's
  ChartStyle style = ChartStyle::South;    // --style, the picture's and the sheet's
  std::optional<PlaceFacts> place;  // --place
  ChartOptions options{.dashaLevels = 2};  // --node, --dasha-year, --dasha-levels
  bool saved = false;  // --birth: the library's birth, whose refusal is a refused record (exit status 1)
};

// --places QUERY: the matching places, listed.
struct PlaceListing {
  std::string text;
};

// --help or --version: the text to print (exit status 0).
struct HelpRequested {
  std::string text;
};
// What the command line asked for, or a usage message (exit status 2), or
// the help text.
using ParseResult = std::variant<ChartRequest, BatchRequest, UsageError, HelpRequested, PlaceListing>;

ParseResult ParseCommandLine(int argc, const char* const* argv);

}  // namespace orbisca::cli
