// Field texts by table digits. Each number goes through MaxLenStr(IntToStr(n), width, '0');
// the digits are written directly whenever n fits its width, which is always the case for the
// values the setters and the clock allow, and the string routines keep anything else exact.
#include "norv/nmea/FieldText.h"

#include <cmath>
#include <cstring>
#include <string>

#include "norv/framework/DateTime.h"
#include "norv/framework/DigitText.h"
#include "norv/framework/ExtendedRounding.h"
#include "norv/framework/SysUtils.h"
#include "norv/nmea/FieldFormat.h"

namespace norv {

namespace {

constexpr std::array<std::int64_t, 7> kPow10{1, 10, 100, 1000, 10000, 100000, 1000000};

char* Put(char* p, const std::string& Text) {
  std::memcpy(p, Text.data(), Text.size());
  return p + Text.size();
}

// MaxLenStr(IntToStr(Value), Width, '0').
char* PutPadded(char* p, std::int64_t Value, int Width) {
  if (Value >= 0 && Value < kPow10[Width]) return WriteDigits(p, static_cast<std::uint64_t>(Value), Width);
  return Put(p, MaxLenStr(IntToStr(Value), Width, '0'));
}

// MaxLenStrInv(IntToStr(Value), 2, '0'): the last two digits.
char* PutLastTwo(char* p, std::int64_t Value) {
  if (Value >= 0) return WriteDigits(p, static_cast<std::uint64_t>(Value % 100), 2);
  return Put(p, MaxLenStrInv(IntToStr(Value), 2, '0'));
}

TFieldText AngleText(std::int32_t Degree, std::int32_t Minute, Extended Second, int DegreeWidth,
                     char Side) {
  const Extended millionths = Second / 60 * 1000000;
  std::int64_t fraction;
  if (!NearbyInteger(millionths, fraction))
    fraction = static_cast<std::int64_t>(std::nearbyint(millionths));
  std::int64_t minute = Minute, degree = Degree;
  if (fraction >= 1000000) {
    fraction -= 1000000;
    if (++minute >= 60) {
      minute -= 60;
      ++degree;
    }
  }
  TFieldText text;
  text.Make([&](char* p) {
    p = PutPadded(p, degree, DegreeWidth);
    p = PutPadded(p, minute, 2);
    *p++ = '.';
    p = PutPadded(p, fraction, 6);
    *p++ = ',';
    *p++ = Side;
    return p;
  });
  return text;
}

}  // namespace

TFieldText IntegerText(std::int64_t Value) {
  TFieldText text;
  text.Make([&](char* p) { return WriteInteger(p, Value); });
  return text;
}

TFieldText DecimalText(Extended Value) {
  TFieldText text;
  text.Make([&](char* p) { return p + DecimalFieldText(p, Value); });
  return text;
}

TFieldText FullDecimalText(Extended Value) {
  TFieldText text;
  text.Make([&](char* p) { return p + FullDecimalFieldText(p, Value); });
  return text;
}

TFieldText LatitudeText(std::int32_t Degree, std::int32_t Minute, Extended Second,
                        TCardinalPoint Direction) {
  return AngleText(Degree, Minute, Second, 2, Direction == cpNorth ? 'N' : 'S');
}

TFieldText LongitudeText(std::int32_t Degree, std::int32_t Minute, Extended Second,
                         TCardinalPoint Direction) {
  return AngleText(Degree, Minute, Second, 3, Direction == cpEast ? 'E' : 'W');
}

TFieldText UTCTimeText(TDateTime DateTime) {
  int h = 0, n = 0, s = 0, ms = 0;
  DecodeTime(DateTime, h, n, s, ms);
  TFieldText text;
  text.Make([&](char* p) {
    p = PutPadded(p, h, 2);
    p = PutPadded(p, n, 2);
    p = PutPadded(p, s, 2);
    *p++ = '.';
    return PutPadded(p, ms, 3);
  });
  return text;
}

TFieldText UTCDateText(TDateTime DateTime) {
  int y = 0, m = 0, d = 0;
  DecodeDate(DateTime, y, m, d);
  TFieldText text;
  text.Make([&](char* p) {
    p = PutPadded(p, d, 2);
    p = PutPadded(p, m, 2);
    return PutLastTwo(p, y);
  });
  return text;
}

TFieldText CommaSeparatedUTCDateText(TDateTime DateTime) {
  int y = 0, m = 0, d = 0;
  DecodeDate(DateTime, y, m, d);
  TFieldText text;
  text.Make([&](char* p) {
    p = PutPadded(p, d, 2);
    *p++ = ',';
    p = PutPadded(p, m, 2);
    *p++ = ',';
    return PutPadded(p, y, 4);
  });
  return text;
}

}  // namespace norv
