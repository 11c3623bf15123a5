#include "app/single_instance.h"

#include <QDir>
#include <cerrno>
#include <cstdio>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orbisca {
namespace {

QString UserName() {
  if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_name && *entry->pw_name) {
    return QString::fromLocal8Bit(entry->pw_name);
  }
  return QStringLiteral("uid%1").arg(getuid());
}

// A folder (not a link to one) of this user that no one else can write into
// or read: nobody else can create or remove a file in it.
bool IsPrivateFolder(const QByteArray& path) {
  struct stat info {};
  return lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid() &&
         (info.st_mode & 0777) == 0700;
}

QByteArray AbsoluteEnv(const char* name) {
  const QByteArray value = qgetenv(name);
  return value.startsWith('/') ? value : QByteArray();
}

// The user's cache folder: XDG_CACHE_HOME, else ~/.cache.
QByteArray CacheFolder() {
  if (QByteArray cache = AbsoluteEnv("XDG_CACHE_HOME"); !cache.isEmpty()) return cache;
  QByteArray home = AbsoluteEnv("HOME");
  if (home.isEmpty()) {
    const passwd* entry = getpwuid(getuid());
    if (!entry || !entry->pw_dir || entry->pw_dir[0] != '/') return {};
    home = entry->pw_dir;
  }
  return home + "/.cache";
}

// "orbisca" under the cache folder, made 0700 (both made when missing). A
// folder of that name that belongs to someone else is not used.
QByteArray CacheLockFolder() {
  const QByteArray cache = CacheFolder();
  if (cache.isEmpty()) return {};
  mkdir(cache.constData(), 0700);  // a failure shows in the next step
  const QByteArray folder = cache + "/orbisca";
  if (mkdir(folder.constData(), 0700) != 0 && errno != EEXIST) return {};
  struct stat info {};
  if (lstat(folder.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != geteuid()) return {};
  if ((info.st_mode & 0777) != 0700 && chmod(folder.constData(), 0700) != 0) return {};
  return folder;
}

}  // namespace

SingleInstance::SingleInstance() : SingleInstance(DefaultLockPath()) {}

SingleInstance::SingleInstance(const QString& lockPath) : path_(lockPath) {
  if (path_.isEmpty()) return;
  lock_ = std::make_unique<QLockFile>(path_);
  // Only a dead holder makes the lock stale: a copy may run for days.
  lock_->setStaleLockTime(0);
}

QString SingleInstance::DefaultLockPath() {
  // The shared temporary folder is never used: another user could create the
  // lock there first and keep this user's every copy from starting.
  QByteArray folder = AbsoluteEnv("XDG_RUNTIME_DIR");
  if (folder.isEmpty() || !IsPrivateFolder(folder)) folder = CacheLockFolder();
  if (folder.isEmpty()) return {};
  return QDir(QString::fromLocal8Bit(folder)).filePath(QStringLiteral("orbisca-%1.lock").arg(UserName()));
}

bool SingleInstance::AnotherCopyRunning() {
  if (!lock_) {
    ReportNoLock(QStringLiteral("no private folder for the lock file"));
    return false;
  }
  if (lock_->isLocked()) return false;
  if (lock_->tryLock(0)) return false;
  // tryLock removes a stale lock itself; a lock it cannot take for another
  // reason (an unwritable folder) must not keep the user from working.
  if (lock_->error() == QLockFile::LockFailedError) return true;
  ReportNoLock(QDir::toNativeSeparators(path_) +
               (lock_->error() == QLockFile::PermissionError ? QStringLiteral(": permission denied")
                                                               : QStringLiteral(": the file cannot be written")));
  return false;
}

void SingleInstance::ReportNoLock(const QString& reason) const {
  std::fprintf(stderr, "orbisca: starting without the single-instance lock (%s)\n", reason.toLocal8Bit().constData());
}

}  // namespace orbisca
