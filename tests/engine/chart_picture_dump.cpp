// Writes chart pictures for the rendering test, in both styles: a whole
// chart, a picture with nothing but the grid, one mark in each sign, a crowded
// sign, and a hostile name and place with nothing else. The North Indian ones
// are named north_*.
#include <fstream>
#include <iostream>
#include <string>

#include "report/chart_picture.h"
#include "run/chart_picture_of.h"
#include "tests/support/births.h"

namespace {

bool Write(const std::string& path, const orbisca::ChartPicture& p,
           orbisca::ChartStyle style = orbisca::ChartStyle::South) {
  std::ofstream out(path, std::ios::binary);
  out << orbisca::ChartPictureSvg(p, style);
  return static_cast<bool>(out.flush());
}

// The same picture in both styles: DIR/NAME.svg and DIR/north_NAME.svg.
bool WriteBoth(const std::string& dir, const std::string& name, const orbisca::ChartPicture& p) {
  return Write(dir + "/" + name + ".svg", p) && Write(dir + "/north_" + name + ".svg", p, orbisca::ChartStyle::North);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: chart_picture_dump DIR\n";
    return 2;
  }
  using orbisca::ChartPicture;
  const std::string dir = argv[1];
  bool ok = true;

  const orbisca::Birth in = orbisca::NewYork1976("Test Person");
  ok &= WriteBoth(dir, "whole", PictureOfChart(in, orbisca::ComputeChart(in), "New York"));

  ok &= WriteBoth(dir, "blank", ChartPicture{});
  for (int sign = 1; sign <= 12; ++sign) {
    ChartPicture p;
    p.marks = {{"Ma", sign, "29\u00B059\u2032", sign % 2 == 0}};
    ok &= Write(dir + "/sign" + std::to_string(sign) + ".svg", p);
    p.marks[0].lagna = false;  // a lagna would move the North Indian houses
    ok &= Write(dir + "/north_sign" + std::to_string(sign) + ".svg", p, orbisca::ChartStyle::North);
  }
  ChartPicture crowded;
  for (const auto& b : orbisca::kBodyAbbreviations) crowded.marks.push_back({std::string(b.letters), 7, "28\u00B058\u2032", false});
  crowded.marks.push_back({"As", 7, "29\u00B059\u2032", true});
  ok &= Write(dir + "/crowded7.svg", crowded);
  crowded.marks.back().lagna = false;
  ok &= Write(dir + "/north_crowded7.svg", crowded, orbisca::ChartStyle::North);

  ChartPicture hostile;
  hostile.name = "<script>&\"'" + std::string(25, 'W') + std::string(24, 'M');
  hostile.localDateTime = "2050-12-31 23:59 DST";
  hostile.placeLines = {"</text>&amp; " + std::string(60, 'm'), "89\u00B059\u2032S 179\u00B059\u2032W",
                        "\xE6\x9D\xB1\xE4\xBA\xAC\xE9\x83\xBD\xE5\x8D\x83\xE4\xBB\xA3\xE7\x94\xB0\xE5\x8C\xBA"
                        "\xE6\x9D\xB1\xE4\xBA\xAC\xE9\x83\xBD\xE5\x8D\x83\xE4\xBB\xA3\xE7\x94\xB0\xE5\x8C\xBA"};
  ok &= WriteBoth(dir, "hostile", hostile);
  return ok ? 0 : 1;
}
