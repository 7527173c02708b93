#include "norv/framework/DateTime.h"

#include <chrono>
#include <cmath>
#include <ctime>

#include "norv/framework/Exception.h"
#include "norv/framework/ExtendedRounding.h"

namespace norv {

namespace {

constexpr std::int64_t kMSecsPerDay = 86400000;
// Days from 1970-01-01 back to 1899-12-30.
constexpr std::int64_t kUnixEpochDays = 25569;

// Days since 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's algorithm).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, int& y, int& m, int& d) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2));
}

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

// Whole days and milliseconds of the day after rounding to the nearest millisecond;
// for a negative value the time of day is taken from its magnitude, as the framework does.
void Split(TDateTime dt, std::int64_t& days, std::int64_t& msOfDay) {
  const long double total = std::fabs(static_cast<long double>(dt)) * kMSecsPerDay;
  std::int64_t ms;
  if (!RoundInteger(total, ms)) ms = static_cast<std::int64_t>(std::round(total));
  days = ms / kMSecsPerDay;
  msOfDay = ms % kMSecsPerDay;
  if (dt < 0) days = -days;
}

TDateTime FromUnixMillis(std::int64_t ms) {
  return static_cast<TDateTime>(static_cast<long double>(ms) / kMSecsPerDay + kUnixEpochDays);
}

}  // namespace

TDateTime NowUTC() {
  const auto now = std::chrono::system_clock::now();
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
  return FromUnixMillis(ms);
}

TDateTime Now() {
  const auto now = std::chrono::system_clock::now();
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
  const std::time_t secs = static_cast<std::time_t>(ms / 1000);
  std::tm local{};
  localtime_r(&secs, &local);
  return FromUnixMillis(ms + static_cast<std::int64_t>(local.tm_gmtoff) * 1000);
}

TDateTime EncodeDate(int Year, int Month, int Day) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 ||
      Day > kDays[Month - 1] + (Month == 2 && IsLeap(Year)))
    throw EConvertError("Invalid argument to date encode");
  return static_cast<TDateTime>(DaysFromCivil(Year, Month, Day) + kUnixEpochDays);
}

TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec) {
  if (Hour < 0 || Hour > 23 || Min < 0 || Min > 59 || Sec < 0 || Sec > 59 || MSec < 0 ||
      MSec > 999)
    throw EConvertError("Invalid argument to time encode");
  const std::int64_t ms = ((Hour * 60LL + Min) * 60 + Sec) * 1000 + MSec;
  return static_cast<TDateTime>(static_cast<long double>(ms) / kMSecsPerDay);
}

TDateTimeParts DecodeDateTime(TDateTime DateTime) {
  std::int64_t days = 0, ms = 0;
  Split(DateTime, days, ms);
  TDateTimeParts parts;
  CivilFromDays(days - kUnixEpochDays, parts.Year, parts.Month, parts.Day);
  parts.Hour = static_cast<int>(ms / 3600000);
  parts.Min = static_cast<int>(ms / 60000 % 60);
  parts.Sec = static_cast<int>(ms / 1000 % 60);
  parts.MSec = static_cast<int>(ms % 1000);
  return parts;
}

bool IsRepresentableDateTime(TDateTime DateTime) {
  // The bound keeps the millisecond count far inside 64 bits before the exact check.
  if (!std::isfinite(DateTime) || std::fabs(DateTime) > 3e6) return false;
  const int year = DecodeDateTime(DateTime).Year;
  return year >= 1 && year <= 9999;
}

void DecodeDate(TDateTime DateTime, int& Year, int& Month, int& Day) {
  const TDateTimeParts parts = DecodeDateTime(DateTime);
  Year = parts.Year;
  Month = parts.Month;
  Day = parts.Day;
}

void DecodeTime(TDateTime DateTime, int& Hour, int& Min, int& Sec, int& MSec) {
  const TDateTimeParts parts = DecodeDateTime(DateTime);
  Hour = parts.Hour;
  Min = parts.Min;
  Sec = parts.Sec;
  MSec = parts.MSec;
}

}  // namespace norv
