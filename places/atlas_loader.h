#pragma once

#include <functional>
#include <future>
#include <mutex>
#include <thread>

#include "places/atlas.h"

namespace orbisca::places {

// Loads the atlas once, on a thread of its own, so that a window can start
// the load early and its first search waits only for what is left of it.
// Start and Wait are safe from any thread.
class AtlasLoader {
 public:
  // `onReady` runs on the loading thread once the load has ended, with an
  // atlas or an error; a window uses it to post itself a message, and to
  // prepare the tz look-up on that thread.
  explicit AtlasLoader(AtlasFiles files, std::function<void()> onReady = {});
  ~AtlasLoader();  // waits for a load in progress
  AtlasLoader(const AtlasLoader&) = delete;
  AtlasLoader& operator=(const AtlasLoader&) = delete;

  // Begins the load if it has not begun; returns at once.
  void Start();
  // The load has ended, with an atlas or an error.
  bool IsReady() const;
  // Begins the load if need be and waits for it.
  const AtlasLoad& Wait();

 private:
  AtlasFiles files_;
  std::function<void()> onReady_;
  std::once_flag startOnce_;
  std::promise<AtlasLoad> promise_;
  std::shared_future<AtlasLoad> result_;
  std::thread thread_;
};

}  // namespace orbisca::places
