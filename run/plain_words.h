#pragma once

// The plain words a typed birth is read from, shared by every edge that reads
// one from text: the options, a batch row and a library record.

#include <cctype>
#include <optional>
#include <string_view>

namespace orbisca {

// Equal but for the case of ASCII letters ("est" and "EST").
inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

// A daylight-saving cell: true, yes or 1; false, no or 0; in any case.
inline std::optional<bool> DstWord(std::string_view text) {
  for (std::string_view yes : {"true", "yes", "1"}) {
    if (EqualsIgnoringCase(text, yes)) return true;
  }
  for (std::string_view no : {"false", "no", "0"}) {
    if (EqualsIgnoringCase(text, no)) return false;
  }
  return std::nullopt;
}

}  // namespace orbisca
