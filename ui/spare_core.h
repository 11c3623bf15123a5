#pragma once

#include <thread>
#include <utility>

namespace orbisca::ui {

// Keeps `thread` off the core the calling thread is running on, when the
// process may use another. A helper thread started while the window is being
// built is meant to run beside the window's thread, but the scheduler at times
// places a new thread on its creator's core while another core idles, and
// nothing moves either of them until that core's next tick (4 ms at 250 Hz):
// the window's thread then waits for the helper instead of working beside it.
void KeepOffThisCore(std::thread& thread);

// A thread running `work`, kept off the calling thread's core.
template <class Work>
std::thread StartBeside(Work&& work) {
  std::thread thread(std::forward<Work>(work));
  KeepOffThisCore(thread);
  return thread;
}

}  // namespace orbisca::ui
