#include <gtest/gtest.h>

#include "norv/framework/Exception.h"
#include "norv/framework/SysUtils.h"
#include "support/SeparatorGuard.h"

namespace norv {
namespace {

using test::SeparatorGuard;

struct FloatCase {
  long double value;
  const char* text;
};

TEST(FloatToStr, GeneralFormatWithFifteenSignificantDigits) {
  const FloatCase cases[] = {
      {0, "0"},
      {-0.0L, "0"},
      {3, "3"},
      {100, "100"},
      {12.5, "12.5"},
      {0.9, "0.9"},
      {-1.23, "-1.23"},
      {84.257L, "84.257"},
      {123.456789012345678L, "123.456789012346"},
      {12.5L / 0.5397L, "23.1610153789142"},
      {0.01L / 0.5397L, "0.0185288123031314"},
      {0.0001L, "0.0001"},
      {0.00001L, "0.00001"},
      {999999999999999.0L, "999999999999999"},
      {1e15L, "1E15"},
      {-2.5e20L, "-2.5E20"},
      {0.000001L, "1E-6"},
      {1.5e-7L, "1.5E-7"},
      {1234567.0L, "1234567"},
  };
  for (const auto& c : cases) EXPECT_EQ(FloatToStr(c.value), c.text) << double(c.value);
}

TEST(FloatToStr, UsesTheConfiguredDecimalSeparator) {
  SeparatorGuard guard;
  FormatSettings.DecimalSeparator = ',';
  EXPECT_EQ(FloatToStr(12.5L), "12,5");
  EXPECT_EQ(FloatToStr(1.5e-7L), "1,5E-7");
  EXPECT_EQ(FloatToStr(1234567.25L), "1234567,25");  // no thousands separator
}

TEST(IntConversions, DecimalHexAndParsing) {
  EXPECT_EQ(IntToStr(-42), "-42");
  EXPECT_EQ(IntToStr(0), "0");
  EXPECT_EQ(IntToHex(0x5F, 2), "5F");
  EXPECT_EQ(IntToHex(0x0A, 2), "0A");
  EXPECT_EQ(IntToHex(0, 2), "00");
  EXPECT_EQ(StrToInt("-17"), -17);
  EXPECT_EQ(StrToInt("+235"), 235);
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
  for (const char* bad : {"", "-", "1.5", "12a", " 12", "2147483648", "abc"})
    EXPECT_THROW(StrToInt(bad), EConvertError) << bad;
  EXPECT_EQ(StrToIntDef("x", 7), 7);
}

TEST(TryStrToFloat, AcceptsPointOrComma) {
  long double v = -1;
  ASSERT_TRUE(TryStrToFloat("3.5", v));
  EXPECT_EQ(v, 3.5L);
  ASSERT_TRUE(TryStrToFloat("-3,25", v));
  EXPECT_EQ(v, -3.25L);
  ASSERT_TRUE(TryStrToFloat("1E-6", v));
  EXPECT_EQ(v, 1e-6L);
  v = 9;
  for (const char* bad : {"", ".", "1.2.3", "abc", "1e", "nan", "inf", "1 "})
    EXPECT_FALSE(TryStrToFloat(bad, v)) << bad;
  EXPECT_EQ(v, 9);
}

TEST(UpperCase, OnlyAsciiLettersChange) {
  EXPECT_EQ(UpperCase("wp1-äb"), "WP1-äB");
  EXPECT_EQ(UpperCase(""), "");
}

TEST(Excerpt, SpellsOutLineBreaksAndCutsLongTextAtACharacter) {
  EXPECT_EQ(Excerpt(std::string("a\rb\nc\td\0e", 9)), "a\\rb\\nc\\td\\0e");
  const std::string sixty(60, 'x');
  EXPECT_EQ(Excerpt(sixty), sixty);
  EXPECT_EQ(Excerpt(sixty + "y"), sixty + "...");
  // A two-byte letter across the cut is left out whole.
  EXPECT_EQ(Excerpt(std::string(59, 'x') + "\xC3\xA9z"), std::string(59, 'x') + "...");
}

}  // namespace
}  // namespace norv
