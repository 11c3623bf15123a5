// The atlas loader on damaged files: lines, columns and encodings of any
// kind. The invariant: a clear error (naming the file) or a loaded atlas,
// never a crash; a loaded atlas holds places in range, each found by its id
// and by its own name.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "places/atlas.h"
#include "places/fold.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orbisca::places;
  FuzzedDataProvider in(data, size);
  AtlasTexts texts;
  texts.admin1 = in.ConsumeRandomLengthString();
  texts.countries = in.ConsumeRandomLengthString();
  texts.cities = in.ConsumeRemainingBytesAsString();
  const AtlasFiles files = AtlasFilesIn("atlas");
  const AtlasLoad load = Atlas::FromTexts(files, texts);
  if (!load.atlas) {
    FUZZ_CHECK(!load.error.empty(), "a failed load says why");
    const bool namesFile = load.error.find(files.cities) != std::string::npos ||
                           load.error.find(files.admin1) != std::string::npos ||
                           load.error.find(files.countries) != std::string::npos;
    FUZZ_CHECK(load.error.starts_with("The atlas file ") && namesFile, "the error names the damaged file");
    return 0;
  }
  FUZZ_CHECK(load.error.empty(), "a loaded atlas carries no error");
  FUZZ_CHECK(load.atlas->size() > 0, "a loaded atlas lists places");
  // Each line of the cities file is a place: found by its id, in range, and
  // found by its own name when that is a query of one part (no comma) that
  // folds to something.
  std::size_t start = 0;
  for (std::size_t end; start < texts.cities.size(); start = end + 1) {
    end = std::min(texts.cities.find('\n', start), texts.cities.size());
    const std::string line = texts.cities.substr(start, end - start);
    if (line.empty() || line == "\r" || line.front() == '#') continue;
    const std::size_t tab = line.find('\t');
    const std::int64_t id = std::stoll(line.substr(0, tab));
    const Place* place = load.atlas->FindById(id);
    FUZZ_CHECK(place != nullptr, "every line's place is found by its id");
    FUZZ_CHECK(std::abs(place->latitude) <= 90 && std::abs(place->longitude) <= 180, "coordinates in range");
    FUZZ_CHECK(!place->name.empty() && !place->timeZone.empty(), "a place has a name and a zone");
    const std::string name = line.substr(tab + 1, line.find('\t', tab + 1) - tab - 1);
    if (name.find(',') != std::string::npos || FoldForSearch(name).empty()) continue;
    const auto found = load.atlas->Search(name);
    FUZZ_CHECK(std::any_of(found.begin(), found.end(), [id](const Place* p) { return p->geonameId == id; }),
               "a place is found by its own name");
  }
  return 0;
}
