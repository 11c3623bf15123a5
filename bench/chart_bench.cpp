// Speed of one chart: the three position steps and the aspect pass, and the
// aspect pass alone. Run through bench/run.sh for an optimised build.
#include <benchmark/benchmark.h>

#include "aspects/aspects.h"
#include "astro/moon.h"
#include "astro/planet_position.h"
#include "run/records.h"

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
  Records().Input = NewYork1976();
  for (auto _ : state) {
    CalcSiderealShift();
    CalcMoonPosition();
    CalcPlanetPositions();
    PlainResults results;
    CalcAspects(results);
    benchmark::DoNotOptimize(results);
  }
}
BENCHMARK(WholeChart);

void PositionsOnly(benchmark::State& state) {
  Records().Input = NewYork1976();
  for (auto _ : state) {
    CalcSiderealShift();
    CalcMoonPosition();
    CalcPlanetPositions();
    benchmark::DoNotOptimize(Records().Planets);
  }
}
BENCHMARK(PositionsOnly);

void AspectDetection(benchmark::State& state) {
  Records().Input = NewYork1976();
  CalcSiderealShift();
  CalcMoonPosition();
  CalcPlanetPositions();
  const PlanetTable table = Records().Planets;
  for (auto _ : state) {
    std::vector<AspectEntry> entries = FindAspects(table);
    benchmark::DoNotOptimize(entries);
  }
}
BENCHMARK(AspectDetection);

void AspectPassIntoBoxes(benchmark::State& state) {
  Records().Input = NewYork1976();
  CalcSiderealShift();
  CalcMoonPosition();
  CalcPlanetPositions();
  for (auto _ : state) {
    PlainResults results;
    CalcAspects(results);
    benchmark::DoNotOptimize(results);
  }
}
BENCHMARK(AspectPassIntoBoxes);

}  // namespace
}  // namespace orbisca

BENCHMARK_MAIN();
