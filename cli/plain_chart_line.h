#pragma once

#include "cli/chart_options.h"

namespace orbisca::cli {

// The options of one chart as the command line gave them: their texts, the
// request's own values, and which of the options that decide the chart's
// checks were given at all.
struct ChartLine {
  OptionTexts texts;
  ChartRequest request;
  struct {
    bool date = false, time = false, zone = false, lon = false, lat = false, place = false;
  } given;
};

// Reads the everyday command line of one chart without the full option
// parser, whose set-up of every option, help text and check costs more than
// the chart itself. It takes a line only when every argument is one of the
// chart's options, each given once, as "--opt value" or "--opt=value" with a
// value that is not empty and does not start with a dash; the full parser
// reads such a line the same way. Anything else (help, version, batch or
// place listing, a repeated, unknown or valueless option, a stray word) is
// left to the full parser, for its messages: false, and `line` is then
// unspecified.
bool ReadPlainChartLine(int argc, const char* const* argv, ChartLine& line);

}  // namespace orbisca::cli
