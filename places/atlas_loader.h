#pragma once

#include <atomic>
#include <future>
#include <mutex>

#include "places/atlas.h"

namespace orbisca::places {

// Loads the atlas once, on a thread of its own, so that a window can start
// the load at start-up and its first search waits only for what is left of
// it. Also opens the tz database on that thread. Safe to use from any thread.
class AtlasLoader {
 public:
  explicit AtlasLoader(AtlasFiles files);
  ~AtlasLoader();  // waits for a load in progress
  AtlasLoader(const AtlasLoader&) = delete;
  AtlasLoader& operator=(const AtlasLoader&) = delete;

  // Begins the load if it has not begun; returns at once.
  void Start();
  // The load has finished, with an atlas or an error.
  bool IsReady() const;
  // Begins the load if need be and waits for it.
  const AtlasLoad& Wait();

 private:
  AtlasFiles files_;
  std::once_flag startOnce_;
  std::atomic<bool> started_{false};
  std::shared_future<AtlasLoad> result_;
};

}  // namespace orbisca::places
