// The module that both programs load for the look-up in the tz database.
#include "places/module/zone_module.h"

#include "orbisca/version.h"

namespace {

constexpr orbisca::places::ZoneModule kModule = {orbisca::kVersion, &orbisca::places::LookUpZone,
                                                 &orbisca::places::PrepareZoneLookUp};

}  // namespace

extern "C" __attribute__((visibility("default"))) const orbisca::places::ZoneModule* orbisca_zone_module() {
  return &kModule;
}
