#pragma once

// Where a sidereal longitude falls: the sign (rasi) of 30°, the place within
// it, and the lunar mansion (nakshatra) of 13°20′ with its quarter (pada) of
// 3°20′.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "astro/body.h"

namespace orbisca {

struct ZodiacSign {
  int number;  // 1..12 from the start of the sidereal zodiac
  std::string_view sanskrit;
  std::string_view english;
};

// The twelve rasis of 30° each, Sanskrit names with the Western names of the
// same 30° divisions, in the common romanization without diacritics.
inline constexpr std::array<ZodiacSign, 12> kZodiacSigns = {{
    {1, "Mesha", "Aries"},
    {2, "Vrishabha", "Taurus"},
    {3, "Mithuna", "Gemini"},
    {4, "Karka", "Cancer"},
    {5, "Simha", "Leo"},
    {6, "Kanya", "Virgo"},
    {7, "Tula", "Libra"},
    {8, "Vrischika", "Scorpio"},
    {9, "Dhanu", "Sagittarius"},
    {10, "Makara", "Capricorn"},
    {11, "Kumbha", "Aquarius"},
    {12, "Meena", "Pisces"},
}};

struct NakshatraRow {
  int number;  // 1..27 from 0° of Mesha
  std::string_view name;
};

// The 27 nakshatras of 13°20′ each, Ashwini beginning at 0° of the sidereal
// zodiac (the equal division of the Surya Siddhanta, ch. 8), in the common
// romanization without diacritics.
inline constexpr std::array<NakshatraRow, 27> kNakshatras = {{
    {1, "Ashwini"},
    {2, "Bharani"},
    {3, "Krittika"},
    {4, "Rohini"},
    {5, "Mrigashira"},
    {6, "Ardra"},
    {7, "Punarvasu"},
    {8, "Pushya"},
    {9, "Ashlesha"},
    {10, "Magha"},
    {11, "Purva Phalguni"},
    {12, "Uttara Phalguni"},
    {13, "Hasta"},
    {14, "Chitra"},
    {15, "Swati"},
    {16, "Vishakha"},
    {17, "Anuradha"},
    {18, "Jyeshtha"},
    {19, "Mula"},
    {20, "Purva Ashadha"},
    {21, "Uttara Ashadha"},
    {22, "Shravana"},
    {23, "Dhanishta"},
    {24, "Shatabhisha"},
    {25, "Purva Bhadrapada"},
    {26, "Uttara Bhadrapada"},
    {27, "Revati"},
}};

struct BodyAbbreviation {
  Body body;
  std::string_view letters;
};

// The two-letter marks of the chart picture, in slot order.
inline constexpr std::array<BodyAbbreviation, kBodyCount> kBodyAbbreviations = {{
    {Body::Sun, "Su"},
    {Body::Moon, "Mo"},
    {Body::Mercury, "Me"},
    {Body::Venus, "Ve"},
    {Body::Mars, "Ma"},
    {Body::Jupiter, "Ju"},
    {Body::Saturn, "Sa"},
    {Body::Uranus, "Ur"},
    {Body::Neptune, "Ne"},
    {Body::Pluto, "Pl"},
}};
inline constexpr std::string_view kAscendantAbbreviation = "As";

inline constexpr std::string_view Abbreviation(Body b) { return kBodyAbbreviations[Index(b)].letters; }

// A longitude cut into whole seconds of arc. Every part comes from the same
// truncated count of seconds, so the parts never disagree: 29°59′59.9″ of a
// sign stays 29°59′59″ of that sign, never 30°00′ nor 0°00′ of the next.
struct ZodiacPosition {
  int sign = 1;        // 1..12
  int degrees = 0;     // 0..29 within the sign
  int minutes = 0;     // 0..59
  int seconds = 0;     // 0..59
  int nakshatra = 1;   // 1..27
  int pada = 1;        // 1..4
  bool operator==(const ZodiacPosition&) const = default;
};

// The position of a longitude in degrees; any finite value is first reduced
// into 0 <= value < 360.
ZodiacPosition ZodiacPositionOf(double longitude);

// Whole seconds of arc of a longitude in degrees, 0 <= result < 1296000: the
// count every part of ZodiacPositionOf comes from, so that whatever else is
// cut from it (the divisional signs) falls at the same second. A value that
// is not finite counts as 0.
long long ArcSecondsOf(double longitude);
inline constexpr long long kArcSecondsPerSign = 30LL * 3600;

// "Mesha (Aries)" for sign 1.
std::string SignName(int sign);
std::string_view NakshatraName(int nakshatra);

// Degrees, minutes and seconds of arc of a magnitude, truncated to the second:
// "23°31′58″".
std::string FormatArcDms(double degrees);
// Degrees and minutes within the sign: "18°30′".
std::string FormatInSign(const ZodiacPosition& p);

}  // namespace orbisca
