#pragma once

// The sixteen divisional charts (vargas, shodasavarga) of Parashara: each
// sign of 30° is cut into parts, and each part is given a sign of its own.
//
// Source: Brihat Parashara Hora Shastra, ch. 6, "The sixteen divisions of a
// rasi", in the English translation of R. Santhanam (Ranjan Publications,
// New Delhi, 1984, vol. 1). Where later traditions differ (the hora and the
// drekkana of other authors), the rule here is Parashara's, as named in its
// row.
//
// A varga sign is cut from the same whole seconds of arc as the rasi
// (ArcSecondsOf in astro/zodiac.h), so a part's boundary falls at the same
// second in every output: the last second of a part and the first of the next
// are whole seconds, and a part whose edge is not a whole second (the
// saptamsa's 4°17′8.57″) begins at the first whole second at or past it.

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace orbisca {

// A varga by its number of parts per sign, its usual name (D9, ...).
enum class Varga : unsigned char {
  D1 = 1, D2 = 2, D3 = 3, D4 = 4, D7 = 7, D9 = 9, D10 = 10, D12 = 12,
  D16 = 16, D20 = 20, D24 = 24, D27 = 27, D30 = 30, D40 = 40, D45 = 45, D60 = 60,
};

inline constexpr int Divisions(Varga v) { return static_cast<int>(v); }

// How a sign's parts are given their signs.
enum class VargaRule : unsigned char {
  EqualParts,    // n equal parts; the k-th (from 0) falls step * k signs past the first part's sign
  UnequalParts,  // parts of the lengths in oddParts / evenParts, each with its own sign
};

// Which entry of `first` gives the first part's sign.
enum class FirstPartBy : unsigned char {
  AnySign,  // first[0] for every sign
  Parity,   // first[0] for odd signs (Mesha, Mithuna, ...), first[1] for even ones
  Quality,  // first[0] for movable signs (Mesha, Karka, Tula, Makara), first[1] fixed, first[2] dual
  Element,  // first[0] fiery (Mesha, Simha, Dhanu), first[1] earthy, first[2] airy, first[3] watery
};

// How an entry of `first` is read.
enum class CountedFrom : unsigned char {
  TheSign,  // the n-th sign from the sign itself, the sign being the 1st
  Mesha,    // a sign's own number, Mesha 1 .. Meena 12
};

// One part of an unequal division: it ends at endDegree of the sign and takes sign.
struct SignPart {
  int endDegree;
  int sign;
};

// The Parashari hora (BPHS 6.5-6): the first half of an odd sign is the Sun's
// hora (Simha), the second the Moon's (Karka); the reverse in an even sign.
inline constexpr std::array<SignPart, 2> kHoraOdd = {{{15, 5}, {30, 4}}};
inline constexpr std::array<SignPart, 2> kHoraEven = {{{15, 4}, {30, 5}}};

// The trimsamsa: in an odd sign 5°, 5°, 8°, 7° and 5° of Mars, Saturn,
// Jupiter, Mercury and Venus, each the lord's odd sign (Mesha, Kumbha, Dhanu,
// Mithuna, Tula); in an even sign the same spans reversed, Venus, Mercury,
// Jupiter, Saturn and Mars, each the lord's even sign (Vrishabha, Kanya,
// Meena, Makara, Vrischika).
inline constexpr std::array<SignPart, 5> kTrimsamsaOdd = {{{5, 1}, {10, 11}, {18, 9}, {25, 3}, {30, 7}}};
inline constexpr std::array<SignPart, 5> kTrimsamsaEven = {{{5, 2}, {12, 6}, {20, 12}, {25, 10}, {30, 8}}};

struct VargaRow {
  Varga varga;
  std::string_view name;
  VargaRule rule;
  FirstPartBy by;  // EqualParts only
  CountedFrom counted;
  std::array<int, 4> first;
  int step;
  std::span<const SignPart> oddParts;  // UnequalParts only
  std::span<const SignPart> evenParts;
  std::string_view text;  // the rule in words, after the translation
};

// The sixteen vargas of BPHS ch. 6 (Santhanam's translation), in its order.
// (Built by a lambda only so that the rows may name the enumerators short.)
inline constexpr std::array<VargaRow, 16> kVargas = [] {
  using enum VargaRule;
  using enum FirstPartBy;
  using enum CountedFrom;
  return std::array<VargaRow, 16>{{
    {Varga::D1, "Rasi", EqualParts, AnySign, TheSign, {1}, 1, {}, {}, "the sign itself"},
    {Varga::D2, "Hora", UnequalParts, AnySign, Mesha, {}, 0, kHoraOdd, kHoraEven,
     "Parashari hora: odd signs Simha then Karka, even signs Karka then Simha"},
    {Varga::D3, "Drekkana", EqualParts, AnySign, TheSign, {1}, 4, {}, {},
     "Parashari drekkana: the 1st, 5th and 9th signs from the sign"},
    {Varga::D4, "Chaturthamsa", EqualParts, AnySign, TheSign, {1}, 3, {}, {},
     "the four kendras from the sign: the 1st, 4th, 7th and 10th"},
    {Varga::D7, "Saptamsa", EqualParts, Parity, TheSign, {1, 7}, 1, {}, {},
     "odd signs from the sign itself, even signs from the 7th"},
    {Varga::D9, "Navamsa", EqualParts, Quality, TheSign, {1, 9, 5}, 1, {}, {},
     "movable signs from the sign itself, fixed from the 9th, dual from the 5th"},
    {Varga::D10, "Dasamsa", EqualParts, Parity, TheSign, {1, 9}, 1, {}, {},
     "odd signs from the sign itself, even signs from the 9th"},
    {Varga::D12, "Dvadasamsa", EqualParts, AnySign, TheSign, {1}, 1, {}, {}, "from the sign itself"},
    {Varga::D16, "Shodasamsa", EqualParts, Quality, Mesha, {1, 5, 9}, 1, {}, {},
     "movable signs from Mesha, fixed from Simha, dual from Dhanu"},
    {Varga::D20, "Vimsamsa", EqualParts, Quality, Mesha, {1, 9, 5}, 1, {}, {},
     "movable signs from Mesha, fixed from Dhanu, dual from Simha"},
    {Varga::D24, "Chaturvimsamsa", EqualParts, Parity, Mesha, {5, 4}, 1, {}, {},
     "odd signs from Simha, even signs from Karka"},
    {Varga::D27, "Saptavimsamsa", EqualParts, Element, Mesha, {1, 4, 7, 10}, 1, {}, {},
     "fiery signs from Mesha, earthy from Karka, airy from Tula, watery from Makara"},
    {Varga::D30, "Trimsamsa", UnequalParts, AnySign, Mesha, {}, 0, kTrimsamsaOdd, kTrimsamsaEven,
     "odd signs 5, 5, 8, 7, 5 degrees of Mars, Saturn, Jupiter, Mercury, Venus; even signs reversed"},
    {Varga::D40, "Khavedamsa", EqualParts, Parity, Mesha, {1, 7}, 1, {}, {},
     "odd signs from Mesha, even signs from Tula"},
    {Varga::D45, "Akshavedamsa", EqualParts, Quality, Mesha, {1, 5, 9}, 1, {}, {},
     "movable signs from Mesha, fixed from Simha, dual from Dhanu"},
    {Varga::D60, "Shashtiamsa", EqualParts, AnySign, TheSign, {1}, 1, {}, {}, "from the sign itself"},
  }};
}();

// The row of a varga.
const VargaRow& VargaRowOf(Varga v);

// The varga with n parts per sign, if it is one of the sixteen.
std::optional<Varga> VargaOfDivisions(int n);

// The sign (1..12) in a varga of a sidereal longitude in degrees, reduced and
// cut into whole seconds of arc exactly as ZodiacPositionOf does.
int VargaSign(Varga v, double siderealLongitude);

// The same from a longitude already in whole seconds of arc (any value; it is
// reduced into one circle).
int VargaSignOfArcSeconds(Varga v, long long arcSeconds);

}  // namespace orbisca
