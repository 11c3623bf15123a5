#pragma once

// The chart sheet: one or two A4 pages as SVG, to print or to turn into a PDF
// (report/pdf). Page one holds the name and birth data, the moment in
// universal time, the birth particulars, the positions, the rasi and navamsa
// pictures and the mahadashas; page two, when there are aspects, their
// headings kind by kind. Only what both Qt SVG and librsvg draw is used:
// rect, line, polygon, text with x, y, font-size, font-weight, text-anchor
// and fill, and g with a translate and scale.

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "report/chart_picture.h"

namespace orbisca {

struct ChartSheet {
  std::string name;
  std::vector<std::string> birthLines;  // local date and time, zone and UTC offset, place and coordinates
  std::string instantLine;              // universal time, Julian day and sidereal shift
  std::vector<std::pair<std::string, std::string>> particulars;  // label and value: "Lagna", "Simha 14°40′"
  // Body, sign, degrees, nakshatra, pada, navamsa: one row per body, the
  // nodes and the lagna.
  std::vector<std::array<std::string, 6>> positions;
  ChartPicture rasi;     // drawn as given, but in the North Indian style without
  ChartPicture navamsa;  // the name, date and place under the square
  ChartStyle style = ChartStyle::South;
  std::string dashaBalance;                            // "Balance at birth: ..."
  std::vector<std::array<std::string, 3>> mahadashas;  // lord, from, to
  struct AspectKind {
    std::string heading;             // the kind
    std::vector<std::string> lines;  // each aspect with its separation
  };
  std::vector<AspectKind> aspects;
};

// A4 in points: each page's user units.
inline constexpr double kSheetWidth = 595.28;
inline constexpr double kSheetHeight = 841.89;

// The pages as complete SVG documents (UTF-8): one, or two when there are
// aspects. Every text is escaped and fitted into its column by the pictures'
// rules (smaller, then cut with an ellipsis); the aspect lines that do not fit
// on page two end with a line that says how many are left out.
std::vector<std::string> ChartSheetSvgPages(const ChartSheet& sheet);

}  // namespace orbisca
