#pragma once

// The zone argument of orbisca-chart as its help and README describe it,
// written apart from the program: a list position 0 to 70 (leading zeros
// count for nothing), the exact list text, or an abbreviation, in any case,
// that names one row only; an abbreviation naming several rows is refused
// with all of them.

#include <cctype>
#include <string_view>
#include <vector>

#include "run/time_zones.h"

namespace orbisca::fuzz {

struct ZoneAnswer {
  int position = -1;        // the row, or -1 when refused
  std::vector<int> rows;    // the rows an ambiguous abbreviation names
};

inline ZoneAnswer ReferenceZone(std::string_view argument) {
  bool digits = !argument.empty();
  for (char c : argument) digits = digits && c >= '0' && c <= '9';
  if (digits) {
    long value = 0;
    for (char c : argument) value = value > 1000 ? value : value * 10 + (c - '0');
    return {value <= 70 ? static_cast<int>(value) : -1, {}};
  }
  for (int i = 0; i < kTimeZoneCount; ++i) {
    if (TimeZoneTable[static_cast<std::size_t>(i)].text == argument) return {i, {}};
  }
  std::vector<int> rows;
  for (int i = 0; i < kTimeZoneCount; ++i) {
    const std::string_view a = TimeZoneTable[static_cast<std::size_t>(i)].abbreviation;
    bool same = a.size() == argument.size();
    for (std::size_t k = 0; same && k < a.size(); ++k) {
      same = std::tolower(static_cast<unsigned char>(a[k])) == std::tolower(static_cast<unsigned char>(argument[k]));
    }
    if (same) rows.push_back(i);
  }
  if (rows.size() == 1) return {rows.front(), {}};
  return {-1, rows.size() > 1 ? rows : std::vector<int>{}};
}

}  // namespace orbisca::fuzz
