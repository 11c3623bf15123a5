// The module that orbisca-chart loads for the look-up in the tz database.
#include "cli/zone_module.h"

#include "orbisca/version.h"

namespace {

constexpr orbisca::cli::ZoneModule kModule = {orbisca::kVersion, &orbisca::places::LookUpZone};

}  // namespace

extern "C" __attribute__((visibility("default"))) const orbisca::cli::ZoneModule* orbisca_chart_zone_module() {
  return &kModule;
}
