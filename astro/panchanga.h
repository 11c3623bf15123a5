#pragma once

// The day's particulars from the sidereal Sun and Moon: the lunar day
// (tithi), the yoga, the half-tithi (karana), and the Moon's nakshatra.

#include <array>
#include <string_view>

namespace orbisca {

enum class Paksha { Shukla, Krishna };  // the bright (waxing) and dark (waning) halves

struct TithiRow {
  int number;  // 1..15 within its paksha
  std::string_view name;
};

// The fifteen tithis of each paksha, the fifteenth being the full Moon
// (Purnima) in the bright half and the new Moon (Amavasya) in the dark half.
// Names: R. Sewell and S. B. Dikshit, "The Indian Calendar" (1896), in the
// common romanization without diacritics.
inline constexpr std::array<TithiRow, 15> kTithis = {{
    {1, "Pratipada"},
    {2, "Dvitiya"},
    {3, "Tritiya"},
    {4, "Chaturthi"},
    {5, "Panchami"},
    {6, "Shashthi"},
    {7, "Saptami"},
    {8, "Ashtami"},
    {9, "Navami"},
    {10, "Dashami"},
    {11, "Ekadashi"},
    {12, "Dvadashi"},
    {13, "Trayodashi"},
    {14, "Chaturdashi"},
    {15, "Purnima"},
}};
inline constexpr std::string_view kNewMoonTithi = "Amavasya";  // the 30th

struct YogaRow {
  int number;  // 1..27
  std::string_view name;
};

// The 27 yogas of 13°20' of the sum of the Sun's and the Moon's sidereal
// longitudes (Surya Siddhanta ch. 2, on the yogas, in E. Burgess'
// translation of 1860; names as in Sewell and Dikshit, "The Indian Calendar").
inline constexpr std::array<YogaRow, 27> kYogas = {{
    {1, "Vishkambha"},
    {2, "Priti"},
    {3, "Ayushman"},
    {4, "Saubhagya"},
    {5, "Shobhana"},
    {6, "Atiganda"},
    {7, "Sukarma"},
    {8, "Dhriti"},
    {9, "Shula"},
    {10, "Ganda"},
    {11, "Vriddhi"},
    {12, "Dhruva"},
    {13, "Vyaghata"},
    {14, "Harshana"},
    {15, "Vajra"},
    {16, "Siddhi"},
    {17, "Vyatipata"},
    {18, "Variyan"},
    {19, "Parigha"},
    {20, "Shiva"},
    {21, "Siddha"},
    {22, "Sadhya"},
    {23, "Shubha"},
    {24, "Shukla"},
    {25, "Brahma"},
    {26, "Indra"},
    {27, "Vaidhriti"},
}};

struct KaranaRow {
  std::string_view name;
  bool fixed;  // one of the four that come once a month
};

// The eleven karanas (Surya Siddhanta ch. 2, on the karanas, in Burgess'
// translation; Sewell and Dikshit, "The Indian Calendar"): seven movable
// ones that repeat eight times from the second half of the first tithi
// (karanas 2..57), and four fixed ones: Shakuni, Chatushpada and Naga for
// karanas 58..60 (the second half of the dark 14th and the new Moon),
// Kimstughna for karana 1.
inline constexpr std::array<KaranaRow, 11> kKaranas = {{
    {"Bava", false},
    {"Balava", false},
    {"Kaulava", false},
    {"Taitila", false},
    {"Garaja", false},
    {"Vanija", false},
    {"Vishti", false},
    {"Shakuni", true},
    {"Chatushpada", true},
    {"Naga", true},
    {"Kimstughna", true},
}};

struct Particulars {
  int tithi;      // 1..30: whole 12° of the Moon's elongation from the Sun, plus one
  Paksha paksha;  // Shukla for tithis 1..15
  int yoga;       // 1..27: whole 13°20' of Sun + Moon, plus one
  int karana;     // 1..60: whole 6° of the elongation, plus one
  int nakshatra;  // 1..27, the Moon's, as the chart shows it
  int pada;       // 1..4
};

// From the sidereal longitudes in degrees (any finite values).
Particulars ParticularsOf(double sunLongitude, double moonLongitude);

std::string_view TithiName(int tithi);    // 1..30: "Purnima" for 15, "Amavasya" for 30
std::string_view PakshaName(Paksha p);    // "Shukla", "Krishna"
std::string_view YogaName(int yoga);      // 1..27
std::string_view KaranaName(int karana);  // 1..60

}  // namespace orbisca
