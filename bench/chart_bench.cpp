// Speed of one chart: the whole chart, with its texts, the positions alone
// and the aspect pass alone. Run through bench/run.sh for an optimised build.
#include <benchmark/benchmark.h>

#include "aspects/aspects.h"
#include "astro/planet_position.h"
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

}  // namespace
}  // namespace orbisca

BENCHMARK_MAIN();
