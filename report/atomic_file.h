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
// temporary file is then removed. A target that is not a regular file (a
// device such as /dev/null, a FIFO, /dev/stdout) is written straight, with
// no temporary file and no rename; a folder is refused.
std::optional<std::string> WriteFileAtomically(const std::string& path, std::string_view bytes);

// The same, for content that arrives piece by piece: Open, Write as often as
// needed, then Commit. Until Commit succeeds the target is untouched; a failure
// or the destructor removes the temporary file. Each step returns the reason
// of a failure, std::nullopt on success.
class AtomicFile {
 public:
  AtomicFile() = default;
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;
  ~AtomicFile();

  std::optional<std::string> Open(const std::string& path);
  std::optional<std::string> Write(std::string_view bytes);
  std::optional<std::string> Commit();
  void Abandon();

 private:
  std::string Failed();

  int fd_ = -1;
  bool direct_ = false;  // writing straight into a target that is not a regular file
  int slot_ = -1;        // the temporary file's place in the signal handler's table
  std::string target_;
  std::string temporary_;
};

// Makes a write past the file-size limit fail with "File too large" instead
// of killing the program with SIGXFSZ, so that the failure can be reported and
// the temporary file removed. Call it once at the start of main.
void IgnoreFileSizeSignal();

// Makes SIGINT, SIGTERM, SIGHUP and SIGPIPE remove the temporary files in
// progress before they end the program as usual. A SIGKILL cannot be caught:
// it may leave a ".orbisca-XXXXXX" file beside the target. Call it once at
// the start of main.
void RemoveTemporaryFilesOnSignals();

}  // namespace orbisca
