// The programs' look-up in the tz database: the module that holds it is
// opened at the first call, found where the install puts it relative to the
// program (the build tree keeps the same layout).
#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "orbisca/version.h"
#include "places/module/zone_module.h"

namespace orbisca::places {
namespace {

struct LoadedModule {
  const ZoneModule* module = nullptr;
  std::string error;
};

// The folder of the running program, with its final slash.
std::string ProgramFolder() {
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path);
  if (n <= 0 || n == static_cast<ssize_t>(sizeof path)) return {};
  const std::string_view program(path, static_cast<std::size_t>(n));
  return std::string(program.substr(0, program.rfind('/') + 1));
}

LoadedModule LoadModule() {
  const std::string path = ProgramFolder() + ORBISCA_ZONE_MODULE;
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) return {nullptr, dlerror()};
  const auto entry = reinterpret_cast<ZoneModuleEntry>(dlsym(handle, kZoneModuleEntry));
  if (!entry) return {nullptr, path + " has no " + kZoneModuleEntry};
  const ZoneModule* module = entry();
  if (std::string_view(module->version) != kVersion) {
    return {nullptr, path + " is of version " + module->version + ", the program of version " + kVersion};
  }
  return {module, {}};
}

// Opened once, by whichever thread asks first.
const LoadedModule& Loaded() {
  static const LoadedModule loaded = LoadModule();
  return loaded;
}

}  // namespace

ZoneLookup LookUpZone(std::string_view zone, const LocalDateTime& local) {
  if (!Loaded().module) return {std::nullopt, "The tz database cannot be opened: " + Loaded().error};
  return Loaded().module->lookUp(zone, local);
}

void PrepareZoneLookUp() {
  if (Loaded().module) Loaded().module->prepare();
}

}  // namespace orbisca::places
