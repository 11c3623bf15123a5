#pragma once

#include <optional>
#include <ostream>

namespace orbisca {

// The window program's command line: "--help" (or "-h") and "--version" print
// their text on `out` and end the program with status 0; any other argument
// is refused on `err` with status 2. Returns nothing when there are no
// arguments and the program should start. Needs no display.
std::optional<int> HandleCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace orbisca
