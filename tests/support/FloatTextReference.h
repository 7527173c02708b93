#pragma once
// The long way to FloatToStr's text and to a two-decimal field: printf's digits laid out by the
// framework's rules. The library's fast routines must give exactly these bytes.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "norv/framework/SysUtils.h"
#include "norv/framework/Types.h"
#include "norv/nmea/FieldFormat.h"

namespace norv::test {

// General format, 15 significant digits without trailing zeros, fixed notation for decimal
// exponents -5 to 14, "d.dddE[-]x" beyond; NAN, INF, -INF; zero without a sign.
inline std::string FloatTextByPrintf(Extended Value) {
  if (Value != Value) return "NAN";
  if (Value == 1.0L / 0.0L) return "INF";
  if (Value == -1.0L / 0.0L) return "-INF";
  if (Value == 0) return "0";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.14Le", Value < 0 ? -Value : Value);
  std::string digits;
  const char* p = buf;
  for (; *p != 'e'; ++p)
    if (*p >= '0' && *p <= '9') digits += *p;
  const int exponent = std::atoi(p + 1);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  const std::string sep(1, FormatSettings.DecimalSeparator);
  std::string text = Value < 0 ? "-" : "";
  if (exponent >= 15 || exponent < -5) {
    text += digits.substr(0, 1);
    if (digits.size() > 1) text += sep + digits.substr(1);
    return text + "E" + std::to_string(exponent);
  }
  if (exponent < 0) return text + "0" + sep + std::string(-exponent - 1, '0') + digits;
  const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
  if (digits.size() <= whole) return text + digits + std::string(whole - digits.size(), '0');
  return text + digits.substr(0, whole) + sep + digits.substr(whole);
}

// DecimalField: RRound, then FloatToStr's text with '.' for the separator.
inline std::string DecimalFieldByPrintf(Extended Value) {
  std::string text = FloatTextByPrintf(RRound(static_cast<double>(Value)));
  for (char& c : text)
    if (c == FormatSettings.DecimalSeparator) c = '.';
  return text;
}

}  // namespace norv::test
