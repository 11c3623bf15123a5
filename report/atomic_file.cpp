#include "report/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <random>
#include <vector>

namespace orbisca {
namespace {

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

std::string Fail(int fd, const std::string& temporary) {
  const int error = errno;
  if (fd >= 0) close(fd);
  unlink(temporary.c_str());
  return std::strerror(error);
}

}  // namespace

std::optional<std::string> WriteFileAtomically(const std::string& path, std::string_view bytes) {
  if (path.empty()) return std::strerror(ENOENT);
  const std::optional<std::string> target = FollowLinks(path);
  if (!target) return std::strerror(errno);
  const std::string folder = FolderOf(*target);
  std::string temporary;
  const int fd = CreateTemporary(folder, temporary);
  if (fd < 0) return std::strerror(errno);
  if (!WriteAll(fd, bytes) || !KeepAttributes(fd, *target) || fsync(fd) != 0) return Fail(fd, temporary);
  if (close(fd) != 0) return Fail(-1, temporary);
  if (rename(temporary.c_str(), target->c_str()) != 0) return Fail(-1, temporary);
  SyncFolder(folder);
  return std::nullopt;
}

void IgnoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }

}  // namespace orbisca
