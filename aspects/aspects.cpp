#include "aspects/aspects.h"

#include "aspects/interpretation.h"
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

}  // namespace

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
  std::string h;
  h.append(BodyName(e.first)).append("-").append(BodyName(e.second)).append(Info(e.kind).headingSuffix);
  return h;
}

std::array<bool, kAspectKindCount> KindsFound(const std::vector<AspectEntry>& entries) {
  std::array<bool, kAspectKindCount> found{};
  for (const AspectEntry& e : entries) found[Index(e.kind)] = true;
  return found;
}

void WriteAspects(const std::vector<AspectEntry>& entries, ResultsSink& sink) {
  // One buffer for every heading and paragraph, grown once.
  std::string text;
  text.reserve(512);
  for (const AspectEntry& e : entries) {
    sink.SetInsertStyle(e.kind, true, kHeadingColour);
    text.assign(BodyName(e.first)).append("-").append(BodyName(e.second)).append(Info(e.kind).headingSuffix).append("\r\n");
    sink.InsertText(e.kind, text);
    sink.SetInsertStyle(e.kind, false, kParagraphColour);
    text.assign(GetInterpretation(e.kind, e.first, e.second)).append("\r\n\r\n");
    sink.InsertText(e.kind, text);
  }
  const std::array<bool, kAspectKindCount> AspectFound = KindsFound(entries);
  for (const AspectKindInfo& info : kAspectKinds) sink.BringCoverToFront(info.kind);
  for (const AspectKindInfo& info : kAspectKinds) {
    if (AspectFound[Index(info.kind)]) sink.SendCoverToBack(info.kind);
  }
}

}  // namespace orbisca
