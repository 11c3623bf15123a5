#pragma once

// The chart picture as SVG text, in either of the two common styles. South
// Indian: the twelve signs in fixed cells round a 4 x 4 square, the centre
// holding the name, the local date and time and the place. North Indian: the
// twelve houses in fixed places of a square cut by its diagonals and the
// diamond of its sides' midpoints, the ascendant's house the top-centre
// diamond and the rest counted anticlockwise (report/north_chart.cpp).

#include <array>
#include <string>
#include <vector>

namespace orbisca {

// One body (or the lagna) in its sign: "Su" and "18°30′".
struct PictureMark {
  std::string letters;
  int sign = 1;  // 1..12
  std::string degrees;
  bool lagna = false;
};

// The mark as drawn: "Su 18°30′", or "Su" where it has no degrees (a varga).
inline std::string MarkText(const PictureMark& m) { return m.degrees.empty() ? m.letters : m.letters + " " + m.degrees; }

struct ChartPicture {
  std::array<std::string, 12> signNames;  // sign 1 first, drawn small atop each cell
  std::string name;
  std::string localDateTime;
  std::vector<std::string> placeLines;  // shown in order under the date
  std::vector<PictureMark> marks;
  std::string chartName = "Rasi chart";  // the title is "<chartName> of <name>"
};

enum class ChartStyle : unsigned char { South, North };

struct SignCell {
  int sign;
  int row;     // 0 at the top
  int column;  // 0 at the left
};

// The fixed cells of the South Indian chart: Meena in the top-left corner,
// Mesha beside it, then clockwise round the square.
inline constexpr std::array<SignCell, 12> kSignCells = {{
    {1, 0, 1},
    {2, 0, 2},
    {3, 0, 3},
    {4, 1, 3},
    {5, 2, 3},
    {6, 3, 3},
    {7, 3, 2},
    {8, 3, 1},
    {9, 3, 0},
    {10, 2, 0},
    {11, 1, 0},
    {12, 0, 0},
}};

// The drawing's own units: the square is kPictureSize wide and high, each cell
// a quarter of it; the centre is the middle 2 x 2 cells.
inline constexpr double kPictureSize = 400.0;
inline constexpr double kCellSize = kPictureSize / 4.0;

// The picture as a complete SVG document (UTF-8). Every text is escaped; a
// centre line too wide for the centre is drawn smaller and, past the smallest
// size, cut with an ellipsis. Marks with a sign outside 1..12 are left out.
// The North Indian picture puts the ascendant's house first: the sign of the
// first mark flagged lagna (Mesha when there is none). Its name, date and
// place lines go under the chart, fitted by the same rules.
std::string ChartPictureSvg(const ChartPicture& picture, ChartStyle style = ChartStyle::South);

// The picture's elements without the document round them, for a page that
// places it (the chart sheet): kPictureSize wide, `height` high.
struct ChartDrawing {
  std::string elements;
  double height;
};
ChartDrawing DrawChartPicture(const ChartPicture& picture, ChartStyle style);

// A text's width in ems, never less than any common sans-serif face draws it
// (wide letters and every character outside ASCII count a whole em).
double ConservativeWidthEm(const std::string& utf8Text, bool bold);

}  // namespace orbisca
