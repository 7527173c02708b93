#pragma once
// Date-time values as days since 1899-12-30, with the framework's encode and decode rules.
#include <cstdint>

#include "norv/framework/Types.h"

namespace norv {

// Local date and time of the system clock.
TDateTime Now();
// The current UTC instant of the system clock.
TDateTime NowUTC();
// Raises EConvertError for a date or time that does not exist.
TDateTime EncodeDate(int Year, int Month, int Day);
TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec);
// Both decode after rounding to the nearest millisecond.
void DecodeDate(TDateTime DateTime, int& Year, int& Month, int& Day);
void DecodeTime(TDateTime DateTime, int& Hour, int& Min, int& Sec, int& MSec);

// Both at once.
struct TDateTimeParts {
  int Year = 0, Month = 0, Day = 0, Hour = 0, Min = 0, Sec = 0, MSec = 0;
};
TDateTimeParts DecodeDateTime(TDateTime DateTime);

// True for a finite value that decodes to a date from 0001-01-01 to 9999-12-31: the dates a
// four-digit year can show.
bool IsRepresentableDateTime(TDateTime DateTime);

}  // namespace norv
