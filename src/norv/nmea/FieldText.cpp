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

// MaxLenStr(IntToStr(Value), Width, '0'). The width is fixed where it is used, so the digits
// are written without a loop.
template <int Width>
char* PutPadded(char* p, std::int64_t Value) {
  if (Value >= 0 && Value < kPow10[Width]) [[likely]]
    return WriteDigits(p, static_cast<std::uint64_t>(Value), Width);
  return Put(p, MaxLenStr(IntToStr(Value), Width, '0'));
}

// MaxLenStrInv(IntToStr(Value), 2, '0'): the last two digits.
char* PutLastTwo(char* p, std::int64_t Value) {
  if (Value >= 0) return WriteDigits(p, static_cast<std::uint64_t>(Value % 100), 2);
  return Put(p, MaxLenStrInv(IntToStr(Value), 2, '0'));
}

// Decimals: the digits of the minutes fraction (6 for the classic sentences).
template <int DegreeWidth, int Decimals = 6>
TFieldText AngleText(std::int32_t Degree, std::int32_t Minute, Extended Second, char Side) {
  const Extended units = Second / 60 * kPow10[Decimals];
  std::int64_t fraction;
  if (!NearbyInteger(units, fraction))
    fraction = static_cast<std::int64_t>(std::nearbyint(units));
  std::int64_t minute = Minute, degree = Degree;
  if (fraction >= kPow10[Decimals]) {
    fraction -= kPow10[Decimals];
    if (++minute >= 60) {
      minute -= 60;
      ++degree;
    }
  }
  TFieldText text;
  text.Make([&](char* p) {
    p = PutPadded<DegreeWidth>(p, degree);
    p = PutPadded<2>(p, minute);
    *p++ = '.';
    p = PutPadded<Decimals>(p, fraction);
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
  return AngleText<2>(Degree, Minute, Second, Direction == cpNorth ? 'N' : 'S');
}

TFieldText LongitudeText(std::int32_t Degree, std::int32_t Minute, Extended Second,
                         TCardinalPoint Direction) {
  return AngleText<3>(Degree, Minute, Second, Direction == cpEast ? 'E' : 'W');
}

TFieldText ShortLatitudeText(std::int32_t Degree, std::int32_t Minute, Extended Second,
                             TCardinalPoint Direction) {
  return AngleText<2, 5>(Degree, Minute, Second, Direction == cpNorth ? 'N' : 'S');
}

TFieldText ShortLongitudeText(std::int32_t Degree, std::int32_t Minute, Extended Second,
                              TCardinalPoint Direction) {
  return AngleText<3, 5>(Degree, Minute, Second, Direction == cpEast ? 'E' : 'W');
}

namespace {

// hhmmss. and the second's fraction to Digits places: 2 (hundredths) or 3 (thousandths).
template <int Digits>
TFieldText TimeOfDayText(const TDateTimeParts& t) {
  static_assert(Digits == 2 || Digits == 3);
  TFieldText text;
  text.Make([&](char* p) {
    p = PutPadded<2>(p, t.Hour);
    p = PutPadded<2>(p, t.Min);
    p = PutPadded<2>(p, t.Sec);
    *p++ = '.';
    return PutPadded<Digits>(p, Digits == 3 ? t.MSec : t.MSec / 10);
  });
  return text;
}

}  // namespace

TFieldText CentisecondTimeText(const TDateTimeParts& t) { return TimeOfDayText<2>(t); }

TFieldText UTCTimeText(const TDateTimeParts& t) { return TimeOfDayText<3>(t); }

TFieldText UTCDateText(const TDateTimeParts& t) {
  TFieldText text;
  text.Make([&](char* p) {
    p = PutPadded<2>(p, t.Day);
    p = PutPadded<2>(p, t.Month);
    return PutLastTwo(p, t.Year);
  });
  return text;
}

TFieldText CommaSeparatedUTCDateText(const TDateTimeParts& t) {
  TFieldText text;
  text.Make([&](char* p) {
    p = PutPadded<2>(p, t.Day);
    *p++ = ',';
    p = PutPadded<2>(p, t.Month);
    *p++ = ',';
    return PutPadded<4>(p, t.Year);
  });
  return text;
}

std::string_view VariationSideText(TCardinalPoint Side) {
  switch (Side) {
    case cpEast: return "E";
    case cpWest: return "W";
    default: return "";
  }
}

TFieldText UTCTimeText(TDateTime DateTime) { return UTCTimeText(DecodeDateTime(DateTime)); }
TFieldText UTCDateText(TDateTime DateTime) { return UTCDateText(DecodeDateTime(DateTime)); }
TFieldText CommaSeparatedUTCDateText(TDateTime DateTime) {
  return CommaSeparatedUTCDateText(DecodeDateTime(DateTime));
}

}  // namespace norv
