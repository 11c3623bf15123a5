#include "ui/spare_core.h"

#include <pthread.h>
#include <sched.h>

namespace orbisca::ui {

void KeepOffThisCore(std::thread& thread) {
  cpu_set_t allowed;
  CPU_ZERO(&allowed);
  if (sched_getaffinity(0, sizeof allowed, &allowed) != 0) return;
  const int here = sched_getcpu();
  if (here < 0 || here >= CPU_SETSIZE || !CPU_ISSET(here, &allowed) || CPU_COUNT(&allowed) < 2) return;
  CPU_CLR(here, &allowed);
  // The thread inherited its creator's cores; failing to narrow them leaves
  // it where the scheduler put it, which is only slower.
  pthread_setaffinity_np(thread.native_handle(), sizeof allowed, &allowed);
}

}  // namespace orbisca::ui
