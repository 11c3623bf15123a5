// The engine against Swiss Ephemeris on the same random births, in one
// process, interleaved round by round, medians reported. The time is the
// thread's CPU time, so that other processes on a busy machine count for
// neither side.
//
// Swiss Ephemeris computes the ten bodies sidereal (Lahiri) from its Moshier
// series, which needs no data files. Random births matter: it keeps the last
// instant of every body and answers a repeated instant from that cache.
//
// Usage: anchor_bench [births] [rounds]
#include <swephexp.h>

#include <algorithm>
#include <array>
#include <ctime>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "bench/chart_steps.h"

namespace orbisca {
namespace {

constexpr std::array<int, 10> kSweBodies = {SE_SUN,    SE_MOON,   SE_MERCURY, SE_VENUS,   SE_MARS,
                                            SE_JUPITER, SE_SATURN, SE_URANUS,  SE_NEPTUNE, SE_PLUTO};

struct Anchor {
  std::array<double, 10> longitudes;
};

// Universal time from the same record the engine starts from, then the ten
// bodies; the ayanamsa is Lahiri's, as the engine's.
Anchor AnchorChart(const Birth& in) {
  const CalendarMinute ut = UniversalCalendarMinute(InstantOf(in));
  const double jd = swe_julday(ut.year, ut.month, ut.day, ut.hour + ut.minute / 60.0, SE_GREG_CAL);
  Anchor a{};
  char error[AS_MAXCH];
  for (std::size_t i = 0; i < kSweBodies.size(); ++i) {
    double xx[6];
    if (swe_calc_ut(jd, kSweBodies[i], SEFLG_MOSEPH | SEFLG_SIDEREAL, xx, error) < 0) {
      std::fprintf(stderr, "swe_calc_ut: %s\n", error);
      std::exit(1);
    }
    a.longitudes[i] = xx[0];
  }
  return a;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

double ThreadCpuMicroseconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

// Microseconds per birth of one pass over all births; the sum of what each
// call returns is kept so that no call can be left out.
template <typename F>
double TimePass(const std::vector<Birth>& births, F&& chart, double& keep) {
  const double start = ThreadCpuMicroseconds();
  for (const Birth& in : births) keep += chart(in);
  return (ThreadCpuMicroseconds() - start) / static_cast<double>(births.size());
}

// The arc from a to b the short way round, in arc-minutes.
double ArcMinutes(double a, double b) {
  double d = std::fabs(a - b);
  if (d > 180.0) d = 360.0 - d;
  return d * 60.0;
}

void CompareWithAnchor(const std::vector<Birth>& births) {
  std::array<double, 10> worst{};
  for (const Birth& in : births) {
    const PlanetTable ours = Positions(in);
    const Anchor theirs = AnchorChart(in);
    for (std::size_t i = 0; i < kAllBodies.size(); ++i) {
      worst[i] = std::max(worst[i], ArcMinutes(ours.Longitude(kAllBodies[i]), theirs.longitudes[i]));
    }
  }
  std::printf("largest difference from the anchor, arc-minutes:");
  for (std::size_t i = 0; i < kAllBodies.size(); ++i) {
    std::printf(" %s %.1f", std::string(BodyName(kAllBodies[i])).c_str(), worst[i]);
  }
  std::printf("\n");
}

int Main(int argc, char** argv) {
  const std::size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 10000;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 15;
  if (count == 0 || rounds <= 0) {
    std::fprintf(stderr, "usage: anchor_bench [births] [rounds]\n");
    return 2;
  }
  swe_set_sid_mode(SE_SIDM_LAHIRI, 0, 0);
  const std::vector<Birth> births = RandomBirths(count, 20261207);
  CompareWithAnchor(births);

  std::vector<double> positions, whole, anchor;
  double keep = 0.0;
  for (int r = 0; r < rounds; ++r) {
    positions.push_back(TimePass(births, PositionsAndAspectCount, keep));
    whole.push_back(TimePass(births, WholeChartLength, keep));
    anchor.push_back(TimePass(births, [](const Birth& in) { return AnchorChart(in).longitudes[1]; }, keep));
  }
  swe_close();

  const double p = Median(positions), w = Median(whole), a = Median(anchor);
  std::printf("%zu random births, %d rounds interleaved, median CPU microseconds per birth:\n", count, rounds);
  std::printf("  %-46s %8.2f us\n", "anchor: Swiss Ephemeris, 10 bodies, Moshier", a);
  std::printf("  %-46s %8.2f us  %5.1fx faster than the anchor\n", "positions + aspect pass", p, a / p);
  std::printf("  %-46s %8.2f us  %5.1fx faster than the anchor\n", "whole chart, entries written", w, a / w);
  std::fflush(stdout);
  std::fprintf(stderr, "(checksum %g)\n", keep);
  return 0;
}

}  // namespace
}  // namespace orbisca

int main(int argc, char** argv) { return orbisca::Main(argc, argv); }
