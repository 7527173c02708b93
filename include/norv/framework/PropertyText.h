#pragma once
// The text form of published property values in a component stream, and its parsing.
// Every format here is independent of the C locale and of FormatSettings.
#include <optional>
#include <string>
#include <string_view>

#include "norv/Export.h"
#include "norv/framework/ComponentClass.h"

namespace norv {

// Printable ASCII inside single quotes with ' doubled; every other byte as #nnn (decimal),
// e.g. 'COM'#13#10. Any byte string round-trips; the empty string is ''.
NORV_API std::string QuoteString(std::string_view Bytes);
// The bytes of a text written by QuoteString (segments may be joined: 'a'#9'b'); nullopt if
// Text is not such a text.
NORV_API std::optional<std::string> UnquoteString(std::string_view Text);

// The shortest decimal text that reads back to exactly the same long double ('.' always;
// inf, -inf and nan for the non-finite values).
NORV_API std::string FormatReal(Extended Value);
// The same for a date-time, which is a double.
NORV_API std::string FormatDateTime(double Value);
NORV_API std::optional<Extended> ParseReal(std::string_view Text);

// Value written the way the property's kind is written in a stream:
// 48, cpNorth, [GPGLL, GPGGA], True, 12.5, 'COM1'.
NORV_API std::string FormatPropertyValue(const TPropertyInfo& Property,
                                         const TPropertyValue& Value);
// The value of Text for Property, or nullopt if Text is not a value of its kind.
// Names (enumeration values, set elements, True/False) are matched without regard to case.
NORV_API std::optional<TPropertyValue> ParsePropertyValue(const TPropertyInfo& Property,
                                                          std::string_view Text);
// What a value of the property's kind looks like, for error messages.
NORV_API std::string ExpectedValueText(const TPropertyInfo& Property);

}  // namespace norv
