#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace orbisca {

// Tells whether another copy of the program runs for the same user. The first
// copy holds a lock file in the user's runtime directory for as long as it
// runs; the lock records the holder's process, so a lock left behind by a copy
// that crashed is recognised as stale and taken over.
class SingleInstance {
 public:
  // The lock of this user's copies.
  SingleInstance();
  explicit SingleInstance(const QString& lockPath);
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // Takes the lock unless another live copy holds it; true when another copy
  // is running. Once taken, the lock is kept until this object is destroyed.
  bool AnotherCopyRunning();

  // The lock file of this user's copies, in the user's runtime directory.
  static QString DefaultLockPath();

 private:
  std::unique_ptr<QLockFile> lock_;
};

}  // namespace orbisca
