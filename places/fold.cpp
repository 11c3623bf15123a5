#include "places/fold.h"

#include <algorithm>
#include <array>
#include <vector>

namespace orbisca::places {
namespace {

// One base spelling and the characters that fold to it.
struct FoldRow {
  std::string_view ascii;
  std::u32string_view letters;
};

// The Latin letters of Unicode's Latin-1 Supplement, Latin Extended-A and the
// Romanian comma-below letters of Latin Extended-B, grouped by the base letter
// of their canonical decomposition (UnicodeData.txt); the ligatures and the
// letters without a decomposition (ß, æ, ø, đ, ł, þ, ı, œ) by their usual
// transliteration. Then the typographic apostrophes and hyphens, which place
// names carry and keyboards rarely type.
constexpr auto kFoldRows = std::to_array<FoldRow>({
    {"a", U"ÀÁÂÃÄÅàáâãäåĀāĂăĄą"},
    {"ae", U"Ææ"},
    {"c", U"ÇçĆćĈĉĊċČč"},
    {"d", U"ĎďĐđ"},
    {"dh", U"Ðð"},
    {"e", U"ÈÉÊËèéêëĒēĔĕĖėĘęĚě"},
    {"g", U"ĜĝĞğĠġĢģ"},
    {"h", U"ĤĥĦħ"},
    {"i", U"ÌÍÎÏìíîïĨĩĪīĬĭĮįİı"},
    {"ij", U"Ĳĳ"},
    {"j", U"Ĵĵ"},
    {"k", U"Ķķĸ"},
    {"l", U"ĹĺĻļĽľĿŀŁł"},
    {"n", U"ÑñŃńŅņŇňŉ"},
    {"ng", U"Ŋŋ"},
    {"o", U"ÒÓÔÕÖØòóôõöøŌōŎŏŐő"},
    {"oe", U"Œœ"},
    {"r", U"ŔŕŖŗŘř"},
    {"s", U"ŚśŜŝŞşŠšſȘș"},
    {"ss", U"ß"},
    {"t", U"ŢţŤťŦŧȚț"},
    {"th", U"Þþ"},
    {"u", U"ÙÚÛÜùúûüŨũŪūŬŭŮůŰűŲų"},
    {"w", U"Ŵŵ"},
    {"y", U"ÝýÿŶŷŸ"},
    {"z", U"ŹźŻżŽž"},
    {"'", U"\u2018\u2019\u02BB\u02BC\u00B4"},
    {"-", U"\u2010\u2011\u2012\u2013"},
});

struct FoldEntry {
  char32_t code;
  std::string_view ascii;
  bool operator<(const FoldEntry& other) const { return code < other.code; }
};

// kFoldRows as one list sorted by code point, built once.
const std::vector<FoldEntry>& FoldEntries() {
  static const std::vector<FoldEntry> entries = [] {
    std::vector<FoldEntry> list;
    for (const FoldRow& row : kFoldRows) {
      for (char32_t c : row.letters) list.push_back({c, row.ascii});
    }
    std::sort(list.begin(), list.end());
    return list;
  }();
  return entries;
}

const std::string_view* FoldedSpelling(char32_t code) {
  const auto& entries = FoldEntries();
  const auto it = std::lower_bound(entries.begin(), entries.end(), FoldEntry{code, {}});
  return (it != entries.end() && it->code == code) ? &it->ascii : nullptr;
}

// Decodes one UTF-8 sequence at text[i]; returns its length, or 0 when the
// bytes are not well formed (they are then copied as they are).
std::size_t DecodeUtf8(std::string_view text, std::size_t i, char32_t& out) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (length == 0 || i + length > text.size()) return 0;
  char32_t c = lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    c = (c << 6) | (byte(i + k) & 0x3F);
  }
  out = c;
  return length;
}

}  // namespace

std::string FoldForSearch(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  bool pendingSpace = false;
  // Whether the last character was a Latin letter, plain or folded: the
  // combining marks after it go, as the accents of a precomposed letter go,
  // so that "Zu" + U+0308 + "rich" (decomposed, as some keyboards and file
  // systems write it) folds as "Zürich" does.
  bool afterLatin = false;
  const auto append = [&](std::string_view piece) {
    if (pendingSpace && !out.empty()) out += ' ';
    pendingSpace = false;
    out += piece;
  };
  for (std::size_t i = 0; i < utf8.size();) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      afterLatin = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
      if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
        pendingSpace = true;
      } else {
        const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : static_cast<char>(c);
        append(std::string_view(&lower, 1));
      }
      ++i;
      continue;
    }
    char32_t code = 0;
    const std::size_t length = DecodeUtf8(utf8, i, code);
    if (length == 0) {
      afterLatin = false;
      append(utf8.substr(i, 1));
      ++i;
      continue;
    }
    // The Combining Diacritical Marks block (UnicodeData.txt).
    const bool combiningMark = code >= 0x0300 && code <= 0x036F;
    const std::string_view* folded = FoldedSpelling(code);
    if (combiningMark && afterLatin) {
      // dropped, as the accent of a precomposed letter is
    } else if (code == 0x00A0) {  // no-break space
      pendingSpace = true;
      afterLatin = false;
    } else if (folded) {
      append(*folded);
      afterLatin = true;
    } else {
      append(utf8.substr(i, length));
      afterLatin = false;
    }
    i += length;
  }
  return out;
}

}  // namespace orbisca::places
