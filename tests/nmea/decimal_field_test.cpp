// DecimalFieldText's integer shortcut against RRound and FloatToStr's printf digits.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "norv/nmea/FieldFormat.h"
#include "support/FloatTextReference.h"
#include "support/SeparatorGuard.h"

namespace norv {
namespace {

// Counts the values whose texts differ and reports the first few of them.
class Differential {
 public:
  void Check(Extended value) {
    char fast[kDecimalFieldCapacity];
    const std::string a(fast, DecimalFieldText(fast, value));
    const std::string b = test::DecimalFieldByPrintf(value);
    ++checked_;
    if (a == b) return;
    if (++differing_ <= 10) {
      char shown[64];
      std::snprintf(shown, sizeof shown, "%La (%.20Lg)", value, value);
      ADD_FAILURE() << "value " << shown << ": shortcut " << a << ", reference " << b;
    }
  }
  int differing() const { return differing_; }
  int checked() const { return checked_; }

 private:
  int checked_ = 0;
  int differing_ = 0;
};

TEST(DecimalFieldText, EqualsTheReferenceForHundredthsAndThousandths) {
  Differential d;
  for (int n = -3000000; n <= 3000000; n += n > -100000 && n < 100000 ? 1 : 37) {
    d.Check(n / 100.0);
    d.Check(n / 1000.0L);  // half-way cases such as 2.675 and 1.005 among them
    d.Check(std::nextafter(n / 100.0, 1e9));
    d.Check(std::nextafter(n / 100.0, -1e9));
  }
  EXPECT_EQ(d.differing(), 0) << "of " << d.checked();
}

TEST(DecimalFieldText, EqualsTheReferenceForRandomValuesOfEveryMagnitude) {
  Differential d;
  std::mt19937_64 random(545);
  std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
  std::uniform_int_distribution<int> exponent(-14, 12);
  for (int i = 0; i < 200000; ++i) {
    d.Check(mantissa(random) * std::pow(10.0, exponent(random)));
    // Any bit pattern: subnormals, huge values, NaNs and infinities included.
    const std::uint64_t bits = random();
    double any;
    std::memcpy(&any, &bits, sizeof any);
    d.Check(any);
    // Extended values, which are rounded to double first; around 2^31 where the shortcut ends.
    d.Check(std::ldexp(static_cast<Extended>(random() | (1ULL << 63)), exponent(random) - 63));
    d.Check(std::ldexp(static_cast<Extended>(random() | (1ULL << 63)), 31 - 64 + i % 3));
  }
  EXPECT_EQ(d.differing(), 0) << "of " << d.checked();
}

TEST(DecimalFieldText, EqualsTheReferenceWithAnotherDecimalSeparator) {
  test::SeparatorGuard guard;
  Differential d;
  for (char separator : {',', '5', '-'}) {
    FormatSettings.DecimalSeparator = separator;
    for (Extended v : {12.5L, -0.004L, -1.25L, 545.4L, 1e12L, 0.05L, 359.996L}) d.Check(v);
  }
  EXPECT_EQ(d.differing(), 0);
}

}  // namespace
}  // namespace norv
