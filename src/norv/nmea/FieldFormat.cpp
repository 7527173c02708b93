#include "norv/nmea/FieldFormat.h"

#include <bit>
#include <cfloat>
#include <cmath>

#include "norv/framework/DigitText.h"
#include "norv/framework/ExtendedRounding.h"
#include "norv/framework/FloatText.h"
#include "norv/framework/SysUtils.h"

namespace norv {

std::string MaxLenStr(std::string_view Text, std::int32_t Length, char Pad) {
  const size_t len = Length > 0 ? static_cast<size_t>(Length) : 0;
  if (Text.size() >= len) return std::string(Text.substr(0, len));
  std::string out(len - Text.size(), Pad);
  out += Text;
  return out;
}

std::string MaxLenStrInv(std::string_view Text, std::int32_t Length, char Pad) {
  const size_t len = Length > 0 ? static_cast<size_t>(Length) : 0;
  if (Text.size() >= len) return std::string(Text.substr(Text.size() - len));
  std::string out(len - Text.size(), Pad);
  out += Text;
  return out;
}

double RRound(double Value) {
  // The test uses the fraction of x*100, the digits come from the fraction of x times 100,
  // both in extended precision; so 2.675 (stored just below) gives 2.67.
  const Extended x = Value;
  const Extended whole = Trunc(x);
  const Extended fraction = x - whole;
  const Extended x100 = x * 100;
  const Extended cents = Trunc(fraction * 100) / 100;
  Extended result = whole + cents;
  if (x100 - Trunc(x100) >= 0.5L) result += 0.01L;
  return static_cast<double>(result);
}

std::string ReplaceDecimalSeparatorEx(std::string_view Text, std::string_view NewSeparator) {
  const char sep = FormatSettings.DecimalSeparator;
  std::string out;
  out.reserve(Text.size());
  for (char c : Text) {
    if (c == sep)
      out += NewSeparator;
    else
      out += c;
  }
  return out;
}

namespace {

// The separator FloatToStr wrote becomes '.', as ReplaceDecimalSeparatorEx(text, ".") does.
std::size_t WithPoint(char* Buffer, std::size_t Length) {
  const char sep = FormatSettings.DecimalSeparator;
  for (std::size_t i = 0; i < Length; ++i)
    if (Buffer[i] == sep) Buffer[i] = '.';
  return Length;
}

// RRound(Value) in whole hundredths, by integer arithmetic on the bits of the double: Value is
// M * 2^-s, so its hundredths are 100 * M >> s and the rest of 100 * M decides the rounding
// (up for positive values, never for negative ones). Only for |Value| < 2^31, where 100 * M
// fits 64 bits and the stored double is within a part in 10^15 of the exact hundredths, so
// that FloatToStr's fifteen digits read exactly them; false for anything else.
bool Hundredths(double Value, std::uint64_t& Cents, bool& Negative) {
  // RRound takes 100 * Value exactly only with a significand of 64 bits or more.
  if constexpr (LDBL_MANT_DIG < 64) return false;
  if (!(std::fabs(Value) < 0x1p31)) return false;  // NaN too
  const auto bits = std::bit_cast<std::uint64_t>(Value);
  Negative = (bits >> 63) != 0;
  const int biased = static_cast<int>((bits >> 52) & 0x7FF);
  const std::uint64_t fraction = bits & ((1ULL << 52) - 1);
  const std::uint64_t mantissa = biased == 0 ? fraction : fraction | (1ULL << 52);
  // Value = mantissa * 2^-shift, and shift > 21 because Value < 2^31.
  const int shift = 1075 - (biased == 0 ? 1 : biased);
  if (shift >= 64) {  // below 2^-11: no whole hundredth, no rounding up
    Cents = 0;
    return true;
  }
  const std::uint64_t scaled = mantissa * 100;
  const std::uint64_t rest = scaled & ((1ULL << shift) - 1);
  Cents = scaled >> shift;
  if (!Negative && rest >= (1ULL << (shift - 1))) ++Cents;
  return true;
}

}  // namespace

std::size_t DecimalFieldText(char* Buffer, Extended Value) {
  std::uint64_t cents = 0;
  bool negative = false;
  // Beyond the shortcut: FloatToStr's text of the rounded value.
  if (!Hundredths(static_cast<double>(Value), cents, negative))
    return WithPoint(Buffer, FloatToText(Buffer, RRound(static_cast<double>(Value))));
  char* p = Buffer;
  if (negative && cents != 0) *p++ = '-';
  p = WriteUnsigned(p, cents / 100);
  if (const std::uint64_t rest = cents % 100) {
    *p++ = FormatSettings.DecimalSeparator;
    *p++ = static_cast<char>('0' + rest / 10);
    if (rest % 10 != 0) *p++ = static_cast<char>('0' + rest % 10);
  }
  return WithPoint(Buffer, static_cast<std::size_t>(p - Buffer));
}

std::size_t FullDecimalFieldText(char* Buffer, Extended Value) {
  return WithPoint(Buffer, FloatToText(Buffer, Value));
}

std::string DecimalField(Extended Value) {
  char text[kDecimalFieldCapacity];
  return std::string(text, DecimalFieldText(text, Value));
}

std::string FullDecimalField(Extended Value) {
  char text[kDecimalFieldCapacity];
  return std::string(text, FullDecimalFieldText(text, Value));
}

}  // namespace norv
