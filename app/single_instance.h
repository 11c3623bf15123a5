#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace orbisca {

// Tells whether another copy of the program runs for the same user. The first
// copy holds a lock file in a folder only the user can write for as long as
// it runs; the lock records the holder's process, so a lock left behind by a
// copy that crashed is recognised as stale and taken over. Where no lock can
// be taken at all, the program runs without one and says so on standard error.
class SingleInstance {
 public:
  // The lock of this user's copies.
  SingleInstance();
  // The lock at `lockPath`; an empty path means there is no place for one.
  explicit SingleInstance(const QString& lockPath);
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // Takes the lock unless another live copy holds it; true when another copy
  // is running. Once taken, the lock is kept until this object is destroyed.
  bool AnotherCopyRunning();

  // The lock file of this user's copies: in the runtime folder when it is the
  // user's own with mode 0700, otherwise in a 0700 folder under the user's
  // cache folder. Empty when neither can be had.
  static QString DefaultLockPath();

 private:
  void ReportNoLock(const QString& reason) const;

  QString path_;
  std::unique_ptr<QLockFile> lock_;
};

}  // namespace orbisca
