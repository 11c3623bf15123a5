#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace orbisca {

// The seven aspect kinds; the order is the test order and the tab order.
enum class AspectKind : unsigned char { Conjunction, SemiSextile, Sextile, Square, Trine, Quincunx, Opposition };

inline constexpr std::size_t kAspectKindCount = 7;

// One kind with its window: the rounded separation matches when it lies in
// low..high, both ends included.
struct AspectKindInfo {
  AspectKind kind;
  std::string_view caption;        // tab caption and the kind's display name
  int low;
  int high;
  std::string_view headingSuffix;  // begins with two spaces
};

// Traditional orbs of the program's aspect set, each window the exact angle
// less and plus its orb: 0 +-10, 30 +-2, 60 +-4, 90 +-8, 120 +-6, 150 +-3 and
// 180 +-10 degrees; wide for the conjunction and the opposition, narrow for
// the minor aspects.
inline constexpr std::array<AspectKindInfo, kAspectKindCount> kAspectKinds = {{
    {AspectKind::Conjunction, "Conjunction", -10, 10, "  In Conjunction Aspect"},
    {AspectKind::SemiSextile, "Semi Sextile", 28, 32, "  In Semi-Sextile Aspect"},
    {AspectKind::Sextile, "Sextile", 56, 64, "  In Sextile Aspect"},
    {AspectKind::Square, "Square", 82, 98, "  In Square Aspect"},
    {AspectKind::Trine, "Trine", 114, 126, "  In Trine Aspect"},
    {AspectKind::Quincunx, "Quincunx", 147, 153, "  In Quincunx Aspect"},
    {AspectKind::Opposition, "Opposition", 170, 190, "  In Opposition Aspect"},
}};

inline constexpr std::size_t Index(AspectKind k) { return static_cast<std::size_t>(k); }
inline constexpr const AspectKindInfo& Info(AspectKind k) { return kAspectKinds[Index(k)]; }

}  // namespace orbisca
