#include "norv/nmea/FieldFormat.h"

#include <cmath>

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
  const Extended whole = std::trunc(x);
  const Extended fraction = x - whole;
  const Extended x100 = x * 100;
  const Extended cents = std::trunc(fraction * 100) / 100;
  Extended result = whole + cents;
  if (x100 - std::trunc(x100) >= 0.5L) result += 0.01L;
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

std::string GetNMEACheckSum(std::string_view Sentence) {
  std::uint8_t c = 0;
  for (size_t i = 1; i < Sentence.size(); ++i) c ^= static_cast<std::uint8_t>(Sentence[i]);
  return IntToHex(c, 2);
}

namespace {

// ddmm.mmmmmm,H (or dddmm.mmmmmm,H). A minute fraction that rounds to 1000000 carries into
// the minutes and degrees, so 59.99999 seconds never reads as a seven-digit fraction.
std::string AngleStr(std::int32_t deg, std::int32_t min, Extended sec, int degWidth, char side) {
  auto fraction = static_cast<std::int64_t>(std::nearbyint(sec / 60 * 1000000));
  if (fraction >= 1000000) {
    fraction -= 1000000;
    if (++min >= 60) {
      min -= 60;
      ++deg;
    }
  }
  std::string out = MaxLenStr(IntToStr(deg), degWidth, '0');
  out += MaxLenStr(IntToStr(min), 2, '0');
  out += '.';
  out += MaxLenStr(IntToStr(fraction), 6, '0');
  out += ',';
  out += side;
  return out;
}

}  // namespace

std::string LatitudeField(std::int32_t Degree, std::int32_t Minute, Extended Second,
                          TCardinalPoint Direction) {
  return AngleStr(Degree, Minute, Second, 2, Direction == cpNorth ? 'N' : 'S');
}

std::string LongitudeField(std::int32_t Degree, std::int32_t Minute, Extended Second,
                           TCardinalPoint Direction) {
  return AngleStr(Degree, Minute, Second, 3, Direction == cpEast ? 'E' : 'W');
}

std::string DecimalField(Extended Value) {
  return ReplaceDecimalSeparatorEx(FloatToStr(RRound(static_cast<double>(Value))), ".");
}

std::string FullDecimalField(Extended Value) {
  return ReplaceDecimalSeparatorEx(FloatToStr(Value), ".");
}

}  // namespace norv
