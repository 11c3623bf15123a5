#include "report/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string_view>
#include <vector>

namespace orbisca {
namespace {

// The temporary files in progress, for the signal handler to remove: a fixed
// table, since a handler may neither allocate nor lock. A slot is claimed
// (1), then filled and published (2).
struct TemporarySlot {
  std::atomic<int> state{0};
  std::array<char, PATH_MAX> path{};
};
std::array<TemporarySlot, 8> temporaries;

// Publishes a temporary file's name; the slot's index, or -1 when the table
// is full or the name too long (the file is then only removed by the program).
int RegisterTemporary(const std::string& name) {
  if (name.size() >= PATH_MAX) return -1;
  for (std::size_t i = 0; i < temporaries.size(); ++i) {
    int free = 0;
    if (!temporaries[i].state.compare_exchange_strong(free, 1)) continue;
    std::memcpy(temporaries[i].path.data(), name.c_str(), name.size() + 1);
    temporaries[i].state.store(2);
    return static_cast<int>(i);
  }
  return -1;
}

void UnregisterTemporary(int slot) {
  if (slot >= 0) temporaries[static_cast<std::size_t>(slot)].state.store(0);
}

// Removes the temporary files, then lets the signal end the program as it
// would have: the exit status tells the caller which signal it was.
void RemoveTemporariesAndDie(int signal) {
  for (TemporarySlot& slot : temporaries) {
    if (slot.state.load() == 2) unlink(slot.path.data());
  }
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

// A name that stands for a descriptor the program already holds. Writing goes
// to a copy of that descriptor, so that its offset and append mode are kept,
// as the shell's own redirection to such a name keeps them; -1 for any other name.
int DescriptorNamed(std::string_view path) {
  if (path == "/dev/stdout") return STDOUT_FILENO;
  if (path == "/dev/stderr") return STDERR_FILENO;
  for (std::string_view folder : {"/dev/fd/", "/proc/self/fd/"}) {
    if (!path.starts_with(folder)) continue;
    const std::string_view digits = path.substr(folder.size());
    if (digits.empty() || digits.size() > 6 || digits.find_first_not_of("0123456789") != std::string_view::npos) return -1;
    return std::atoi(std::string(digits).c_str());
  }
  return -1;
}

// The kernel's own limit on links followed in one path lookup.
constexpr int kMaxLinkHops = 40;
constexpr int kNameAttempts = 100;

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The file a path names once its symbolic links are followed, as an editor
// follows them: the link stays and the file it points to gets the new bytes.
// A dangling link gives the path it points to. Sets errno and returns nothing
// on a loop or an unreadable link.
std::optional<std::string> FollowLinks(std::string path) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    std::vector<char> buffer(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
    const ssize_t n = readlink(path.c_str(), buffer.data(), buffer.size());
    if (n < 0) return std::nullopt;
    if (static_cast<std::size_t>(n) >= buffer.size()) {
      errno = ENAMETOOLONG;  // the link changed while it was read
      return std::nullopt;
    }
    std::string target(buffer.data(), static_cast<std::size_t>(n));
    path = target.front() == '/' ? target : FolderOf(path) + "/" + target;
  }
  errno = ELOOP;
  return std::nullopt;
}

// Creates a new file with a short random name in `folder`, so that a target
// name of any allowed length still leaves room for it. The mode 0666 lets the
// umask decide, as for any new file. Returns the descriptor, or -1 with errno.
int CreateTemporary(const std::string& folder, std::string& name) {
  static constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::random_device seed;
  std::mt19937 generator(seed());
  std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    name = folder + "/.orbisca-";
    for (int i = 0; i < 6; ++i) name += kLetters[pick(generator)];
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Gives the new file the owner and permission bits of the file it replaces.
// Only root may give a file away, so a refused owner change is no failure.
bool KeepAttributes(int fd, const std::string& target) {
  struct stat st {};
  if (stat(target.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return true;
  if (fchown(fd, st.st_uid, st.st_gid) != 0) {
    // Keep going: the file is the user's own, under the user's group.
  }
  return fchmod(fd, st.st_mode & 07777) == 0;
}

// Makes the rename itself durable. Some file systems cannot sync a folder;
// the file is in place by then, so that is not reported.
void SyncFolder(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

AtomicFile::~AtomicFile() { Abandon(); }

std::optional<std::string> AtomicFile::Open(const std::string& path) {
  Abandon();
  if (path.empty()) return std::strerror(ENOENT);
  // What is not a regular file (a device, a FIFO, a terminal, a descriptor
  // named as a file) is written straight: a rename would put a regular file
  // in its place (as root, over /dev/null itself).
  if (const int descriptor = DescriptorNamed(path); descriptor >= 0) {
    fd_ = fcntl(descriptor, F_DUPFD_CLOEXEC, 0);
    if (fd_ < 0) return std::strerror(errno);
    direct_ = true;
    return std::nullopt;
  }
  struct stat st {};
  if (stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    if (S_ISDIR(st.st_mode)) return std::strerror(EISDIR);
    fd_ = open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) return std::strerror(errno);
    // Replaced by a regular file in the meantime: that one is written whole.
    if (fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
      direct_ = true;
      return std::nullopt;
    }
    close(fd_);
    fd_ = -1;
  }
  const std::optional<std::string> target = FollowLinks(path);
  if (!target) return std::strerror(errno);
  target_ = *target;
  fd_ = CreateTemporary(FolderOf(target_), temporary_);
  if (fd_ < 0) {
    temporary_.clear();
    return std::strerror(errno);
  }
  slot_ = RegisterTemporary(temporary_);
  return std::nullopt;
}

std::optional<std::string> AtomicFile::Write(std::string_view bytes) {
  if (WriteAll(fd_, bytes)) return std::nullopt;
  return Failed();
}

std::optional<std::string> AtomicFile::Commit() {
  if (direct_) {
    // A device or a pipe has nothing to sync or rename.
    const int fd = fd_;
    fd_ = -1;
    direct_ = false;
    if (close(fd) != 0) return std::strerror(errno);
    return std::nullopt;
  }
  if (!KeepAttributes(fd_, target_) || fsync(fd_) != 0) return Failed();
  const int fd = fd_;
  fd_ = -1;
  if (close(fd) != 0 || rename(temporary_.c_str(), target_.c_str()) != 0) return Failed();
  UnregisterTemporary(slot_);
  slot_ = -1;
  temporary_.clear();
  SyncFolder(FolderOf(target_));
  return std::nullopt;
}

void AtomicFile::Abandon() {
  const int error = errno;
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  direct_ = false;
  if (!temporary_.empty()) {
    unlink(temporary_.c_str());
    UnregisterTemporary(slot_);
    slot_ = -1;
    temporary_.clear();
  }
  errno = error;
}

std::string AtomicFile::Failed() {
  const std::string reason = std::strerror(errno);
  Abandon();
  return reason;
}

std::optional<std::string> WriteFileAtomically(const std::string& path, std::string_view bytes) {
  AtomicFile file;
  if (std::optional<std::string> reason = file.Open(path)) return reason;
  if (std::optional<std::string> reason = file.Write(bytes)) return reason;
  return file.Commit();
}

void IgnoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }

void RemoveTemporaryFilesOnSignals() {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
    struct sigaction action {};
    // A signal the caller chose to ignore (nohup, a background job's SIGINT) stays ignored.
    if (sigaction(signal, nullptr, &action) != 0 || action.sa_handler == SIG_IGN) continue;
    action = {};
    action.sa_handler = RemoveTemporariesAndDie;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
  }
}

}  // namespace orbisca
