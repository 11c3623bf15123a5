// Writes chart sheet pages for the rendering test: DIR/sheet-1.svg and
// DIR/sheet-2.svg for a whole chart in the South Indian style, DIR/north-1.svg
// for the same in the North Indian style without aspects, and
// DIR/hostile-1.svg, DIR/hostile-2.svg for hostile texts and far too many
// aspect lines.
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "report/chart_sheet.h"
#include "run/chart_sheet_of.h"
#include "tests/support/births.h"

namespace {

using orbisca::ChartSheet;

bool WritePages(const std::string& prefix, const std::vector<std::string>& pages) {
  bool ok = true;
  for (std::size_t i = 0; i < pages.size(); ++i) {
    std::ofstream out(prefix + "-" + std::to_string(i + 1) + ".svg", std::ios::binary);
    out << pages[i];
    ok &= static_cast<bool>(out.flush());
  }
  return ok;
}

ChartSheet WholeSheet() {
  const orbisca::Birth in = orbisca::NewYork1976("Test Person");
  return orbisca::ChartSheetOf(in, orbisca::ComputeChart(in), "New York", orbisca::ChartStyle::South);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: chart_sheet_dump DIR\n";
    return 2;
  }
  const std::string dir = argv[1];
  ChartSheet sheet = WholeSheet();
  bool ok = WritePages(dir + "/sheet", orbisca::ChartSheetSvgPages(sheet));
  sheet.style = orbisca::ChartStyle::North;
  sheet.aspects.clear();
  ok &= WritePages(dir + "/north", orbisca::ChartSheetSvgPages(sheet));

  ChartSheet hostile = WholeSheet();
  hostile.name = "<script>&\"'" + std::string(80, 'W');
  hostile.birthLines = {"</text>&amp; " + std::string(120, 'm'), "\x01\xff bad bytes"};
  hostile.positions.front()[3] = std::string(60, 'M');
  hostile.aspects = {{std::string(90, 'W'), std::vector<std::string>(300, std::string(70, 'm'))}};
  ok &= WritePages(dir + "/hostile", orbisca::ChartSheetSvgPages(hostile));
  return ok ? 0 : 1;
}
