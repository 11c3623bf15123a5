#include "report/north_chart.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "report/svg_text.h"

namespace orbisca {
namespace {

using svg::DecodeForXml;
using svg::FitText;
using svg::FittedText;
using svg::Number;
using svg::TextElement;

constexpr double kSize = kPictureSize;  // the same 400-unit square as the South Indian picture
constexpr double kPadding = 4.0;
constexpr double kLargestMark = 13.0;
constexpr double kSmallestMark = 5.0;  // below the text size a crowded house still takes
constexpr double kTinyMark = 2.0;      // the last resort, so that no mark leaves its house
constexpr double kNumberSize = 10.0;
constexpr double kLegendPadding = 12.0;

struct Span {  // an interval, across or down
  double left, right;
};

// Where a horizontal line at y crosses a convex polygon, if it does.
std::optional<Span> SpanAt(const NorthPoint* corners, int count, double y) {
  std::optional<Span> span;
  const auto widen = [&span](double x) {
    if (!span) span = Span{x, x};
    span->left = std::min(span->left, x);
    span->right = std::max(span->right, x);
  };
  for (int i = 0; i < count; ++i) {
    const NorthPoint a = corners[i], b = corners[(i + 1) % count];
    if (y < std::min(a.y, b.y) || y > std::max(a.y, b.y)) continue;
    if (a.y == b.y) {
      widen(a.x);
      widen(b.x);
    } else {
      widen(a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y));
    }
  }
  return span;
}

// The top and bottom of a house's mark area.
Span Heights(const NorthHouse& h) {
  Span extent{h.markArea[0].y, h.markArea[0].y};
  for (int i = 1; i < h.markCorners; ++i) {
    extent.left = std::min(extent.left, h.markArea[static_cast<std::size_t>(i)].y);
    extent.right = std::max(extent.right, h.markArea[static_cast<std::size_t>(i)].y);
  }
  return extent;
}

// The widest span a text line from top to bottom may take inside the area:
// for a convex polygon, the narrower of the spans at the two edges of the line.
Span LineSpan(const NorthHouse& h, double top, double bottom) {
  const auto a = SpanAt(h.markArea.data(), h.markCorners, top);
  const auto b = SpanAt(h.markArea.data(), h.markCorners, bottom);
  if (!a || !b) return {0.0, 0.0};
  return {std::max(a->left, b->left) + kPadding, std::min(a->right, b->right) - kPadding};
}

struct PlacedLine {
  double baseline;
  Span span;
};

// Baselines 1.2 sizes apart, the block centred in the area's height, each
// line's ascent one size and descent a quarter.
std::vector<PlacedLine> PlaceLines(const NorthHouse& h, std::size_t count, double size) {
  const Span heights = Heights(h);
  const double height = size * (1.2 * (static_cast<double>(count) - 1.0) + 1.25);
  const double firstBaseline = (heights.left + heights.right) / 2.0 - height / 2.0 + size;
  std::vector<PlacedLine> lines;
  for (std::size_t i = 0; i < count; ++i) {
    const double baseline = firstBaseline + 1.2 * size * static_cast<double>(i);
    lines.push_back({baseline, LineSpan(h, baseline - size, baseline + 0.25 * size)});
  }
  return lines;
}

// The marks of one house: the largest size up to kLargestMark at which every
// line fits whole at the smallest text size or more; past kSmallestMark, the
// largest at which every line fits at least cut short with an ellipsis, so
// that no mark leaves its house however many share it.
std::string DrawMarks(const NorthHouse& h, const std::vector<const PictureMark*>& marks) {
  if (marks.empty()) return {};
  std::vector<std::u32string> texts;
  for (const PictureMark* m : marks) texts.push_back(DecodeForXml(MarkText(*m)));
  const Span heights = Heights(h);
  const double n = static_cast<double>(marks.size());
  double size = std::min(kLargestMark, (heights.right - heights.left - 2.0 * kPadding) / (1.2 * (n - 1.0) + 1.25));
  std::vector<PlacedLine> lines = PlaceLines(h, marks.size(), size);
  // Whether every line fits its span: whole at the smaller of the size and the
  // smallest text size, or else as FitText cuts it.
  const auto allFit = [&](bool whole) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const double width = lines[i].span.right - lines[i].span.left;
      const bool bold = marks[i]->lagna;
      const FittedText t = whole ? FittedText{texts[i], std::min(size, svg::kSmallestText)}
                                 : FitText(texts[i], size, std::max(0.0, width), bold);
      if (svg::WidthEm(t.text, bold) * t.size > width) return false;
    }
    return true;
  };
  const auto shrink = [&](double floor) {
    size = std::max(floor, size - 0.25);
    lines = PlaceLines(h, marks.size(), size);
  };
  while (!allFit(true) && size > kSmallestMark) shrink(kSmallestMark);
  while (!allFit(false) && size > kTinyMark) shrink(kTinyMark);
  std::string out;
  for (std::size_t i = 0; i < marks.size(); ++i) {
    const Span s = lines[i].span;
    const FittedText t = FitText(texts[i], size, std::max(0.0, s.right - s.left), marks[i]->lagna);
    out += TextElement((s.left + s.right) / 2.0, lines[i].baseline, t,
                       marks[i]->lagna ? " class=\"mark lagna\" text-anchor=\"middle\" fill=\"#a00000\" font-weight=\"bold\""
                                       : " class=\"mark\" text-anchor=\"middle\" fill=\"#1a1a1a\"");
  }
  return out;
}

std::string Points(const NorthPoint* corners, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) {
    if (i) out += ' ';
    out += Number(corners[i].x);
    out += ',';
    out += Number(corners[i].y);
  }
  return out;
}

// The name, the local date and time and the place lines under the square; the
// lines that are empty take no room.
std::string DrawLegend(const ChartPicture& picture, double& height) {
  std::string out;
  const double width = kSize - 2.0 * kLegendPadding;
  double baseline = kSize + 6.0;
  if (!picture.name.empty()) {
    baseline += 18.0;
    out += TextElement(kSize / 2.0, baseline, FitText(DecodeForXml(picture.name), 16.0, width, true),
                       " class=\"legend name\" text-anchor=\"middle\" font-weight=\"bold\" fill=\"#1a1a1a\"");
  }
  std::vector<std::string> lines{picture.localDateTime};
  lines.insert(lines.end(), picture.placeLines.begin(), picture.placeLines.end());
  for (const std::string& line : lines) {
    if (line.empty()) continue;
    baseline += 17.0;
    out += TextElement(kSize / 2.0, baseline, FitText(DecodeForXml(line), 12.0, width, false),
                       " class=\"legend\" text-anchor=\"middle\" fill=\"#1a1a1a\"");
  }
  height = out.empty() ? kSize : baseline + 8.0;
  return out;
}

}  // namespace

ChartDrawing DrawNorthChart(const ChartPicture& picture) {
  int ascendant = 1;
  for (const PictureMark& m : picture.marks) {
    if (m.lagna && m.sign >= 1 && m.sign <= 12) {
      ascendant = m.sign;
      break;
    }
  }
  double height = kSize;
  const std::string legend = DrawLegend(picture, height);
  std::string out;
  for (const NorthHouse& h : kNorthHouses) {
    out += "<polygon points=\"" + Points(h.frame.data(), h.frameCorners) +
           "\" class=\"house\" fill=\"#fffdf6\" stroke=\"#4a4a4a\" stroke-width=\"1.5\" stroke-linejoin=\"round\"/>\n";
  }
  for (const NorthHouse& h : kNorthHouses) {
    const int sign = (ascendant - 1 + h.house - 1) % 12 + 1;
    out += TextElement(h.number.x, h.number.y, FitText(DecodeForXml(std::to_string(sign)), kNumberSize, 20.0, false),
                       " class=\"number\" text-anchor=\"middle\" fill=\"#7a7a7a\"");
    std::vector<const PictureMark*> marks;
    for (const PictureMark& m : picture.marks)
      if (m.sign == sign) marks.push_back(&m);
    out += DrawMarks(h, marks);
  }
  out += legend;
  return {out, height};
}

}  // namespace orbisca
