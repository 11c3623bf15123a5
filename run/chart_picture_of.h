#pragma once

// The picture of a chart, in any of the sixteen vargas.

#include <string>

#include "astro/vargas.h"
#include "report/chart_picture.h"
#include "run/chart.h"

namespace orbisca {

// The picture of the chart: the ten bodies, the nodes and the lagna in their
// signs; the centre shows the name, the local date and time and the place
// (the typed place, when there is one, above the coordinates).
ChartPicture PictureOfChart(const Birth& birth, const Chart& chart, const std::string& placeName);

// The same in a varga: each mark in its sign of that varga (Chart::vargas,
// or computed from the longitudes when the chart was computed without them).
// The rasi (D1) is exactly PictureOfChart; in the other vargas the marks
// carry no degrees, which belong to the rasi, and the title names the varga:
// "Navamsa (D9) chart".
ChartPicture PictureOfVarga(const Birth& birth, const Chart& chart, const std::string& placeName, Varga varga);

// That picture as a complete SVG document in the style asked for.
std::string VargaPictureSvg(const Birth& birth, const Chart& chart, const std::string& placeName, Varga varga,
                            ChartStyle style);

// The sign (1..12) of every point of kVargaPointCount in a varga: the ten
// bodies, Rahu, Ketu and the ascendant.
std::array<int, kVargaPointCount> VargaSignsOf(const Chart& chart, Varga varga);

}  // namespace orbisca
