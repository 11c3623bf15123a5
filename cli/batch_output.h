#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

#include "report/atomic_file.h"

namespace orbisca::cli {

// Where the batch writes: standard output, or a file written whole or not at
// all (a temporary file beside the target, renamed over it at the end).
class BatchSink {
 public:
  // An empty path is standard output. Empty on success, or the reason.
  std::string Open(const std::string& path);
  std::string Write(std::string_view data);
  // Makes the file complete and puts it in place.
  std::string Commit();
  // Removes the temporary file; the target is left as it was.
  void Abandon();

 private:
  std::string path_;  // empty: standard output
  AtomicFile file_;
};

// Rows done, rows per second and, when the input's size is known, a bar and
// the time left, on one line of standard error that is rewritten in place.
// Shown only when standard error is a terminal.
class Progress {
 public:
  Progress(bool quiet, std::size_t inputSize);
  void Show(std::size_t rows, std::size_t bytesDone);
  // Clears the line, so that a message or the summary can be printed.
  void Clear();

 private:
  bool enabled_;
  bool shown_ = false;
  std::size_t inputSize_;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point last_;
};

}  // namespace orbisca::cli
