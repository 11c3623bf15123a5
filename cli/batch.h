#pragma once

#include <optional>
#include <string>

#include "cli/batch_rows.h"

namespace orbisca::cli {

enum class BatchInput { Csv, Jsonl };

struct BatchRequest {
  std::string inputPath;                   // "-": standard input
  std::optional<std::string> library;      // --library: chart the library's births, by id, instead of a file
  std::optional<BatchInput> inputFormat;   // nothing: from the file's extension
  BatchOutput output;
  std::string outputPath;                  // empty: standard output
  unsigned jobs = 0;                       // 0: one worker per hardware thread
  bool quiet = false;                      // no progress
};

inline constexpr int kBatchAllCharted = 0;
inline constexpr int kBatchSomeRefused = 1;
inline constexpr int kBatchFailed = 2;  // a bad option, an unreadable input, an unwritable output

// Charts every row of the input, streaming: rows are read, charted by the
// workers and written in input order, with memory that does not grow with
// the input. A refused row never stops the batch. Ends with a summary line on
// standard error; returns the exit status.
int RunBatch(const BatchRequest& request);

}  // namespace orbisca::cli
