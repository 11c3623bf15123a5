#include "report/chart_picture.h"

#include <algorithm>
#include <string_view>

#include "report/north_chart.h"
#include "report/svg_text.h"

namespace orbisca {
namespace {

using svg::DecodeForXml;
using svg::FitText;
using svg::FittedText;
using svg::Number;
using svg::TextElement;
using svg::WidthEm;

constexpr double kCentreLeft = kCellSize;
constexpr double kCentreWidth = 2.0 * kCellSize;
constexpr double kCentrePadding = 12.0;
constexpr double kCellPadding = 5.0;
constexpr double kCaptionHeight = 15.0;  // the sign's name at the top of its cell
const SignCell* CellOf(int sign) {
  for (const SignCell& c : kSignCells)
    if (c.sign == sign) return &c;
  return nullptr;
}

// One sign's cell: its frame, its caption and its marks one under another,
// smaller when many share the sign.
std::string DrawCell(const SignCell& cell, const std::string& caption, const std::vector<const PictureMark*>& marks) {
  const double left = cell.column * kCellSize;
  const double top = cell.row * kCellSize;
  std::string out = "<rect x=\"" + Number(left) + "\" y=\"" + Number(top) + "\" width=\"" + Number(kCellSize) +
                    "\" height=\"" + Number(kCellSize) + "\" class=\"cell\" fill=\"#fffdf6\" stroke=\"#4a4a4a\" stroke-width=\"1.5\"/>\n";
  if (!caption.empty()) {
    const FittedText t = FitText(DecodeForXml(caption), 9.0, kCellSize - 2.0 * kCellPadding, false);
    out += TextElement(left + kCellPadding, top + 12.0, t, " class=\"caption\" fill=\"#7a7a7a\"");
  }
  if (marks.empty()) return out;
  // Baselines 1.2 sizes apart; the last line's descent (a quarter size) stays
  // inside the cell.
  const double room = kCellSize - kCaptionHeight - kCellPadding;
  const double n = static_cast<double>(marks.size());
  const double size = std::min(13.0, room / (1.2 * (n - 1.0) + 1.25));
  for (std::size_t i = 0; i < marks.size(); ++i) {
    const PictureMark& m = *marks[i];
    const FittedText t =
        FitText(DecodeForXml(MarkText(m)), size, kCellSize - 2.0 * kCellPadding, m.lagna);
    const double baseline = top + kCaptionHeight + size + 1.2 * size * static_cast<double>(i);
    out += TextElement(left + kCellPadding, baseline, t, m.lagna ? " class=\"mark lagna\" fill=\"#a00000\" font-weight=\"bold\"" : " class=\"mark\" fill=\"#1a1a1a\"");
  }
  return out;
}

// A line of the centre: at its preferred size when it fits, else smaller
// down to kCentreSmallest, else broken between words into lines of that size
// (a place's long name wraps rather than losing its end). Only a single word
// too long for the width is fitted as any text is.
std::vector<FittedText> CentreLines(const std::u32string& text, double width) {
  constexpr double kPreferred = 13.0, kCentreSmallest = 10.0;
  if (WidthEm(text, false) * kCentreSmallest <= width) return {FitText(text, kPreferred, width, false)};
  std::vector<FittedText> lines;
  std::u32string line;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find(U' ', start), text.size());
    const std::u32string word = text.substr(start, end - start);
    const std::u32string longer = line.empty() ? word : line + U' ' + word;
    if (line.empty() || WidthEm(longer, false) * kCentreSmallest <= width) {
      line = longer;
    } else {
      lines.push_back(FitText(line, kCentreSmallest, width, false));
      line = word;
    }
    start = end + 1;
  }
  if (!line.empty()) lines.push_back(FitText(line, kCentreSmallest, width, false));
  return lines;
}

std::string DrawCentre(const ChartPicture& picture) {
  const double width = kCentreWidth - 2.0 * kCentrePadding;
  const double middle = kCentreLeft + kCentreWidth / 2.0;
  std::string out = TextElement(middle, 170.0, FitText(DecodeForXml(picture.name), 18.0, width, true),
                                " class=\"centre name\" text-anchor=\"middle\" font-weight=\"bold\" fill=\"#1a1a1a\"");
  double baseline = 200.0;
  std::vector<std::string> lines{picture.localDateTime};
  lines.insert(lines.end(), picture.placeLines.begin(), picture.placeLines.end());
  for (const std::string& line : lines) {
    for (const FittedText& part : CentreLines(DecodeForXml(line), width)) {
      if (baseline > kCentreLeft + kCentreWidth - kCentrePadding) break;
      out += TextElement(middle, baseline, part, " class=\"centre\" text-anchor=\"middle\" fill=\"#1a1a1a\"");
      baseline += part.size * 1.3;
    }
    baseline += 20.0 - 13.0 * 1.3;  // 20 apart from one line of the picture's to the next
  }
  return out;
}

std::string Description(const ChartPicture& picture) {
  std::string out;
  for (const PictureMark& m : picture.marks) {
    if (!CellOf(m.sign)) continue;
    if (!out.empty()) out += "; ";
    const std::string& sign = picture.signNames[static_cast<std::size_t>(m.sign - 1)];
    out += MarkText(m) + " in " + (sign.empty() ? "sign " + std::to_string(m.sign) : sign);
  }
  return out;
}

}  // namespace

double ConservativeWidthEm(const std::string& utf8Text, bool bold) {
  return svg::WidthEm(DecodeForXml(utf8Text), bold);
}

ChartDrawing DrawChartPicture(const ChartPicture& picture, ChartStyle style) {
  if (style == ChartStyle::North) return DrawNorthChart(picture);
  ChartDrawing drawing{{}, kPictureSize};
  for (const SignCell& cell : kSignCells) {
    std::vector<const PictureMark*> marks;
    for (const PictureMark& m : picture.marks)
      if (m.sign == cell.sign) marks.push_back(&m);
    drawing.elements += DrawCell(cell, picture.signNames[static_cast<std::size_t>(cell.sign - 1)], marks);
  }
  drawing.elements += DrawCentre(picture);
  return drawing;
}

std::string ChartPictureSvg(const ChartPicture& picture, ChartStyle style) {
  const ChartDrawing drawing = DrawChartPicture(picture, style);
  return svg::DocumentStart(kPictureSize, drawing.height, picture.chartName + " of " + picture.name,
                            Description(picture)) +
         drawing.elements + "</svg>\n";
}

}  // namespace orbisca
