#pragma once

// Opens one of the program's own modules: found relative to the running
// program's folder (the install and the build tree keep the same layout),
// its one entry function called, and a module of another version refused
// before anything of it but its version is used. Plain dlopen, so that both
// the window program and orbisca-chart can use it.

#include <string>
#include <string_view>

#include "orbisca/version.h"

namespace orbisca {

// The entry `entryName` of the module at `relativePath` from the program's
// folder, or nullptr with `error` set.
void* OpenModuleEntry(const std::string& relativePath, const char* entryName, std::string& error);

// The typed form for a module object with a `version` member.
template <class Module>
const Module* OpenModule(const std::string& relativePath, const char* entryName, std::string& error) {
  const auto entry = reinterpret_cast<const Module* (*)()>(OpenModuleEntry(relativePath, entryName, error));
  if (!entry) return nullptr;
  const Module* module = entry();
  if (!module || std::string_view(module->version) != kVersion) {
    error = relativePath + " is of version " + (module ? module->version : "unknown") + ", the program of version " +
            kVersion;
    return nullptr;
  }
  return module;
}

}  // namespace orbisca
