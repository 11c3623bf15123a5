// Speed of one chart: the three position steps and the aspect pass, and the
// aspect pass alone. Run through bench/run.sh for an optimised build.
#include <benchmark/benchmark.h>

#include "aspects/aspects.h"
#include "astro/planet_position.h"
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

}  // namespace
}  // namespace orbisca

BENCHMARK_MAIN();
