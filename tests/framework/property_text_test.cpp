#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "norv/framework/PropertyText.h"
#include "norv/framework/SysUtils.h"
#include "support/SeparatorGuard.h"

namespace norv {
namespace {

TEST(QuoteString, WritesPrintableTextQuotedAndEveryOtherByteAsItsCode) {
  const struct {
    std::string bytes;
    const char* text;
  } cases[] = {
      {"", "''"},
      {"COM1", "'COM1'"},
      {"it's", "'it''s'"},
      {"'", "''''"},
      {"\r\n", "#13#10"},
      {"x\ty", "'x'#9'y'"},
      {std::string("a\0b", 3), "'a'#0'b'"},
      {"\x7f\xff", "#127#255"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(QuoteString(c.bytes), c.text);
    EXPECT_EQ(UnquoteString(c.text), c.bytes) << c.text;
  }
}

TEST(QuoteString, EveryByteStringRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  all += "''#'#";
  EXPECT_EQ(UnquoteString(QuoteString(all)), all);
}

TEST(UnquoteString, RefusesWhatQuoteStringCannotHaveWritten) {
  for (const char* text :
       {"", "abc", "'abc", "abc'", "'a' 'b'", "#", "#256", "#1234", "#x", "'a'b", "'it's'"})
    EXPECT_FALSE(UnquoteString(text).has_value()) << text;
}

TEST(FormatReal, ShortestTextThatReadsBackExactlyWhateverTheDecimalSeparator) {
  using L = std::numeric_limits<long double>;
  test::SeparatorGuard guard;
  FormatSettings.DecimalSeparator = ',';
  for (long double v :
       {0.0L, 0.1L, -12.75L, 1.0L / 3.0L, std::nextafter(60.0L, 0.0L), 1e300L, L::max(),
        L::lowest(), L::min(), L::denorm_min(), -L::denorm_min(), L::infinity(), -L::infinity()}) {
    const std::string text = FormatReal(v);
    const auto back = ParseReal(text);
    EXPECT_TRUE(back.has_value()) << text;
    EXPECT_EQ(back.value_or(-1), v) << text;
  }
  EXPECT_EQ(FormatReal(-12.75L), "-12.75");
  EXPECT_TRUE(std::isnan(ParseReal(FormatReal(L::quiet_NaN())).value_or(0)));
}

TEST(ParseReal, RefusesAnythingButAWholeNumber) {
  for (const char* text : {"", "1,5", "1.5x", " 1", "+1", "0x10", "--1", "1e", "e5"})
    EXPECT_FALSE(ParseReal(text).has_value()) << text;
}

TEST(ParsePropertyValue, OrdinalKinds) {
  TPropertyInfo integer;
  integer.Kind = TPropertyKind::Integer;
  TPropertyInfo set;
  set.Kind = TPropertyKind::Set;
  set.ElementNames = {"A", "B", "C"};
  TPropertyInfo enumeration;
  enumeration.Kind = TPropertyKind::Enumeration;
  enumeration.ElementNames = {"ekOne", "ekTwo"};
  const struct {
    const TPropertyInfo* property;
    const char* text;
    std::optional<std::int64_t> value;
  } cases[] = {
      {&integer, "-2147483648", INT32_MIN}, {&integer, "2147483647", INT32_MAX},
      {&integer, "2147483648", {}},         {&integer, "1.0", {}},
      {&integer, "", {}},                   {&set, "[]", 0},
      {&set, "[A, C]", 5},                  {&set, "[ c,a ]", 5},
      {&set, "[A,]", {}},                   {&set, "[A B]", {}},
      {&set, "A", {}},                      {&set, "[D]", {}},
      {&enumeration, "ektwo", 1},           {&enumeration, "ekThree", {}},
      {&enumeration, "1", {}},
  };
  for (const auto& c : cases) {
    const auto parsed = ParsePropertyValue(*c.property, c.text);
    if (!c.value) {
      EXPECT_FALSE(parsed.has_value()) << c.text;
    } else {
      ASSERT_TRUE(parsed.has_value()) << c.text;
      EXPECT_EQ(std::get<std::int64_t>(*parsed), *c.value) << c.text;
      EXPECT_EQ(ParsePropertyValue(*c.property, FormatPropertyValue(*c.property, *parsed)), parsed);
    }
  }
}

}  // namespace
}  // namespace norv
