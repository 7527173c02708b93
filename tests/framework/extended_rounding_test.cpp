// The rounding shortcuts against the library functions they replace, bit for bit.
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "norv/framework/ExtendedRounding.h"

namespace norv {
namespace {

bool SameBits(Extended a, Extended b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  return a == b && std::signbit(a) == std::signbit(b);
}

// Halves, their neighbours, zeros, both signs, from tiny to beyond 2^62, and random reals.
std::vector<Extended> Values() {
  std::vector<Extended> values = {0.0L, -0.0L, INFINITY, -INFINITY, NAN, 0x1p62L, -0x1p62L,
                                  0x1p63L, 1e30L, -1e30L};
  for (int n = -2000; n <= 2000; ++n) {
    const Extended half = n + 0.5L;
    for (Extended v : {static_cast<Extended>(n), half, std::nextafter(half, -1e30L),
                       std::nextafter(half, 1e30L), n / 7.0L})
      values.push_back(v);
  }
  std::mt19937_64 random(86400000);
  std::uniform_int_distribution<int> exponent(-70, 70);
  for (int i = 0; i < 200000; ++i) {
    const Extended v = std::ldexp(static_cast<Extended>(random() | (1ULL << 63)), exponent(random) - 63);
    values.push_back(i % 2 ? v : -v);
  }
  for (Extended big = 0x1p61L; big < 0x1p64L; big *= 1.5L) {
    values.push_back(big);
    values.push_back(-big);
    values.push_back(big + 0.5L);
  }
  return values;
}

TEST(ExtendedRounding, EqualsTheLibraryForEveryValue) {
  int differing = 0;
  for (Extended v : Values()) {
    const bool same = SameBits(NearbyInt(v), std::nearbyint(v)) &&
                      SameBits(Trunc(v), std::trunc(v)) && SameBits(Round(v), std::round(v));
    if (!same && ++differing <= 10) ADD_FAILURE() << "value " << static_cast<double>(v);
  }
  EXPECT_EQ(differing, 0);
}

TEST(ExtendedRounding, NearbyIntFollowsTheCurrentRoundingMode) {
  const int saved = std::fegetround();
  for (int mode : {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO, FE_TONEAREST}) {
    ASSERT_EQ(std::fesetround(mode), 0);
    int differing = 0;
    for (Extended v : Values())
      if (!SameBits(NearbyInt(v), std::nearbyint(v)) || !SameBits(Trunc(v), std::trunc(v)) ||
          !SameBits(Round(v), std::round(v)))
        ++differing;
    EXPECT_EQ(differing, 0) << "mode " << mode;
  }
  std::fesetround(saved);
}

TEST(ExtendedRounding, IntegerFormsCoverBelowTwoToThe62) {
  std::int64_t n = 7;
  EXPECT_TRUE(NearbyInteger(-2.5L, n));
  EXPECT_EQ(n, -2);
  EXPECT_TRUE(TruncInteger(-2.5L, n));
  EXPECT_EQ(n, -2);
  EXPECT_TRUE(RoundInteger(-2.5L, n));
  EXPECT_EQ(n, -3);
  EXPECT_TRUE(RoundInteger(0x1p62L - 0.5L, n));
  EXPECT_EQ(n, (1LL << 62));
  EXPECT_FALSE(NearbyInteger(0x1p62L, n));
  EXPECT_FALSE(TruncInteger(NAN, n));
}

}  // namespace
}  // namespace norv
