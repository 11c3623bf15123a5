#include "cli/standard_output.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace orbisca::cli {

std::optional<std::string> WriteStandardOutput(std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = write(STDOUT_FILENO, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return std::string(std::strerror(errno));
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return std::nullopt;
}

}  // namespace orbisca::cli
