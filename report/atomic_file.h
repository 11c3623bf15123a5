#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orbisca {

// Writes `bytes` as the whole content of the file at `path`, or leaves the
// file as it was: the bytes go to a temporary file with a short name in the
// target's folder, are flushed to the disk and then renamed over the target.
// Saving over a symbolic link replaces the file the link points to, and the
// link stays; saving over a file keeps its permission bits; a new file gets
// 0666 less the umask. Returns std::nullopt on success, otherwise the reason
// in the system's words ("No such file or directory", "File too large"); the
// temporary file is then removed.
std::optional<std::string> WriteFileAtomically(const std::string& path, std::string_view bytes);

// Makes a write past the file-size limit fail with "File too large" instead
// of killing the program with SIGXFSZ, so that the failure can be reported and
// the temporary file removed. Call it once at the start of main.
void IgnoreFileSizeSignal();

}  // namespace orbisca
