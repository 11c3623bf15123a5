#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "aspects/aspect_kind.h"
#include "astro/body.h"

namespace orbisca {

// The three sets of paragraphs. The flowing aspects (conjunction, sextile,
// trine) share one, the hard aspects (square, quincunx, opposition) another,
// and the semi-sextile has its own.
enum class ParagraphPool : unsigned char { Harmonious, Challenging, SemiSextile };

// Most pairs have one paragraph per pool. A few pairs read differently from
// one aspect to another within a pool; those paragraphs carry a letter.
enum class ParagraphVariant : unsigned char { Only, A, B, C, D, E };

// One paragraph, named by its pool, its pair of bodies (in body order) and
// its letter.
struct InterpretationParagraph {
  ParagraphPool pool;
  Body first;
  Body second;
  ParagraphVariant variant;
  std::string_view text;
};

inline constexpr std::size_t kInterpretationParagraphCount = 141;

// Cell value of a grid that holds no paragraph: a body with itself.
inline constexpr std::uint8_t kNoParagraph = 0xFF;

using InterpretationGrid = std::array<std::array<std::uint8_t, kBodyCount>, kBodyCount>;

// What follows a paragraph in a result box: the line break and a blank line.
inline constexpr std::string_view kEntryEnd = "\r\n\r\n";

// Every paragraph once, and per aspect kind a 10 x 10 grid over the body order
// whose cells give the row of the pair's paragraph.
struct InterpretationTable {
  std::array<InterpretationParagraph, kInterpretationParagraphCount> paragraphs;
  std::array<InterpretationGrid, kAspectKindCount> grids;
  // By row: the paragraph and kEntryEnd as one text.
  std::array<std::string_view, kInterpretationParagraphCount> entries;
};

const InterpretationTable& GetInterpretationTable();

// The pair's paragraph followed by kEntryEnd, from a table already at hand:
// a chart looks up a few dozen entries.
inline std::string_view EntryText(const InterpretationTable& table, AspectKind kind, Body first, Body second) {
  const std::uint8_t row = table.grids[Index(kind)][Index(first)][Index(second)];
  return row == kNoParagraph ? kEntryEnd : table.entries[row];
}

// The pool an aspect kind draws on.
constexpr ParagraphPool PoolOf(AspectKind kind) {
  switch (kind) {
    case AspectKind::Conjunction:
    case AspectKind::Sextile:
    case AspectKind::Trine:
      return ParagraphPool::Harmonious;
    case AspectKind::SemiSextile:
      return ParagraphPool::SemiSextile;
    case AspectKind::Square:
    case AspectKind::Quincunx:
    case AspectKind::Opposition:
      break;
  }
  return ParagraphPool::Challenging;
}

}  // namespace orbisca
