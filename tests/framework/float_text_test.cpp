// FloatToText's fast path against the printf digits it stands in for, value by value.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "norv/framework/FloatText.h"
#include "support/FloatTextReference.h"
#include "support/SeparatorGuard.h"

namespace norv {
namespace {

// Counts the values whose texts differ and reports the first few of them.
class Differential {
 public:
  void Check(Extended value) {
    char fast[kFloatTextCapacity];
    const std::string a(fast, FloatToText(fast, value));
    const std::string b = test::FloatTextByPrintf(value);
    ++checked_;
    if (a == b) return;
    if (++differing_ <= 10)
      ADD_FAILURE() << "value " << ToHex(value) << ": fast " << a << ", printf " << b;
  }
  int differing() const { return differing_; }
  int checked() const { return checked_; }

 private:
  static std::string ToHex(Extended value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%La (%.20Lg)", value, value);
    return buf;
  }
  int checked_ = 0;
  int differing_ = 0;
};

TEST(FloatToText, EqualsPrintfForEveryHundredthAsDoubleAndExtended) {
  Differential d;
  for (int n = -1000000; n <= 1000000; n += n > -100000 && n < 100000 ? 1 : 13) {
    d.Check(static_cast<double>(n / 100.0));  // what a two-decimal rounding stores
    d.Check(n / 100.0L);
    d.Check(n / 100.0L / 0.5397L);  // a speed in km/h, all digits
  }
  EXPECT_EQ(d.differing(), 0) << "of " << d.checked();
}

TEST(FloatToText, EqualsPrintfForRandomDoublesAndExtendedsOfEveryMagnitude) {
  Differential d;
  std::mt19937_64 random(20240305);
  std::uniform_real_distribution<double> mantissa(1.0, 10.0);
  std::uniform_int_distribution<int> exponent(-8, 17);
  for (int i = 0; i < 100000; ++i) {
    const double decimal = mantissa(random) * std::pow(10.0, exponent(random));
    d.Check(decimal);
    d.Check(-decimal);
    // Any bit pattern: subnormals, huge values, NaNs and infinities included.
    const std::uint64_t bits = random();
    double any;
    std::memcpy(&any, &bits, sizeof any);
    d.Check(any);
    // An extended value with a full 64-bit significand.
    d.Check(std::ldexp(static_cast<Extended>(random() | (1ULL << 63)), exponent(random) * 3 - 63));
  }
  EXPECT_EQ(d.differing(), 0) << "of " << d.checked();
}

TEST(FloatToText, EqualsPrintfAtRoundingTiesAndDecadeEdges) {
  Differential d;
  std::mt19937_64 random(1690);
  std::uniform_int_distribution<std::int64_t> digits(100000000000000LL, 999999999999999LL);
  for (int e = -6; e <= 16; ++e) {
    const Extended unit = std::pow(10.0L, e - 14);
    for (int i = 0; i < 2000; ++i) {
      // Half-way between two 15-digit values, and one step of the significand either side.
      const Extended tie = (static_cast<Extended>(digits(random)) + 0.5L) * unit;
      d.Check(tie);
      d.Check(std::nextafter(tie, 0.0L));
      d.Check(std::nextafter(tie, 1e30L));
      d.Check(static_cast<double>(tie));
    }
    // Around the power of ten itself, where the exponent changes.
    Extended below = std::pow(10.0L, e), above = below;
    for (int step = 0; step < 200; ++step) {
      below = std::nextafter(below, 0.0L);
      above = std::nextafter(above, 1e30L);
      d.Check(below);
      d.Check(above);
      d.Check(static_cast<double>(below));
    }
    d.Check(std::pow(10.0L, e) * (1 - 4e-16L));  // rounds up into the next decade
    d.Check(std::pow(10.0L, e) * (1 - 6e-16L));  // stays below it
  }
  EXPECT_EQ(d.differing(), 0) << "of " << d.checked();
}

TEST(FloatToText, EqualsPrintfWithAnotherDecimalSeparator) {
  test::SeparatorGuard guard;
  FormatSettings.DecimalSeparator = ',';
  Differential d;
  for (Extended v : {12.5L, -0.0001L, 1.5e-7L, 1234567.25L, 84.26L, 2.5e20L}) d.Check(v);
  EXPECT_EQ(d.differing(), 0);
  char text[kFloatTextCapacity];
  EXPECT_EQ(std::string(text, FloatToText(text, 12.5L)), "12,5");
}

}  // namespace
}  // namespace norv
