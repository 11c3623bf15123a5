#include "app/command_line.h"

#include <string_view>

#include "orbisca/version.h"

namespace orbisca {
namespace {

constexpr int kExitUsage = 2;

void PrintHelp(std::ostream& out) {
  out << "Usage: orbisca [--help | --version]\n"
         "\n"
         "Opens the Orbisca window: type one birth (name, date and clock time, time zone,\n"
         "daylight saving, latitude and longitude) and see the aspects between the\n"
         "planets of the chart, with their interpretations, in Vedic (sidereal) astrology.\n"
         "Only one copy runs per user.\n"
         "\n"
         "  -h, --help   show this help and exit\n"
         "  --version    show the version and exit\n"
         "\n"
         "The same chart from the command line: orbisca-chart --help. Manual: man orbisca.\n";
}

void PrintVersion(std::ostream& out) {
  out << "orbisca " << kVersion << '\n' << kLicenseNotice;
}

}  // namespace

std::optional<int> HandleCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  if (argc <= 1) return std::nullopt;
  const std::string_view argument = argv[1];
  if (argc == 2 && (argument == "--help" || argument == "-h")) {
    PrintHelp(out);
    return 0;
  }
  if (argc == 2 && argument == "--version") {
    PrintVersion(out);
    return 0;
  }
  const std::string_view refused = (argument == "--help" || argument == "-h" || argument == "--version") ? argv[2] : argument;
  err << "orbisca: unrecognised argument '" << refused << "'\n"
      << "Usage: orbisca [--help | --version]\n";
  return kExitUsage;
}

}  // namespace orbisca
