#include "NumberCheck.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace norvgpssim {

namespace {

// The number of Text, or NaN when Text is not one number as a whole.
long double ReadNumber(const std::string& Text) {
  if (Text.empty()) return NAN;
  char* end = nullptr;
  const long double value = std::strtold(Text.c_str(), &end);
  return *end == '\0' ? value : NAN;
}

CLI::Validator RangeCheck(const char* Lo, const char* Hi, bool Whole) {
  const std::string lo = Lo, hi = Hi;
  const std::string accepted =
      std::string(Whole ? "a whole number" : "a number") + " from " + lo + " to " + hi;
  const long double min = ReadNumber(lo), max = ReadNumber(hi);
  return CLI::Validator(
      [=](std::string& text) -> std::string {
        const long double value = ReadNumber(text);
        // NaN fails both comparisons; an overflowing text reads as infinity.
        if (std::isnan(value) || (Whole && std::isfinite(value) && value != std::trunc(value)))
          return "'" + text + "' is not " + (Whole ? "a whole number" : "a number") +
                 " (expected " + accepted + ")";
        if (std::isfinite(value) && value >= min && value <= max) return "";
        return "'" + text + "' is out of range (expected " + accepted + ")";
      },
      "in [" + lo + " - " + hi + "]");
}

}  // namespace

CLI::Validator NumberIn(const char* Lo, const char* Hi) { return RangeCheck(Lo, Hi, false); }

CLI::Validator WholeNumberIn(const char* Lo, const char* Hi) { return RangeCheck(Lo, Hi, true); }

}  // namespace norvgpssim
