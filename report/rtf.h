#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orbisca {

// A Rich Text Format document holding `text` (UTF-8, CR LF line breaks) in
// Verdana, or a sans-serif font where Verdana is missing, at `halfPoints` / 2
// points. Every line break (CR LF, and a lone CR or LF too) becomes a
// paragraph break, a tab a \tab, the characters \ { } are escaped, and every
// character outside printable ASCII is written as \uN? (UTF-16 code units as
// signed 16-bit numbers, so characters beyond the Basic Multilingual Plane
// become a surrogate pair). Bytes that are not valid UTF-8 are read as
// U+FFFD. So no text can break the document.
std::string EncodeRtf(std::string_view text, int halfPoints = 20);

// The nearest RTF font size in half points for a size in points (9.75 point
// gives 20: RTF sizes are whole half points).
int RtfHalfPoints(double points);

// Decodes UTF-8 into code points; each maximal invalid sequence (a stray
// continuation byte, a truncated or overlong sequence, an encoded surrogate,
// a value beyond U+10FFFF) becomes one U+FFFD.
std::u32string DecodeUtf8(std::string_view text);

}  // namespace orbisca
