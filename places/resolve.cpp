#include "places/resolve.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <vector>

#include "places/fold.h"

namespace orbisca::places {
namespace {

constexpr std::size_t kCandidatesShown = 10;

bool IsGeonameId(std::string_view text) {
  return !text.empty() && text.size() <= 12 &&
         std::all_of(text.begin(), text.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

std::string Candidates(const std::vector<const Place*>& places) {
  std::string text;
  for (std::size_t i = 0; i < places.size() && i < kCandidatesShown; ++i) {
    text += "\n  " + std::to_string(places[i]->geonameId) + "  " + DisplayName(*places[i]);
  }
  if (places.size() > kCandidatesShown) {
    text += "\n  and " + std::to_string(places.size() - kCandidatesShown) + " more";
  }
  return text;
}

PlaceResolution Refused(std::string message) { return {std::nullopt, std::move(message)}; }

}  // namespace

PlaceChoice FindOnePlace(const Atlas& atlas, std::string_view text) {
  if (IsGeonameId(text)) {
    std::int64_t id = 0;
    std::from_chars(text.data(), text.data() + text.size(), id);
    if (const Place* place = atlas.FindById(id)) return {place, {}};
    return {nullptr, "no place in the atlas has the GeoNames id " + std::string(text)};
  }
  const std::vector<const Place*> matches = atlas.Search(text);
  if (matches.empty()) return {nullptr, "no place in the atlas matches \"" + std::string(text) + "\""};
  // A name given in full beats the longer names it begins ("Paris" before "Parisot").
  const std::string name = ParsePlaceQuery(text).name;
  std::vector<const Place*> exact;
  for (const Place* place : matches) {
    if (FoldForSearch(place->name) == name || FoldForSearch(place->asciiName) == name) exact.push_back(place);
  }
  const std::vector<const Place*>& chosen = exact.empty() ? matches : exact;
  if (chosen.size() == 1) return {chosen.front(), {}};
  std::string message = "\"";
  message.append(text).append("\" is ambiguous; it names:").append(Candidates(chosen));
  message += "\nNarrow it as \"City, State, Country\" or give the GeoNames id.";
  return {nullptr, std::move(message)};
}

PlaceResolution ResolvePlaceAt(const Atlas& atlas, std::string_view text, const LocalDateTime& local,
                               DstChoice choice) {
  const PlaceChoice found = FindOnePlace(atlas, text);
  if (!found.place) return Refused(found.error);
  const Place& place = *found.place;
  const ZoneLookup lookup = LookUpZone(place.timeZone, local);
  if (!lookup.answer) return Refused(lookup.error);
  const ZoneAnswer& answer = *lookup.answer;

  ClockOffset offset = answer.first;
  if (answer.kind == LocalTimeKind::Skipped) return Refused(SkippedTimeMessage(place.timeZone, local, answer));
  if (answer.kind == LocalTimeKind::Repeated) {
    const bool canChoose = answer.first.dst != answer.second.dst;
    if (choice == DstChoice::Unspecified || !canChoose) {
      return Refused(RepeatedTimeMessage(place.timeZone, local, answer) +
                     (canChoose ? " Say which with --dst or --no-dst."
                                : " Give the offset with --zone instead."));
    }
    offset = (answer.first.dst == (choice == DstChoice::Dst)) ? answer.first : answer.second;
  } else if (choice != DstChoice::Unspecified && offset.dst != (choice == DstChoice::Dst)) {
    return Refused("daylight saving was " + std::string(offset.dst ? "" : "not ") + "in force in " + place.timeZone +
                   " on " + FormatLocalDateTime(local) + " (" + offset.abbreviation + ", " +
                   FormatUtcOffset(offset.offsetSeconds) + "); leave out --dst and --no-dst");
  }
  PlaceAtTime result;
  result.place = &place;
  result.offset = offset;
  result.offsetMinutes = static_cast<int>(std::lround(offset.offsetSeconds / 60.0));
  result.note = MeanTimeNote(place.timeZone, offset, place.name, place.longitude);
  return {result, {}};
}

}  // namespace orbisca::places
