#include "cli/batch_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/standard_output.h"

namespace orbisca::cli {
std::string BatchSink::Open(const std::string& path) {
  if (path.empty()) return {};
  struct stat st{};
  if (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return std::strerror(EISDIR);
  path_ = path;
  return file_.Open(path).value_or("");
}

std::string BatchSink::Write(std::string_view data) {
  if (!path_.empty()) {
    const std::optional<std::string> reason = file_.Write(data);
    return reason ? "cannot write " + path_ + ": " + *reason : std::string();
  }
  const std::optional<std::string> reason = WriteStandardOutput(data);
  return reason ? "cannot write standard output: " + *reason : std::string();
}

std::string BatchSink::Commit() {
  if (path_.empty()) return {};
  const std::optional<std::string> reason = file_.Commit();
  return reason ? "cannot write " + path_ + ": " + *reason : std::string();
}

void BatchSink::Abandon() { file_.Abandon(); }

Progress::Progress(bool quiet, std::size_t inputSize)
    : enabled_(!quiet && isatty(STDERR_FILENO)), inputSize_(inputSize), start_(std::chrono::steady_clock::now()), last_(start_) {}

void Progress::Show(std::size_t rows, std::size_t bytesDone) {
  if (!enabled_) return;
  const auto now = std::chrono::steady_clock::now();
  if (now - last_ < std::chrono::milliseconds(200)) return;
  last_ = now;
  const double seconds = std::chrono::duration<double>(now - start_).count();
  const double rate = seconds > 0 ? static_cast<double>(rows) / seconds : 0.0;
  std::fprintf(stderr, "\r%zu rows, %.0f rows/s", rows, rate);
  if (inputSize_ > 0 && bytesDone <= inputSize_) {
    constexpr int kWidth = 30;
    const double done = static_cast<double>(bytesDone) / static_cast<double>(inputSize_);
    const int filled = static_cast<int>(done * kWidth);
    const double left = done > 0 ? seconds * (1.0 - done) / done : 0.0;
    std::fprintf(stderr, " [%.*s%*s] %3.0f%%, %d:%02d left", filled, "##############################", kWidth - filled, "",
                 done * 100.0, static_cast<int>(left) / 60, static_cast<int>(left) % 60);
  }
  std::fputs("\033[K", stderr);
  std::fflush(stderr);
  shown_ = true;
}

void Progress::Clear() {
  if (!shown_) return;
  std::fputs("\r\033[K", stderr);
  std::fflush(stderr);
  shown_ = false;
}

}  // namespace orbisca::cli
