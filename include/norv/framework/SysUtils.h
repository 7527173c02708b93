#pragma once
// Number and text conversions with the framework's formats, independent of the C locale.
#include <cstdint>
#include <string>
#include <string_view>

#include "norv/Export.h"
#include "norv/framework/Types.h"

namespace norv {

// Process-wide number format; DecimalSeparator starts as '.' whatever the OS locale says.
struct TFormatSettings {
  char DecimalSeparator = '.';
};
extern TFormatSettings FormatSettings;

NORV_API std::string IntToStr(std::int64_t value);
// Upper-case hexadecimal, zero-padded to at least Digits characters.
NORV_API std::string IntToHex(std::uint64_t value, int Digits);
// General format: at most 15 significant digits, no trailing zeros, FormatSettings.DecimalSeparator.
// Values of 1e15 and above, or below 1e-5 (but not zero), take the form "1.5E20" / "-2.5E-7".
NORV_API std::string FloatToStr(Extended value);
// Decimal integer with optional sign; anything else raises EConvertError.
NORV_API std::int32_t StrToInt(const std::string& text);
// Like StrToInt but returns Default for a text that is not an integer.
NORV_API std::int32_t StrToIntDef(const std::string& text, std::int32_t Default);
// Decimal real accepting '.' or ','; returns false (and leaves value) for anything else. Read the
// same whatever the process's C locale is.
NORV_API bool TryStrToFloat(const std::string& text, Extended& value);
// strtold as in the "C" locale, whatever locale the host process has set.
NORV_API Extended StrToExtendedInCLocale(const char* text, char** end);
// The upper-case form of an ASCII letter a-z; every other byte is kept.
constexpr char UpperChar(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
// ASCII a-z only; every other byte is kept.
NORV_API std::string UpperCase(const std::string& text);
// Equal without regard to the case of ASCII letters.
NORV_API bool SameText(std::string_view a, std::string_view b);
// The part of text without leading and trailing blanks and control bytes (up to ' ').
NORV_API std::string_view Trim(std::string_view text);
// Text as a one-line message quotes it: CR, LF, tab and NUL spelled out (\r, \n, \t, \0) and
// anything past about 60 bytes replaced by "...", so a huge name cannot flood a message.
NORV_API std::string Excerpt(std::string_view text);
// An ASCII letter or '_', followed by letters, digits and '_'.
NORV_API bool IsValidIdent(std::string_view text);

}  // namespace norv
