#pragma once

// The aspects of a chart: every pair of the ten bodies tested against the
// seven kinds.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "aspects/aspect_kind.h"
#include "astro/body.h"
#include "astro/planet_table.h"

namespace orbisca {

// Rounds to the nearest integer, halves to the even one, as RoundHalfEven
// does, for |x| < 2^31, without a call to the maths library.
int RoundHalfEvenToInt(double x);

// The separation tested against the windows: the signed difference of two
// longitudes rounded half to even, then, when it is more than 190 degrees
// either way, taken the short way round the circle so that pairs on both
// sides of 0 degrees are found.
int Separation(double firstLongitude, double secondLongitude);

// The kind whose window holds the separation, testing in kind order.
std::optional<AspectKind> KindOf(int separation);

struct AspectEntry {
  AspectKind kind;
  Body first;
  Body second;
  int separation;
  bool operator==(const AspectEntry&) const = default;
};

// Every ordered pair of the ten bodies (first body by index, then the second,
// skipping a body with itself) that stands in an aspect, in that order.
std::vector<AspectEntry> FindAspects(const PlanetTable& table);

// The heading line of an entry, without the line break: "Sun-Moon  In Trine Aspect".
std::string Heading(const AspectEntry& entry);
// The same with its line break, as the result box holds it.
std::string_view HeadingLine(const AspectEntry& entry);

// Which kinds the entries hold.
std::array<bool, kAspectKindCount> KindsFound(const std::vector<AspectEntry>& entries);

// The text of each kind (in AspectKind order) as the report prints it: each
// entry's heading line and its paragraph, CR LF line breaks; empty for a kind
// with no entry.
std::array<std::string, kAspectKindCount> KindTexts(const std::vector<AspectEntry>& entries);

}  // namespace orbisca
