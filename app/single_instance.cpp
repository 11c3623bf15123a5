#include "app/single_instance.h"

#include <QDir>
#include <QStandardPaths>
#include <pwd.h>
#include <unistd.h>

namespace orbisca {
namespace {

QString UserName() {
  if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_name && *entry->pw_name) {
    return QString::fromLocal8Bit(entry->pw_name);
  }
  return QStringLiteral("uid%1").arg(getuid());
}

}  // namespace

SingleInstance::SingleInstance() : SingleInstance(DefaultLockPath()) {}

SingleInstance::SingleInstance(const QString& lockPath) : lock_(std::make_unique<QLockFile>(lockPath)) {
  // Only a dead holder makes the lock stale: a copy may run for days.
  lock_->setStaleLockTime(0);
}

QString SingleInstance::DefaultLockPath() {
  // The runtime directory is the user's own (XDG_RUNTIME_DIR, or a private
  // folder Qt makes when that is unset); the user's name in the file name
  // keeps users apart even where such a folder is shared.
  QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (dir.isEmpty()) dir = QDir::tempPath();
  return QDir(dir).filePath(QStringLiteral("orbisca-%1.lock").arg(UserName()));
}

bool SingleInstance::AnotherCopyRunning() {
  if (lock_->isLocked()) return false;
  if (lock_->tryLock(0)) return false;
  // tryLock removes a stale lock itself; a lock it cannot take for another
  // reason (an unwritable folder) must not keep the user from working.
  return lock_->error() == QLockFile::LockFailedError;
}

}  // namespace orbisca
