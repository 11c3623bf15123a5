#pragma once

// The chart sheet of a computed chart: every text of its one or two pages.

#include <string>

#include "report/chart_sheet.h"
#include "run/chart.h"

namespace orbisca {

// The sheet of a birth's chart in a style: the name and the birth data (local
// date and time, zone and UTC offset, place and coordinates), the instant
// line, the particulars, the positions of the ten bodies, the nodes and the
// lagna with their navamsa, the rasi and navamsa pictures, the balance and
// the nine mahadashas (dates on the birth's clock), and the aspects kind by
// kind with their separations. A chart computed without its periods or its
// vargas still gives the whole sheet: they are computed here.
ChartSheet ChartSheetOf(const Birth& birth, const Chart& chart, const std::string& placeName, ChartStyle style);

}  // namespace orbisca
