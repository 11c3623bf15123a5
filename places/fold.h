#pragma once

#include <string>
#include <string_view>

namespace orbisca::places {

// The form of a name that search compares: lower case, Latin letters without
// their accents ("São Paulo" -> "sao paulo", "Straße" -> "strasse"), runs of
// white space as one space, no leading or trailing space. Letters of other
// scripts are kept as they are, so an exact non-Latin name still matches itself.
std::string FoldForSearch(std::string_view utf8);

}  // namespace orbisca::places
