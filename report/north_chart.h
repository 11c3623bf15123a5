#pragma once

// The North Indian (diamond) chart picture, drawn by ChartPictureSvg with
// ChartStyle::North. Internal to the report part.

#include <array>

#include "report/chart_picture.h"

namespace orbisca {

struct NorthPoint {
  double x, y;
};

// One house of the North Indian chart in the 400-unit square: its frame (3 or
// 4 corners), the convex area its marks are set in (the frame less the corner
// that holds the sign's number), and where the number is centred (baseline).
struct NorthHouse {
  int house;  // 1..12, anticlockwise from the top-centre diamond
  std::array<NorthPoint, 4> frame;
  int frameCorners;
  std::array<NorthPoint, 5> markArea;
  int markCorners;
  NorthPoint number;
};

// The houses of the square cut by its two diagonals and by the diamond of its
// sides' midpoints: the four diamonds (houses 1, 4, 7, 10) and the eight
// triangles between them. The sign numbers sit in each house's corner
// nearest the centre, as the style draws them.
inline constexpr std::array<NorthHouse, 12> kNorthHouses = {{
    {1, {{{200, 0}, {300, 100}, {200, 200}, {100, 100}}}, 4,
     {{{200, 0}, {300, 100}, {230, 170}, {170, 170}, {100, 100}}}, 5, {200, 188}},
    {2, {{{0, 0}, {200, 0}, {100, 100}}}, 3, {{{0, 0}, {200, 0}, {130, 70}, {70, 70}}}, 4, {100, 88}},
    {3, {{{0, 0}, {100, 100}, {0, 200}}}, 3, {{{0, 0}, {76, 76}, {76, 124}, {0, 200}}}, 4, {84, 104}},
    {4, {{{0, 200}, {100, 100}, {200, 200}, {100, 300}}}, 4,
     {{{0, 200}, {100, 100}, {170, 170}, {170, 230}, {100, 300}}}, 5, {180, 204}},
    {5, {{{0, 200}, {100, 300}, {0, 400}}}, 3, {{{0, 200}, {76, 276}, {76, 324}, {0, 400}}}, 4, {84, 304}},
    {6, {{{0, 400}, {100, 300}, {200, 400}}}, 3, {{{0, 400}, {70, 330}, {130, 330}, {200, 400}}}, 4, {100, 322}},
    {7, {{{200, 400}, {100, 300}, {200, 200}, {300, 300}}}, 4,
     {{{200, 400}, {100, 300}, {170, 230}, {230, 230}, {300, 300}}}, 5, {200, 222}},
    {8, {{{200, 400}, {300, 300}, {400, 400}}}, 3, {{{200, 400}, {270, 330}, {330, 330}, {400, 400}}}, 4, {300, 322}},
    {9, {{{400, 400}, {300, 300}, {400, 200}}}, 3, {{{400, 200}, {324, 276}, {324, 324}, {400, 400}}}, 4, {316, 304}},
    {10, {{{400, 200}, {300, 300}, {200, 200}, {300, 100}}}, 4,
     {{{400, 200}, {300, 300}, {230, 230}, {230, 170}, {300, 100}}}, 5, {220, 204}},
    {11, {{{400, 200}, {300, 100}, {400, 0}}}, 3, {{{400, 0}, {324, 76}, {324, 124}, {400, 200}}}, 4, {316, 104}},
    {12, {{{400, 0}, {300, 100}, {200, 0}}}, 3, {{{200, 0}, {400, 0}, {330, 70}, {270, 70}}}, 4, {300, 88}},
}};

// The picture's elements and height, for DrawChartPicture.
ChartDrawing DrawNorthChart(const ChartPicture& picture);

}  // namespace orbisca
