#pragma once
// Date-time values as days since 1899-12-30, with the framework's encode and decode rules.
#include <cstdint>

#include "norv/Export.h"
#include "norv/framework/Types.h"

namespace norv {

// Local date and time of the system clock.
NORV_API TDateTime Now();
// The current UTC instant of the system clock.
NORV_API TDateTime NowUTC();
// Raises EConvertError for a date or time that does not exist.
NORV_API TDateTime EncodeDate(int Year, int Month, int Day);
NORV_API TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec);
// Both decode after rounding to the nearest millisecond.
NORV_API void DecodeDate(TDateTime DateTime, int& Year, int& Month, int& Day);
NORV_API void DecodeTime(TDateTime DateTime, int& Hour, int& Min, int& Sec, int& MSec);

// Both at once.
struct TDateTimeParts {
  int Year = 0, Month = 0, Day = 0, Hour = 0, Min = 0, Sec = 0, MSec = 0;
};
NORV_API TDateTimeParts DecodeDateTime(TDateTime DateTime);

// True for a finite value that decodes to a date from 0001-01-01 to 9999-12-31: the dates a
// four-digit year can show.
bool IsRepresentableDateTime(TDateTime DateTime);

}  // namespace norv
