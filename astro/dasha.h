#pragma once

// The Vimshottari dasha: the nine periods of 120 years counted from the lord
// of the Moon's nakshatra, each divided again in the same proportions.

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

namespace orbisca {

enum class DashaLord : unsigned char { Ketu, Venus, Sun, Moon, Mars, Rahu, Jupiter, Saturn, Mercury };

struct DashaLordRow {
  DashaLord lord;
  std::string_view name;
  int years;
};

// The lords in their order and their years (120 in all), Ashwini's lord
// first: Parashara, "Brihat Parashara Hora Shastra", the chapter on the
// dashas (the Vimshottari). Nakshatra n (1..27) has lord (n - 1) mod 9.
inline constexpr std::array<DashaLordRow, 9> kVimshottariLords = {{
    {DashaLord::Ketu, "Ketu", 7},
    {DashaLord::Venus, "Venus", 20},
    {DashaLord::Sun, "Sun", 6},
    {DashaLord::Moon, "Moon", 10},
    {DashaLord::Mars, "Mars", 7},
    {DashaLord::Rahu, "Rahu", 18},
    {DashaLord::Jupiter, "Jupiter", 16},
    {DashaLord::Saturn, "Saturn", 19},
    {DashaLord::Mercury, "Mercury", 17},
}};
inline constexpr int kVimshottariYears = 120;

inline constexpr std::size_t LordIndex(DashaLord l) { return static_cast<std::size_t>(l); }
inline constexpr std::string_view LordName(DashaLord l) { return kVimshottariLords[LordIndex(l)].name; }
inline constexpr int LordYears(DashaLord l) { return kVimshottariLords[LordIndex(l)].years; }
// The lord that follows l in the cycle (Mercury is followed by Ketu).
inline constexpr DashaLord NextLord(DashaLord l) { return kVimshottariLords[(LordIndex(l) + 1) % 9].lord; }

enum class DashaYear { Julian, Tropical, Savana };

struct DashaYearRow {
  DashaYear kind;
  double days;
  std::string_view name;
};

// The lengths of the dasha year offered: the Julian year (the default), the
// tropical year, and the savana year of twelve 30-day months.
inline constexpr std::array<DashaYearRow, 3> kDashaYears = {{
    {DashaYear::Julian, 365.25, "365.25 days"},
    {DashaYear::Tropical, 365.2422, "365.2422 days (tropical)"},
    {DashaYear::Savana, 360.0, "360 days (savana)"},
}};
inline constexpr double DashaYearDays(DashaYear y) { return kDashaYears[static_cast<std::size_t>(y)].days; }

struct DashaBalance {
  DashaLord lord;          // lord of the Moon's nakshatra: the period at birth
  double elapsedFraction;  // of the nakshatra's arc the Moon has passed, 0 <= f < 1
  double years;            // left of that period at birth: (1 - f) x the lord's years
};

// The balance at birth from the Moon's sidereal longitude in degrees (any
// finite value, reduced into 0..360; std::invalid_argument otherwise).
DashaBalance VimshottariBalance(double moonLongitude);

// Years cut into years, months and days as the dasha texts count them: the
// fraction of a year times 12 gives months, the fraction of a month times 30
// gives days, rounded to the nearest day (a half up), carried into months
// and years. 16.7625 years are 16 y 9 m 5 d.
struct YearsMonthsDays {
  int years, months, days;
  bool operator==(const YearsMonthsDays&) const = default;
};
YearsMonthsDays SplitDashaYears(double years);

// One period with its sub-periods. Instants are Julian days in universal
// time; a period runs from start (included) to end (excluded), and its
// sub-periods tile it: the first starts at its start, each starts at the end
// of the one before, the last ends at its end (the same double values).
struct DashaPeriod {
  DashaLord lord;
  double start, end;
  std::vector<DashaPeriod> periods;  // empty at the last level asked for
};

// The nine mahadashas from the one running at birth, with `levels` levels in
// all (1 mahadashas only, 2 with antardashas, 3 with pratyantardashas; values
// outside 1..3 are clamped). The first mahadasha starts before birth, where
// its elapsed part began, and the nine cover 120 years of yearDays days from
// there. Antardashas start with their mahadasha's lord and last MD x AD / 120
// years, pratyantardashas MD x AD x PD / 120^2. A birth or Moon that is not
// a number, or a year that is not a positive length, is std::invalid_argument.
std::vector<DashaPeriod> VimshottariDasha(double birthJulianDay, double moonLongitude, double yearDays, int levels);

// The chain of periods (mahadasha, antardasha, ...) that holds the instant,
// outermost first; empty when the instant lies outside the 120 years.
std::vector<const DashaPeriod*> PeriodsAt(const std::vector<DashaPeriod>& mahadashas, double julianDay);

}  // namespace orbisca
