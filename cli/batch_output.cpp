#include "cli/batch_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstdio>
#include <cstring>

namespace orbisca::cli {
namespace {

std::string Reason() { return std::strerror(errno); }

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

BatchSink::~BatchSink() { Abandon(); }

std::string BatchSink::Open(const std::string& path) {
  if (path.empty()) return {};
  // A file-size limit makes a write fail with a message instead of ending
  // the program with the temporary file left behind.
  std::signal(SIGXFSZ, SIG_IGN);
  struct stat st{};
  if (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return std::strerror(EISDIR);
  // Through a symbolic link, the file it points to is the one replaced.
  path_ = path;
  if (char* real = realpath(path.c_str(), nullptr)) {
    path_ = real;
    std::free(real);
  }
  temp_ = FolderOf(path_) + "/.orbisca-chart-XXXXXX";
  fd_ = mkstemp(temp_.data());
  if (fd_ < 0) {
    temp_.clear();
    return Reason();
  }
  return {};
}

std::string BatchSink::Write(std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = write(fd_, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return "cannot write " + (path_.empty() ? std::string("standard output") : path_) + ": " + Reason();
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return {};
}

std::string BatchSink::Commit() {
  if (temp_.empty()) return {};
  const std::string failed = "cannot write " + path_ + ": ";
  // The file keeps the permissions of the one it replaces; a new one gets the usual.
  struct stat st{};
  mode_t mode;
  if (stat(path_.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  if (fchmod(fd_, mode) != 0 || fsync(fd_) != 0) return failed + Reason();
  const int fd = fd_;
  fd_ = -1;
  if (close(fd) != 0) return failed + Reason();
  if (rename(temp_.c_str(), path_.c_str()) != 0) return failed + Reason();
  temp_.clear();
  return {};
}

void BatchSink::Abandon() {
  if (temp_.empty()) return;
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  unlink(temp_.c_str());
  temp_.clear();
}

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
