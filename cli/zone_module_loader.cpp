// orbisca-chart's look-up in the tz database: the module that holds it is
// opened at the first call, found where the install puts it relative to the
// program (the build tree keeps the same layout).
#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "cli/zone_module.h"
#include "orbisca/version.h"

namespace orbisca::places {
namespace {

struct LoadedModule {
  const cli::ZoneModule* module = nullptr;
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
  const auto entry = reinterpret_cast<cli::ZoneModuleEntry>(dlsym(handle, cli::kZoneModuleEntry));
  if (!entry) return {nullptr, path + " has no " + cli::kZoneModuleEntry};
  const cli::ZoneModule* module = entry();
  if (std::string_view(module->version) != kVersion) {
    return {nullptr, path + " is of version " + module->version + ", the program of version " + kVersion};
  }
  return {module, {}};
}

}  // namespace

ZoneLookup LookUpZone(std::string_view zone, const LocalDateTime& local) {
  static const LoadedModule loaded = LoadModule();
  if (!loaded.module) return {std::nullopt, "The tz database cannot be opened: " + loaded.error};
  return loaded.module->lookUp(zone, local);
}

}  // namespace orbisca::places
