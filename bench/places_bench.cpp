// Speed of the atlas over the full GeoNames list that Debian installs: the
// load, a search as the City box runs it after each keystroke, and the first
// search after start-up through the lazy loader (it should cost the load and
// no more). Skipped with a message when libtimezonemap-data is not installed.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <iostream>

#include "places/atlas.h"
#include "places/atlas_loader.h"
#include "places/zone_facts.h"

namespace orbisca::places {
namespace {

const std::string kFolder = "/usr/share/libtimezonemap/ui";

bool Installed(benchmark::State& state) {
  if (std::filesystem::exists(kFolder + "/cities15000.txt")) return true;
  state.SkipWithError("libtimezonemap-data is not installed");
  return false;
}

void LoadAtlas(benchmark::State& state) {
  if (!Installed(state)) return;
  for (auto _ : state) benchmark::DoNotOptimize(Atlas::Load(AtlasFilesIn(kFolder)));
}
BENCHMARK(LoadAtlas)->Unit(benchmark::kMillisecond);

// Two letters, the shortest query the City box completes, then longer ones;
// "sa" and "ma" have the most matches among two-letter prefixes.
void SearchAsTyped(benchmark::State& state) {
  if (!Installed(state)) return;
  static const AtlasLoad load = Atlas::Load(AtlasFilesIn(kFolder));
  const char* queries[] = {"sa", "ma", "ch", "che", "chen", "new york", "springfield, il", "sao paulo"};
  for (auto _ : state) {
    for (const char* q : queries) benchmark::DoNotOptimize(load.atlas->Search(q, 20));
  }
  state.SetItemsProcessed(state.iterations() * std::size(queries));
}
BENCHMARK(SearchAsTyped)->Unit(benchmark::kMicrosecond);

// Start the loader and search at once, as a user who types before the load is
// over would: the wait is the load.
void FirstSearchAfterStart(benchmark::State& state) {
  if (!Installed(state)) return;
  for (auto _ : state) {
    AtlasLoader loader(AtlasFilesIn(kFolder));
    loader.Start();
    benchmark::DoNotOptimize(loader.Wait().atlas->Search("ch", 20));
  }
}
BENCHMARK(FirstSearchAfterStart)->Unit(benchmark::kMillisecond);

void ZoneAtLocalTime(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(LookUpZone("America/New_York", {1976, 7, 4, 10, 15}));
}
BENCHMARK(ZoneAtLocalTime)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace orbisca::places

BENCHMARK_MAIN();
