// The readers of the births files (AAF, CSV, JSON Lines) on any bytes: the
// first byte picks the format. Invariants: every birth read is one the
// library keeps, and its export in each format reads back as the same births.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "births/exchange.h"
#include "fuzz_check.h"

using namespace orbisca::births;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const FileFormat format = static_cast<FileFormat>(data[0] % 3);
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const ParsedBirths parsed = ParseBirths(text, format);
  FUZZ_CHECK(parsed.births.size() == parsed.lines.size(), "a line for each birth");
  for (const SavedBirth& s : parsed.births) FUZZ_CHECK(CheckSaved(s).empty(), "a birth the library refuses was read");
  for (FileFormat out : {FileFormat::Aaf, FileFormat::Csv, FileFormat::Jsonl}) {
    const std::string exported = ExportText(parsed.births, out);
    FuzzContext() = exported;
    const ParsedBirths back = ParseBirths(exported, out);
    FUZZ_CHECK(back.problems.empty(), "an export that does not read back");
    FUZZ_CHECK(back.births.size() == parsed.births.size(), "an export with another number of births");
    for (std::size_t i = 0; i < back.births.size(); ++i) {
      FUZZ_CHECK(back.births[i].SameBirth(parsed.births[i]), "an export that reads back as another birth");
    }
  }
  FuzzContext().clear();
  return 0;
}
