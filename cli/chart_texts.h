#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "run/birth_entries.h"

namespace orbisca::cli {

// The texts of one birth as orbisca-chart's options give them, or a batch
// row's cells: the same forms, the same defaults.
struct ChartTexts {
  std::string_view name = "CHART";
  std::string_view date;  // YYYY-MM-DD
  std::string_view time;  // HH:MM
  std::string_view zone;  // list position, list text or abbreviation
  bool dst = false;
  std::string_view lon = "0:00E";  // DEG:MIN and E or W
  std::string_view lat = "0:00N";  // DEG:MIN and N or S
};

// The form's entries that the texts stand for, or the message that refuses
// them (the form's own checks come after, on the entries).
std::variant<BirthEntries, std::string> EntriesFromTexts(const ChartTexts& texts);

}  // namespace orbisca::cli
