#include "aspects/aspects.h"

#include <cstdint>

#include "aspects/interpretation_table.h"
#include "astro/numeric.h"

namespace orbisca {

namespace {

// The separations that can occur, -190 to 190 after the fold.
constexpr int kMaxSeparation = 190;
constexpr int kNoKind = -1;

// The kind of each separation, the first window in kind order that holds it,
// worked out once from the windows: one look-up instead of seven tests, and
// no branch to mispredict on random births.
constexpr std::array<signed char, 2 * kMaxSeparation + 1> kKindBySeparation = [] {
  std::array<signed char, 2 * kMaxSeparation + 1> table{};
  table.fill(kNoKind);
  for (const AspectKindInfo& info : kAspectKinds) {
    for (int s = info.low; s <= info.high; ++s) {
      if (table[static_cast<std::size_t>(s + kMaxSeparation)] == kNoKind) {
        table[static_cast<std::size_t>(s + kMaxSeparation)] = static_cast<signed char>(info.kind);
      }
    }
  }
  return table;
}();

// Every heading line, "Sun-Moon  In Trine Aspect" and its CR LF, for each
// kind and ordered pair, laid out end to end at compile time: writing an
// entry then copies its heading once instead of assembling it from four
// pieces. A body with itself gets a line too; no entry asks for it.
constexpr std::size_t kHeadingCount = kAspectKindCount * kBodyCount * kBodyCount;

constexpr std::size_t HeadingSlot(AspectKind kind, Body first, Body second) {
  return (Index(kind) * kBodyCount + Index(first)) * kBodyCount + Index(second);
}

template <typename Visit>
constexpr void ForEachHeadingPiece(AspectKind kind, Body first, Body second, Visit&& visit) {
  for (std::string_view piece : {BodyName(first), std::string_view("-"), BodyName(second),
                                 Info(kind).headingSuffix, std::string_view("\r\n")}) {
    visit(piece);
  }
}

template <typename Visit>
constexpr void ForEachHeading(Visit&& visit) {
  for (const AspectKindInfo& info : kAspectKinds) {
    for (Body first : kAllBodies) {
      for (Body second : kAllBodies) visit(info.kind, first, second);
    }
  }
}

constexpr std::size_t kHeadingBytes = [] {
  std::size_t bytes = 0;
  ForEachHeading([&](AspectKind k, Body a, Body b) {
    ForEachHeadingPiece(k, a, b, [&](std::string_view piece) { bytes += piece.size(); });
  });
  return bytes;
}();

struct HeadingLines {
  std::array<char, kHeadingBytes> text{};
  std::array<std::uint16_t, kHeadingCount + 1> start{};  // by HeadingSlot; the last is the end
};

constexpr HeadingLines kHeadingLines = [] {
  static_assert(kHeadingBytes <= 0xFFFF, "heading offsets are 16 bits");
  HeadingLines lines;
  std::size_t at = 0;
  ForEachHeading([&](AspectKind k, Body a, Body b) {
    lines.start[HeadingSlot(k, a, b)] = static_cast<std::uint16_t>(at);
    ForEachHeadingPiece(k, a, b, [&](std::string_view piece) {
      for (char c : piece) lines.text[at++] = c;
    });
  });
  lines.start[kHeadingCount] = static_cast<std::uint16_t>(at);
  return lines;
}();

}  // namespace

std::string_view HeadingLine(const AspectEntry& e) {
  const std::size_t slot = HeadingSlot(e.kind, e.first, e.second);
  const std::size_t start = kHeadingLines.start[slot];
  return {kHeadingLines.text.data() + start, kHeadingLines.start[slot + 1] - start};
}

int RoundHalfEvenToInt(double x) {
  // The conversion truncates toward zero, and x - t is then exact. Written
  // without branches: on random births each test goes either way.
  const int t = static_cast<int>(x);
  const double fraction = x - t;
  const int odd = t & 1;
  const int up = static_cast<int>(fraction > 0.5) | (static_cast<int>(fraction == 0.5) & odd);
  const int down = static_cast<int>(fraction < -0.5) | (static_cast<int>(fraction == -0.5) & odd);
  return t + up - down;
}

int Separation(double firstLongitude, double secondLongitude) {
  int s = RoundHalfEvenToInt(firstLongitude - secondLongitude);
  s -= 360 * static_cast<int>(s > kMaxSeparation);
  s += 360 * static_cast<int>(s < -kMaxSeparation);
  return s;
}

std::optional<AspectKind> KindOf(int separation) {
  if (separation < -kMaxSeparation || separation > kMaxSeparation) return std::nullopt;
  const signed char kind = kKindBySeparation[static_cast<std::size_t>(separation + kMaxSeparation)];
  if (kind == kNoKind) return std::nullopt;
  return static_cast<AspectKind>(kind);
}

std::vector<AspectEntry> FindAspects(const PlanetTable& table) {
  // Separation(b, a) is -Separation(a, b) exactly (the difference, the
  // rounding and the fold are all odd), so each pair is rounded once.
  std::array<std::array<int, kBodyCount>, kBodyCount> separations{};
  for (std::size_t i = 0; i < kBodyCount; ++i) {
    for (std::size_t j = i + 1; j < kBodyCount; ++j) {
      separations[i][j] = Separation(table.BodyLongitudes[i], table.BodyLongitudes[j]);
      separations[j][i] = -separations[i][j];
    }
  }
  // Every pair is written and only those in a window are kept, so the
  // found-or-not test is no branch either.
  std::array<AspectEntry, kBodyCount * kBodyCount> found;
  std::size_t count = 0;
  for (std::size_t i = 0; i < kBodyCount; ++i) {
    for (std::size_t j = 0; j < kBodyCount; ++j) {
      if (i == j) continue;
      const int s = separations[i][j];
      const signed char kind = kKindBySeparation[static_cast<std::size_t>(s + kMaxSeparation)];
      found[count] = {static_cast<AspectKind>(kind), kAllBodies[i], kAllBodies[j], s};
      count += static_cast<std::size_t>(kind != kNoKind);
    }
  }
  return std::vector<AspectEntry>(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(count));
}

std::string Heading(const AspectEntry& e) {
  const std::string_view line = HeadingLine(e);
  return std::string(line.substr(0, line.size() - 2));
}

std::array<bool, kAspectKindCount> KindsFound(const std::vector<AspectEntry>& entries) {
  std::array<bool, kAspectKindCount> found{};
  for (const AspectEntry& e : entries) found[Index(e.kind)] = true;
  return found;
}

std::array<std::string, kAspectKindCount> KindTexts(const std::vector<AspectEntry>& entries) {
  const InterpretationTable& paragraphs = GetInterpretationTable();
  std::array<std::string, kAspectKindCount> texts;
  for (const AspectEntry& e : entries) {
    std::string& text = texts[Index(e.kind)];
    text += HeadingLine(e);
    text += EntryText(paragraphs, e.kind, e.first, e.second);
  }
  return texts;
}

}  // namespace orbisca
