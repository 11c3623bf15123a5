#include "aspects/aspects.h"

#include "aspects/interpretation.h"
#include "astro/numeric.h"

namespace orbisca {

int Separation(double firstLongitude, double secondLongitude) {
  int s = static_cast<int>(RoundHalfEven(firstLongitude - secondLongitude));
  if (s > 190) s -= 360;
  if (s < -190) s += 360;
  return s;
}

std::optional<AspectKind> KindOf(int separation) {
  for (const AspectKindInfo& info : kAspectKinds) {
    if (separation >= info.low && separation <= info.high) return info.kind;
  }
  return std::nullopt;
}

std::vector<AspectEntry> FindAspects(const PlanetTable& table) {
  std::vector<AspectEntry> entries;
  for (Body first : kAllBodies) {
    for (Body second : kAllBodies) {
      if (first == second) continue;
      const int s = Separation(table.Longitude(first), table.Longitude(second));
      if (const std::optional<AspectKind> kind = KindOf(s)) entries.push_back({*kind, first, second, s});
    }
  }
  return entries;
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
  for (const AspectEntry& e : entries) {
    sink.SetInsertStyle(e.kind, true, kHeadingColour);
    sink.InsertText(e.kind, Heading(e) + "\r\n");
    sink.SetInsertStyle(e.kind, false, kParagraphColour);
    std::string paragraph(GetInterpretation(e.kind, e.first, e.second));
    sink.InsertText(e.kind, paragraph + "\r\n\r\n");
  }
  const std::array<bool, kAspectKindCount> AspectFound = KindsFound(entries);
  for (const AspectKindInfo& info : kAspectKinds) sink.BringCoverToFront(info.kind);
  for (const AspectKindInfo& info : kAspectKinds) {
    if (AspectFound[Index(info.kind)]) sink.SendCoverToBack(info.kind);
  }
}

}  // namespace orbisca
