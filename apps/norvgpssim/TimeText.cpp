#include "TimeText.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "norv/framework/DateTime.h"
#include "norv/framework/Exception.h"

namespace norvgpssim {

namespace {

constexpr std::int64_t kMsPerDay = 86400000;
constexpr std::int64_t kUnixEpochDays = 25569;  // 1970-01-01 in days since 1899-12-30

[[noreturn]] void NotIso8601(const std::string& text) {
  throw std::invalid_argument("'" + text + "' is not an ISO 8601 date-time (YYYY-MM-DDThh:mm:ssZ)");
}

bool IsDigitAt(const std::string& text, std::size_t pos) {
  return pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos]));
}

// Reads exactly `digits` decimal digits at pos.
int Digits(const std::string& text, std::size_t& pos, int digits) {
  int value = 0;
  for (int i = 0; i < digits; ++i, ++pos) {
    if (!IsDigitAt(text, pos)) NotIso8601(text);
    value = value * 10 + (text[pos] - '0');
  }
  return value;
}

void Expect(const std::string& text, std::size_t& pos, char c) {
  if (pos >= text.size() || text[pos] != c) NotIso8601(text);
  ++pos;
}

// Milliseconds from the fraction after a decimal point, rounded.
int FractionMs(const std::string& text, std::size_t& pos) {
  double scale = 100, ms = 0;
  if (!IsDigitAt(text, pos)) NotIso8601(text);
  for (; IsDigitAt(text, pos); ++pos) {
    ms += (text[pos] - '0') * scale;
    scale /= 10;
  }
  return static_cast<int>(std::lround(ms));
}

// Zone offset in minutes east of UTC: "Z", "+hh:mm", "+hhmm", "+hh", or nothing.
int ZoneMinutes(const std::string& text, std::size_t& pos) {
  if (pos == text.size()) return 0;
  if (text[pos] == 'Z' || text[pos] == 'z') {
    ++pos;
    return 0;
  }
  const int sign = text[pos] == '-' ? -1 : 1;
  if (text[pos] != '+' && text[pos] != '-') NotIso8601(text);
  ++pos;
  const int hours = Digits(text, pos, 2);
  int minutes = 0;
  if (pos < text.size() && text[pos] == ':') ++pos;
  if (pos < text.size()) minutes = Digits(text, pos, 2);
  return sign * (hours * 60 + minutes);
}

}  // namespace

std::int64_t ParseIso8601(const std::string& text) {
  std::size_t pos = 0;
  const int year = Digits(text, pos, 4);
  Expect(text, pos, '-');
  const int month = Digits(text, pos, 2);
  Expect(text, pos, '-');
  const int day = Digits(text, pos, 2);
  int hour = 0, minute = 0, second = 0, ms = 0;
  if (pos < text.size() && (text[pos] == 'T' || text[pos] == 't' || text[pos] == ' ')) {
    ++pos;
    hour = Digits(text, pos, 2);
    Expect(text, pos, ':');
    minute = Digits(text, pos, 2);
    if (pos < text.size() && text[pos] == ':') {
      ++pos;
      second = Digits(text, pos, 2);
      if (pos < text.size() && (text[pos] == '.' || text[pos] == ',')) ms = FractionMs(text, ++pos);
    }
  }
  const int zone = ZoneMinutes(text, pos);
  if (pos != text.size())
    throw std::invalid_argument("'" + text + "' has unexpected text after the date-time");

  norv::TDateTime date = 0;
  try {
    date = norv::EncodeDate(year, month, day);
    norv::EncodeTime(hour, minute, second, ms >= 1000 ? 999 : ms);  // validates the fields
  } catch (const norv::EConvertError&) {
    throw std::invalid_argument("'" + text + "' is not a valid date and time");
  }
  const auto days = static_cast<std::int64_t>(date) - kUnixEpochDays;
  const std::int64_t msOfDay = ((hour * 60LL + minute) * 60 + second) * 1000 + ms;
  return days * kMsPerDay + msOfDay - zone * 60000LL;
}

std::string FormatIso8601(std::int64_t unixMs) {
  const norv::TDateTime dt = UnixMsToDateTime(unixMs);
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
  norv::DecodeDate(dt, y, mo, d);
  norv::DecodeTime(dt, h, mi, s, ms);
  char buf[40];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", y, mo, d, h, mi, s, ms);
  return buf;
}

norv::TDateTime UnixMsToDateTime(std::int64_t unixMs) {
  return static_cast<norv::TDateTime>(static_cast<long double>(unixMs) / kMsPerDay +
                                      kUnixEpochDays);
}

}  // namespace norvgpssim
