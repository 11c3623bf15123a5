// Importing AAF records into the library of births against reading and
// parsing them alone (goal: at most 3x), and listing the library whole and
// searched. Interleaved rounds, medians; a fresh library file per import.
// Usage: births_bench [RECORDS [ROUNDS [FOLDER]]]   (100000, 5, the temp folder)

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "births/exchange.h"
#include "births/library.h"

namespace births = orbisca::births;
using Clock = std::chrono::steady_clock;

namespace {

// Random births as AAF: every zone form, both hemispheres, half with a
// Julian day (which the reader checks against the civil time).
std::string RandomAaf(std::size_t records) {
  std::mt19937 random(20261208);
  std::uniform_int_distribution<int> year(1901, 2050), month(1, 12), day(1, 28), hour(0, 23), minute(0, 59),
      latDeg(0, 89), lonDeg(0, 179), zone(-11, 13);
  std::string text;
  char line[256];
  for (std::size_t i = 0; i < records; ++i) {
    std::snprintf(line, sizeof line, "#A93:Name %zu,First,%c,%d.%d.%d,%d:%02d,Town %zu,XX\n", i, "mfe"[i % 3],
                  day(random), month(random), year(random), hour(random), minute(random), i % 977);
    text += line;
    const int z = zone(random);
    std::snprintf(line, sizeof line, "#B93:*,%d%c%02d,%d%c%02d,%dh%c%s,%d\n", latDeg(random), "ns"[i % 2],
                  minute(random), lonDeg(random), "ew"[i % 2], minute(random), std::abs(z), z < 0 ? 'w' : 'e',
                  i % 4 ? "00" : "30", static_cast<int>(i % 2));
    text += line;
    if (i % 5 == 0) text += "#COM:A comment, with a comma\n";
  }
  return text;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double Since(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t records = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
  const std::filesystem::path folder =
      (argc > 3 ? std::filesystem::path(argv[3]) : std::filesystem::temp_directory_path()) /
      ("births_bench_" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::string aaf = (folder / "births.aaf").string();
  std::ofstream(aaf) << RandomAaf(records);

  std::vector<double> parse, import, ratio, list, search, summaries;
  for (int round = 0; round < rounds; ++round) {
    std::string error;
    Clock::time_point start = Clock::now();
    {
      const std::optional<std::string> text = births::ReadWholeFile(aaf, error);
      const births::ParsedBirths parsed = births::ParseBirths(*text, births::FileFormat::Aaf);
      if (parsed.births.size() != records) return std::fprintf(stderr, "parsed %zu births\n", parsed.births.size()), 1;
    }
    parse.push_back(Since(start));

    const std::string path = (folder / ("library" + std::to_string(round) + ".sqlite")).string();
    start = Clock::now();
    {
      const std::optional<std::string> text = births::ReadWholeFile(aaf, error);
      births::Library library(path, births::Access::Write);
      const births::ImportReport report = births::ImportText(library, *text, births::FileFormat::Aaf, false);
      if (report.added != records) return std::fprintf(stderr, "imported %zu births\n", report.added), 1;
    }
    import.push_back(Since(start));
    ratio.push_back(import.back() / parse.back());

    births::Library library(path, births::Access::Read);
    start = Clock::now();
    if (library.List().size() != records) return 1;
    list.push_back(Since(start));
    start = Clock::now();
    if (library.Summaries().size() != records) return 1;
    summaries.push_back(Since(start));
    start = Clock::now();
    const std::size_t found = library.List("town 97").size();
    search.push_back(Since(start));
    if (found == 0) return 1;
  }
  // kept
  std::printf("  %zu AAF records, %d rounds, medians:\n", records, rounds);
  // The ratio of each round's two neighbouring runs, then their median: a
  // machine that drifts in speed over the rounds moves both runs of a round.
  std::printf("  read and parse %.1f ms, import into a new library %.1f ms: ratio %.2fx (goal <= 3x)\n",
              Median(parse), Median(import), Median(ratio));
  std::printf("  list all %.1f ms, their summaries %.1f ms, list --search \"town 97\" %.1f ms\n", Median(list),
              Median(summaries), Median(search));
  return 0;
}
