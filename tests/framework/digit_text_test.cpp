// The table digit writers against the standard library's text of the same numbers.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "norv/framework/DigitText.h"

namespace norv {
namespace {

std::vector<std::int64_t> Numbers() {
  std::vector<std::int64_t> numbers;
  for (std::int64_t n = -20000; n <= 20000; ++n) numbers.push_back(n);
  for (std::int64_t p = 10; p <= std::numeric_limits<std::int64_t>::max() / 10; p *= 10)
    for (std::int64_t n : {p - 1, p, p + 1}) {
      numbers.push_back(n);
      numbers.push_back(-n);
    }
  numbers.push_back(std::numeric_limits<std::int64_t>::max());
  numbers.push_back(std::numeric_limits<std::int64_t>::min());
  return numbers;
}

TEST(DigitText, WriteIntegerIsIntToStr) {
  for (std::int64_t n : Numbers()) {
    char text[24];
    EXPECT_EQ(std::string(text, WriteInteger(text, n)), std::to_string(n));
  }
}

TEST(DigitText, WriteDigitsPadsOrCutsToTheWidth) {
  for (std::int64_t n : Numbers()) {
    if (n < 0) continue;
    for (int width = 1; width <= 20; ++width) {
      char text[24], expected[32];
      std::snprintf(expected, sizeof expected, "%0*" PRIu64, width, static_cast<std::uint64_t>(n));
      const std::string full = expected;
      EXPECT_EQ(std::string(text, WriteDigits(text, static_cast<std::uint64_t>(n), width)),
                full.substr(full.size() - static_cast<std::size_t>(width)))
          << n << " in " << width;
    }
  }
}

}  // namespace
}  // namespace norv
