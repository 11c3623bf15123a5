#pragma once

// The look-up in the tz database as orbisca-chart loads it, from a module of
// its own, when a place needs it: linking libdate-tz into the program would
// cost every run the mapping and relocation of the library.
#include <string_view>

#include "places/zone_facts.h"

namespace orbisca::cli {

struct ZoneModule {
  const char* version;  // the program's version, so that a stale module is refused
  places::ZoneLookup (*lookUp)(std::string_view zone, const places::LocalDateTime& local);
};

// The module's one exported function.
inline constexpr char kZoneModuleEntry[] = "orbisca_chart_zone_module";
using ZoneModuleEntry = const ZoneModule* (*)();

}  // namespace orbisca::cli
