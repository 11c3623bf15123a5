#include "cli/printf_free.h"

#include <bit>
#include <charconv>
#include <cstdint>
#include <cstdio>

namespace orbisca::cli {
namespace {

__extension__ using Wide = unsigned __int128;

void PadLeft(std::string& out, std::size_t length, int width) {
  if (static_cast<std::size_t>(width) > length) out.append(static_cast<std::size_t>(width) - length, ' ');
}

// The value times 10^4, rounded to the nearest integer, ties to even, for a
// value in [0, 2^20): value = m * 2^-shift exactly, m below 2^53.
std::uint64_t TenThousandths(double value) {
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
  const int biased = static_cast<int>(bits >> 52);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  const std::uint64_t m = biased == 0 ? fraction : fraction | (std::uint64_t{1} << 52);
  const int shift = biased == 0 ? 1074 : 1075 - biased;
  const Wide scaled = Wide{m} * 10000;  // below 2^67
  if (shift > 68) return 0;             // below a quarter: rounds to 0
  const std::uint64_t whole = static_cast<std::uint64_t>(scaled >> shift);
  const Wide rest = scaled - (Wide{whole} << shift);
  const Wide half = Wide{1} << (shift - 1);
  return whole + ((rest > half || (rest == half && (whole & 1))) ? 1 : 0);
}

}  // namespace

void AppendFixed4(std::string& out, double value, int width) {
  // Outside [0, 2^20), a negative zero, NaN: printf itself.
  if (!(value >= 0 && value < 1048576.0) || std::bit_cast<std::uint64_t>(value) >> 63) {
    char text[64];
    const int n = std::snprintf(text, sizeof text, "%*.4f", width, value);
    out.append(text, static_cast<std::size_t>(n > 0 ? n : 0));
    return;
  }
  const std::uint64_t q = TenThousandths(value);
  char text[32];
  char* end = std::to_chars(text, text + 20, q / 10000).ptr;
  *end++ = '.';
  const unsigned frac = static_cast<unsigned>(q % 10000);
  for (unsigned divisor = 1000; divisor > 0; divisor /= 10) *end++ = static_cast<char>('0' + frac / divisor % 10);
  PadLeft(out, static_cast<std::size_t>(end - text), width);
  out.append(text, static_cast<std::size_t>(end - text));
}

void AppendInt(std::string& out, int value, int width, bool zeroFill) {
  char digits[16];
  const long magnitude = value < 0 ? -static_cast<long>(value) : value;
  const char* end = std::to_chars(digits, digits + sizeof digits, magnitude).ptr;
  const std::size_t length = static_cast<std::size_t>(end - digits) + (value < 0 ? 1 : 0);
  if (!zeroFill) PadLeft(out, length, width);
  if (value < 0) out += '-';
  if (zeroFill && static_cast<std::size_t>(width) > length) out.append(static_cast<std::size_t>(width) - length, '0');
  out.append(digits, static_cast<std::size_t>(end - digits));
}

void AppendLeft(std::string& out, std::string_view text, int width) {
  out += text;
  if (static_cast<std::size_t>(width) > text.size()) out.append(static_cast<std::size_t>(width) - text.size(), ' ');
}

}  // namespace orbisca::cli
