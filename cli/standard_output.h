#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orbisca::cli {

// Writes all of `data` to standard output, in one write when the system takes
// it whole; the system's reason when it cannot (a full disk, a file-size
// limit), so that output lost is never reported as success.
std::optional<std::string> WriteStandardOutput(std::string_view data);

}  // namespace orbisca::cli
