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

}  // namespace

CLI::Validator NumberIn(const char* Lo, const char* Hi) {
  const std::string lo = Lo, hi = Hi;
  const std::string range = "from " + lo + " to " + hi;
  const long double min = ReadNumber(lo), max = ReadNumber(hi);
  return CLI::Validator(
      [=](std::string& text) -> std::string {
        const long double value = ReadNumber(text);
        // NaN fails both comparisons; an overflowing text reads as infinity.
        if (std::isfinite(value) && value >= min && value <= max) return "";
        return "'" + text + "' is not a number " + range;
      },
      "in [" + lo + " - " + hi + "]");
}

}  // namespace norvgpssim
