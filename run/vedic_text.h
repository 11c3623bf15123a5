#pragma once

// The texts of the nodes, the particulars and the dasha that the window, the
// listing and --json share.

#include <string>
#include <string_view>

#include "run/chart.h"

namespace orbisca {

// "1976-07-04 10:15": a Julian day (universal time) on a clock offsetHours
// ahead of universal time.
std::string ClockDateTime(double julianDay, double offsetHours);

// "1976-07-04 10:15": the birth's local date and clock time, to the minute
// the positions read.
std::string BirthClockText(const Birth& birth);

// "2031-05-17T04:12Z": ISO 8601, universal time, to the minute.
std::string IsoUniversal(double julianDay);

// "UTC-4:00", "UTC+5:30", "UTC": the birth's clock.
std::string ClockOffsetName(double offsetHours);

// "365.25 days", "365.2422 days (tropical)", "360 days (savana)".
std::string_view DashaYearName(DashaYear year);

// "Born in Venus dasha, balance 12 y 4 m 9 d".
std::string BalanceLine(const DashaBalance& balance);

// The person's age at an instant in whole years and months of the calendar,
// both read on the birth's clock: "12 y 4 m". Empty before the birth.
std::string AgeAt(const Birth& birth, const Chart& chart, double julianDay);

// "vara Sunday (Ravivara) from sunrise 1976-07-04 05:29", or, where the Sun
// does not rise that day, the civil day and why.
std::string VaraText(const Chart& chart);

// The particulars on one line: "Born on a Sunday; vara ...; tithi 7 (Shukla
// Saptami); yoga 14 (Harshana); karana 13 (Vanija); Moon in Ardra, pada 4".
std::string ParticularsLine(const Chart& chart);

}  // namespace orbisca
