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
  const std::string_view first = argv[1];
  const bool help = first == "--help" || first == "-h";
  const bool version = first == "--version";
  if (argc == 2 && (help || version)) {
    help ? PrintHelp(out) : PrintVersion(out);
    return 0;
  }
  // The first argument that is not a lone --help or --version.
  const std::string_view refused = (help || version) ? argv[2] : first;
  err << "orbisca: unrecognised argument '" << refused << "'\n"
      << "Usage: orbisca [--help | --version]\n";
  return kExitUsage;
}

}  // namespace orbisca
