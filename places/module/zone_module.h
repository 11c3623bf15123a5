#pragma once

// The look-up in the tz database as both programs load it: from a module of
// its own, opened when a place first needs it. Linking libdate-tz into a
// program costs every start the mapping, relocation and initialisation of the
// library (about 0.8 ms and 0.35 MB, measured beside a bare Qt program), and
// most runs never look a place up.
#include <string_view>

#include "places/zone_facts.h"

namespace orbisca::places {

struct ZoneModule {
  const char* version;  // the program's version, so that a stale module is refused
  ZoneLookup (*lookUp)(std::string_view zone, const LocalDateTime& local);
  void (*prepare)();
};

// The module's one exported function.
inline constexpr char kZoneModuleEntry[] = "orbisca_zone_module";
using ZoneModuleEntry = const ZoneModule* (*)();

}  // namespace orbisca::places
