// Speed of one chart: the three position steps and the aspect pass, and the
// aspect pass alone. Run through bench/run.sh for an optimised build.
#include <benchmark/benchmark.h>

#include "aspects/aspects.h"
#include "astro/chart_positions.h"
#include "astro/dasha.h"
#include "astro/nodes.h"
#include "astro/panchanga.h"
#include "astro/planet_position.h"
#include "astro/sunrise.h"
#include "run/chart_input.h"

namespace orbisca {
namespace {

ChartInput NewYork1976() {
  ChartInput in;
  in.BirthYear = 1976;
  in.BirthMonth = 7;
  in.BirthDay = 4;
  in.BirthHour = 10;
  in.BirthMinute = 15;
  in.ZoneCorrHours = 5;
  in.ZoneHours = 5;
  in.LonDeg = 74;
  in.IsDst = kTrue;
  return in;
}

void WholeChart(benchmark::State& state) {
  const BirthInstant instant = InstantOf(NewYork1976());
  for (auto _ : state) {
    const ChartPositions positions = PositionsAt(instant);
    PlainResults results;
    WriteAspects(FindAspects(positions.planets), results);
    benchmark::DoNotOptimize(results);
  }
}
BENCHMARK(WholeChart);

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

void AspectPassIntoBoxes(benchmark::State& state) {
  const PlanetTable table = PositionsAt(InstantOf(NewYork1976())).planets;
  for (auto _ : state) {
    PlainResults results;
    WriteAspects(FindAspects(table), results);
    benchmark::DoNotOptimize(results);
  }
}
BENCHMARK(AspectPassIntoBoxes);

// What the batch adds per birth for the Vedic rows: the nodes of one kind
// (range 0 mean, 1 true), then the balance at birth with the particulars
// and the vara (its sunrise search), and the whole three-level dasha.
void Nodes(benchmark::State& state) {
  const ChartFacts facts = ChartFactsAt(InstantOf(NewYork1976()), -74.0, 40.7);
  const NodeKind kind = state.range(0) == 0 ? NodeKind::Mean : NodeKind::True;
  for (auto _ : state) benchmark::DoNotOptimize(SiderealNodes(facts.julianDay, facts.siderealShift, kind));
}
BENCHMARK(Nodes)->Arg(0)->Arg(1);

void BalanceParticularsVara(benchmark::State& state) {
  const ChartFacts facts = ChartFactsAt(InstantOf(NewYork1976()), -74.0, 40.7);
  const double sun = facts.planets.Longitude(Body::Sun), moon = facts.planets.Longitude(Body::Moon);
  for (auto _ : state) {
    benchmark::DoNotOptimize(VimshottariBalance(moon));
    benchmark::DoNotOptimize(ParticularsOf(sun, moon));
    benchmark::DoNotOptimize(VaraAt(facts.julianDay, -4.0, -74.0, 40.7));
  }
}
BENCHMARK(BalanceParticularsVara);

void DashaThreeLevels(benchmark::State& state) {
  const ChartFacts facts = ChartFactsAt(InstantOf(NewYork1976()), -74.0, 40.7);
  const double moon = facts.planets.Longitude(Body::Moon);
  for (auto _ : state) benchmark::DoNotOptimize(VimshottariDasha(facts.julianDay, moon, 365.25, 3));
}
BENCHMARK(DashaThreeLevels);

}  // namespace
}  // namespace orbisca

BENCHMARK_MAIN();
