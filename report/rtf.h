#pragma once

#include <string>
#include <string_view>

namespace orbisca {

// A Rich Text Format document holding `text` (UTF-8, CR LF line breaks) in
// Verdana at `halfPoints` / 2 points: every CR LF a paragraph break, the
// control characters escaped, anything outside ASCII as \uN?.
std::string EncodeRtf(std::string_view text, int halfPoints = 20);

}  // namespace orbisca
