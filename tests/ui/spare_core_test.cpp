// A helper thread started beside the window's thread is kept off the core its
// creator runs on when another is allowed, and shares it when none is.
#include <QtTest>
#include <future>
#include <pthread.h>
#include <sched.h>

#include "ui/spare_core.h"

namespace {

cpu_set_t CoresOf(pthread_t thread) {
  cpu_set_t cores;
  CPU_ZERO(&cores);
  if (pthread_getaffinity_np(thread, sizeof cores, &cores) != 0) qFatal("cannot read a thread's cores");
  return cores;
}

// The cores of a thread started beside the caller, read once it was started
// (the thread waits for that, so that it is still there), and the core the
// caller was on meanwhile; retried while the caller moved to another core in
// between.
struct Started {
  cpu_set_t helper;
  int creator = -1;
};
Started StartHelper() {
  Started started;
  for (int attempt = 0; attempt < 100 && started.creator < 0; ++attempt) {
    std::promise<void> read;
    const int before = sched_getcpu();
    std::thread helper = orbisca::ui::StartBeside([done = read.get_future()] { done.wait(); });
    const int after = sched_getcpu();
    started.helper = CoresOf(helper.native_handle());
    read.set_value();
    helper.join();
    if (before == after) started.creator = before;
  }
  if (started.creator < 0) qFatal("the test thread never stayed on one core");
  return started;
}

// Runs `test` on this thread limited to `cores`, then gives it back its own.
template <class Test>
void WithCores(const cpu_set_t& cores, Test test) {
  const cpu_set_t own = CoresOf(pthread_self());
  QVERIFY(pthread_setaffinity_np(pthread_self(), sizeof cores, &cores) == 0);
  test();
  QVERIFY(pthread_setaffinity_np(pthread_self(), sizeof own, &own) == 0);
}

}  // namespace

class SpareCoreTest : public QObject {
  Q_OBJECT

 private slots:
  void theHelperLeavesItsCreatorsCore_data() {
    QTest::addColumn<int>("allowed");  // cores the creator may use
    QTest::newRow("two cores") << 2;
    QTest::newRow("every core") << 0;  // 0: all the process may use
  }
  void theHelperLeavesItsCreatorsCore() {
    QFETCH(int, allowed);
    cpu_set_t cores = CoresOf(pthread_self());
    if (CPU_COUNT(&cores) < 2) QSKIP("one core only: there is no other to use");
    for (int cpu = 0, kept = 0; allowed > 0 && cpu < CPU_SETSIZE; ++cpu) {
      if (CPU_ISSET(cpu, &cores) && ++kept > allowed) CPU_CLR(cpu, &cores);
    }
    WithCores(cores, [&cores] {
      const Started started = StartHelper();
      // All of the creator's cores but the one it was on.
      cpu_set_t expected = cores;
      CPU_CLR(started.creator, &expected);
      QVERIFY(CPU_EQUAL(&started.helper, &expected));
    });
  }

  void aSingleCoreIsShared() {
    const cpu_set_t own = CoresOf(pthread_self());
    cpu_set_t one;
    CPU_ZERO(&one);
    for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu) {
      if (CPU_ISSET(cpu, &own)) {
        CPU_SET(cpu, &one);
        break;
      }
    }
    WithCores(one, [&one] {
      const Started started = StartHelper();
      QVERIFY(CPU_EQUAL(&started.helper, &one));
    });
  }
};

QTEST_APPLESS_MAIN(SpareCoreTest)
#include "spare_core_test.moc"
