#include "report/pdf/module_open.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

namespace orbisca {
namespace {

// The folder of the running program, with its final slash.
std::string ProgramFolder() {
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path);
  if (n <= 0 || n == static_cast<ssize_t>(sizeof path)) return {};
  const std::string_view program(path, static_cast<std::size_t>(n));
  return std::string(program.substr(0, program.rfind('/') + 1));
}

}  // namespace

void* OpenModuleEntry(const std::string& relativePath, const char* entryName, std::string& error) {
  const std::string path = ProgramFolder() + relativePath;
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* reason = dlerror();
    error = reason ? reason : path + " cannot be opened";
    return nullptr;
  }
  void* entry = dlsym(handle, entryName);
  if (!entry) {
    error = path + " has no " + entryName;
    dlclose(handle);
  }
  return entry;
}

}  // namespace orbisca
