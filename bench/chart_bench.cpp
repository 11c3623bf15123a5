// Speed of one chart: the whole chart, with its texts, the positions alone
// and the aspect pass alone. Run through bench/run.sh for an optimised build.
#include <benchmark/benchmark.h>

#include "aspects/aspects.h"
#include "astro/dasha.h"
#include "astro/nodes.h"
#include "astro/panchanga.h"
#include "astro/planet_position.h"
#include "astro/sunrise.h"
#include "run/chart.h"

namespace orbisca {
namespace {

Birth NewYork1976() {
  Birth in;
  in.year = 1976;
  in.month = 7;
  in.day = 4;
  in.hour = 10;
  in.minute = 15;
  in.zone = ZoneRow{27};  // Eastern Standard Time
  in.lonDegrees = 74;
  in.east = false;
  in.dst = true;
  return in;
}

void WholeChart(benchmark::State& state) {
  const Birth birth = NewYork1976();
  for (auto _ : state) {
    Chart chart = ComputeChart(birth);
    benchmark::DoNotOptimize(chart);
  }
}
BENCHMARK(WholeChart);

void WholeChartWithTexts(benchmark::State& state) {
  const Birth birth = NewYork1976();
  for (auto _ : state) {
    std::array<std::string, kAspectKindCount> texts = KindTexts(ComputeChart(birth).aspects);
    benchmark::DoNotOptimize(texts);
  }
}
BENCHMARK(WholeChartWithTexts);

void PositionsOnly(benchmark::State& state) {
  const BirthInstant instant = InstantOf(NewYork1976());
  for (auto _ : state) {
    ChartPositions positions = PositionsAt(instant);
    benchmark::DoNotOptimize(positions);
  }
}
BENCHMARK(PositionsOnly);

void AspectDetection(benchmark::State& state) {
  const PlanetTable table = PositionsAt(InstantOf(NewYork1976())).planets;
  for (auto _ : state) {
    std::vector<AspectEntry> entries = FindAspects(table);
    benchmark::DoNotOptimize(entries);
  }
}
BENCHMARK(AspectDetection);

// What the batch adds per birth for the Vedic rows: the nodes of one kind
// (range 0 mean, 1 true), then the balance at birth with the particulars
// and the vara (its sunrise search), and the whole three-level dasha.
void Nodes(benchmark::State& state) {
  const ChartInstant facts = ComputeChart(NewYork1976()).instant;
  const NodeKind kind = state.range(0) == 0 ? NodeKind::Mean : NodeKind::True;
  for (auto _ : state) benchmark::DoNotOptimize(SiderealNodes(facts.julianDay, facts.siderealShift, kind));
}
BENCHMARK(Nodes)->Arg(0)->Arg(1);

void BalanceParticularsVara(benchmark::State& state) {
  const Chart chart = ComputeChart(NewYork1976());
  const ChartInstant& facts = chart.instant;
  const double sun = chart.planets.Longitude(Body::Sun), moon = chart.planets.Longitude(Body::Moon);
  for (auto _ : state) {
    benchmark::DoNotOptimize(VimshottariBalance(moon));
    benchmark::DoNotOptimize(ParticularsOf(sun, moon));
    benchmark::DoNotOptimize(VaraAt(facts.julianDay, -4.0, -74.0, 40.7));
  }
}
BENCHMARK(BalanceParticularsVara);

void DashaThreeLevels(benchmark::State& state) {
  const Chart chart = ComputeChart(NewYork1976());
  const double moon = chart.planets.Longitude(Body::Moon);
  for (auto _ : state) benchmark::DoNotOptimize(VimshottariDasha(chart.instant.julianDay, moon, 365.25, 3));
}
BENCHMARK(DashaThreeLevels);

}  // namespace
}  // namespace orbisca

BENCHMARK_MAIN();
