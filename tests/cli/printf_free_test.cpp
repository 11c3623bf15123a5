// The listing's number fields against printf itself, on the values a chart
// gives and on the hard ones: ties at the fifth decimal, powers of two,
// the ends of the fast range, tiny values and those printf keeps for itself.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "cli/printf_free.h"

namespace orbisca::cli {
namespace {

std::string Printf(const char* format, int width, double value) {
  char text[512];
  std::snprintf(text, sizeof text, format, width, value);
  return text;
}

std::string Printf(const char* format, int width, int value) {
  char text[64];
  std::snprintf(text, sizeof text, format, width, value);
  return text;
}

std::string Fixed(double value, int width) {
  std::string out;
  AppendFixed4(out, value, width);
  return out;
}

TEST(PrintfFree, FixedFourDecimalsAsPrintf) {
  std::vector<double> values = {0.0, -0.0, 1.0, 359.99995, 359.999949999, 0.00005, 0.000049999, 0.00015,
                                0.03125, 0.09375, 1.03125, 2.5e-5, 1e-300, DBL_MIN, 4.9e-324, 1048575.99999,
                                1048576.0, 2e7, -1.5, -0.00001, std::numeric_limits<double>::infinity(),
                                std::numeric_limits<double>::quiet_NaN(), 79.217977828215, 123.45675};
  // Every tie at the fifth decimal that a double holds exactly: k/32.
  for (int k = 0; k < 32 * 400; ++k) values.push_back(k / 32.0);
  for (int e = -40; e < 21; ++e) {
    values.push_back(std::ldexp(1.0, e));
    values.push_back(std::nextafter(std::ldexp(1.0, e), 0.0));
  }
  std::mt19937_64 random(20261207);
  std::uniform_real_distribution<double> circle(0.0, 360.0);
  for (int i = 0; i < 200000; ++i) values.push_back(circle(random));
  for (int i = 0; i < 20000; ++i) values.push_back(std::ldexp(circle(random), -static_cast<int>(random() % 40)));
  for (double v : values) {
    for (int width : {0, 9}) ASSERT_EQ(Fixed(v, width), Printf("%*.4f", width, v)) << v;
  }
}

TEST(PrintfFree, IntegersAndTextAsPrintf) {
  for (int v : {0, 5, 9, 10, 29, 59, 100, -1, -5, -10, -123, 2147483647, -2147483647 - 1}) {
    for (int width : {0, 1, 2, 3, 5}) {
      std::string padded, zeros;
      AppendInt(padded, v, width);
      AppendInt(zeros, v, width, true);
      EXPECT_EQ(padded, Printf("%*d", width, v)) << v << " " << width;
      EXPECT_EQ(zeros, Printf("%0*d", width, v)) << v << " " << width;
    }
  }
  for (const char* text : {"", "Sun", "Mercury", "Sagittarius", "Asc"}) {
    for (int width : {0, 3, 8, 11}) {
      std::string out;
      AppendLeft(out, text, width);
      char expected[64];
      std::snprintf(expected, sizeof expected, "%-*s", width, text);
      EXPECT_EQ(out, expected);
    }
  }
}

}  // namespace
}  // namespace orbisca::cli
