#include "report/chart_sheet.h"

#include <algorithm>

#include "report/svg_text.h"

namespace orbisca {
namespace {

using svg::DecodeForXml;
using svg::FitText;
using svg::Number;
using svg::TextElement;

constexpr double kMargin = 40.0;
constexpr double kContentWidth = kSheetWidth - 2.0 * kMargin;
constexpr double kColumnGap = 15.0;
constexpr double kHalfWidth = (kContentWidth - kColumnGap) / 2.0;
constexpr double kRightColumn = kMargin + kHalfWidth + kColumnGap;
constexpr double kBottom = kSheetHeight - kMargin;
constexpr double kTextSize = 9.5;
constexpr double kRowHeight = 13.0;
constexpr double kCellGap = 4.0;  // between a column's text and the next column

constexpr char kInk[] = " fill=\"#1a1a1a\"";

// One line of text from its left end (or its middle), fitted into width.
std::string Line(double x, double y, const std::string& text, double size, double width, const char* cls,
                 bool bold = false, bool middle = false) {
  std::string attributes = std::string(" class=\"") + cls + "\"" + (middle ? " text-anchor=\"middle\"" : "") +
                           (bold ? " font-weight=\"bold\"" : "") + kInk;
  return TextElement(x, y, FitText(DecodeForXml(text), size, width, bold), attributes);
}

std::string Rule(double x1, double x2, double y) {
  return "<line x1=\"" + Number(x1) + "\" y1=\"" + Number(y) + "\" x2=\"" + Number(x2) + "\" y2=\"" + Number(y) +
         "\" stroke=\"#7a7a7a\" stroke-width=\"0.6\"/>\n";
}

struct Column {
  double x, width;
};

// A heading, a bold header row and the rows under it, each cell fitted into
// its column; y is the heading's baseline on entry and the last row's after.
template <std::size_t N>
std::string Table(const std::string& heading, const std::array<Column, N>& columns,
                  const std::array<std::string, N>& header, const std::vector<std::array<std::string, N>>& rows,
                  double& y) {
  const double left = columns.front().x;
  const double right = columns.back().x + columns.back().width;
  std::string out = Line(left, y, heading, 11.0, right - left, "sheet heading", true);
  const auto row = [&](const std::array<std::string, N>& cells, bool bold) {
    y += kRowHeight;
    for (std::size_t i = 0; i < N; ++i)
      out += Line(columns[i].x, y, cells[i], kTextSize, columns[i].width - kCellGap, "sheet cell", bold);
  };
  y += 3.0;
  row(header, true);
  out += Rule(left, right, y + 3.5);
  y += 2.0;
  for (const auto& cells : rows) row(cells, false);
  return out;
}

// A picture under its caption, as large as the width and the room left allow.
// The North Indian picture goes without the lines under its square: the
// caption names it and the page's head names the person.
std::string ChartWithCaption(ChartPicture picture, ChartStyle style, const std::string& caption, double x, double y,
                             double width, double room) {
  if (style == ChartStyle::North) {
    picture.name.clear();
    picture.localDateTime.clear();
    picture.placeLines.clear();
  }
  const ChartDrawing drawing = DrawChartPicture(picture, style);
  const double scale = std::max(0.1, std::min(width / kPictureSize, (room - 16.0) / drawing.height));
  const double drawnWidth = kPictureSize * scale;
  const double left = x + (width - drawnWidth) / 2.0;
  std::string out = Line(x + width / 2.0, y + 11.0, caption, 11.0, width, "sheet heading", true, true);
  out += "<g transform=\"translate(" + Number(left) + " " + Number(y + 16.0) + ") scale(" + Number(scale) + ")\">\n";
  out += drawing.elements;
  out += "</g>\n";
  return out;
}

std::string PageOne(const ChartSheet& sheet) {
  std::string out = Line(kMargin, 62.0, sheet.name, 18.0, kContentWidth, "sheet name", true);
  double y = 66.0;
  std::vector<std::string> lines = sheet.birthLines;
  lines.push_back(sheet.instantLine);
  for (const std::string& line : lines) {
    y += 14.0;
    out += Line(kMargin, y, line, 10.0, kContentWidth, "sheet");
  }
  y += 10.0;
  out += Rule(kMargin, kMargin + kContentWidth, y);

  // Left: the birth particulars; right: the mahadashas.
  double left = y + 20.0;
  out += Line(kMargin, left, "Birth particulars", 11.0, kHalfWidth, "sheet heading", true);
  left += 3.0;
  for (const auto& [label, value] : sheet.particulars) {
    left += kRowHeight;
    out += Line(kMargin, left, label, kTextSize, 72.0 - kCellGap, "sheet cell");
    out += Line(kMargin + 72.0, left, value, kTextSize, kHalfWidth - 72.0, "sheet cell");
  }
  double right = y + 20.0;
  const std::array<Column, 3> dashaColumns = {{{kRightColumn, 70.0}, {kRightColumn + 70.0, 90.0},
                                                {kRightColumn + 160.0, kHalfWidth - 160.0}}};
  out += Table("Vimshottari mahadasha", dashaColumns, {"Lord", "From", "To"}, sheet.mahadashas, right);
  if (!sheet.dashaBalance.empty()) {
    right += kRowHeight + 2.0;
    out += Line(kRightColumn, right, sheet.dashaBalance, kTextSize, kHalfWidth, "sheet cell");
  }

  y = std::max(left, right) + 26.0;
  // The sign columns are the widest: "Dhanu (Sagittarius)" at full size.
  const std::array<Column, 6> positionColumns = {{{kMargin, 55.0}, {kMargin + 55.0, 125.0},
                                                   {kMargin + 180.0, 56.0}, {kMargin + 236.0, 112.0},
                                                   {kMargin + 348.0, 34.0}, {kMargin + 382.0, kContentWidth - 382.0}}};
  out += Table("Positions", positionColumns, {"Body", "Sign", "Degrees", "Nakshatra", "Pada", "Navamsa"},
               sheet.positions, y);

  y += 18.0;
  const double room = kBottom - y;
  out += ChartWithCaption(sheet.rasi, sheet.style, "Rasi", kMargin, y, kHalfWidth, room);
  out += ChartWithCaption(sheet.navamsa, sheet.style, "Navamsa", kRightColumn, y, kHalfWidth, room);
  return out;
}

// The aspect headings in two columns; what does not fit is counted in a last line.
std::string PageTwo(const ChartSheet& sheet) {
  std::string out = Line(kMargin, 62.0, "Aspects", 14.0, kContentWidth, "sheet heading", true);
  struct Item {
    const std::string* text;
    bool heading;
  };
  std::vector<Item> items;
  for (const ChartSheet::AspectKind& kind : sheet.aspects) {
    items.push_back({&kind.heading, true});
    for (const std::string& line : kind.lines) items.push_back({&line, false});
  }
  const double top = 62.0 + 8.0;
  const auto perColumn = static_cast<std::size_t>((kBottom - top) / kRowHeight);
  const std::size_t capacity = 2 * perColumn;
  const bool cut = items.size() > capacity;
  const std::size_t shown = cut ? capacity - 1 : items.size();
  for (std::size_t i = 0; i < shown; ++i) {
    const double x = i < perColumn ? kMargin : kRightColumn;
    const double y = top + kRowHeight * static_cast<double>(i % perColumn + 1);
    out += Line(x + (items[i].heading ? 0.0 : 8.0), y, *items[i].text, items[i].heading ? 10.5 : kTextSize,
                kHalfWidth - (items[i].heading ? 0.0 : 8.0), items[i].heading ? "sheet heading" : "sheet cell",
                items[i].heading);
  }
  if (cut) {
    std::size_t left = 0;
    for (std::size_t i = shown; i < items.size(); ++i) left += items[i].heading ? 0 : 1;
    std::string more = "(";
    more += std::to_string(left);
    more += " more not shown)";
    out += Line(kRightColumn + 8.0, top + kRowHeight * static_cast<double>(perColumn), more, kTextSize,
                kHalfWidth - 8.0, "sheet cell");
  }
  return out;
}

}  // namespace

std::vector<std::string> ChartSheetSvgPages(const ChartSheet& sheet) {
  std::vector<std::string> bodies{PageOne(sheet)};
  if (!sheet.aspects.empty()) bodies.push_back(PageTwo(sheet));
  std::vector<std::string> pages;
  for (std::size_t i = 0; i < bodies.size(); ++i) {
    const std::string page = "Page " + std::to_string(i + 1) + " of " + std::to_string(bodies.size());
    pages.push_back(svg::DocumentStart(kSheetWidth, kSheetHeight, "Chart sheet of " + sheet.name, page) + bodies[i] +
                    "</svg>\n");
  }
  return pages;
}

}  // namespace orbisca
